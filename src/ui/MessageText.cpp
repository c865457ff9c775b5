#include "ui/MessageText.h"

#include "runner/CommandLine.h"
#include "ui/Texts.h"

bool IsSelectedEntry(const std::vector<std::string>& entries, const std::vector<bool>& selected,
                     const std::string& path) {
  return AnySelectedEntry(entries, selected, [&](const std::string& entry) { return entry == path; });
}

bool AnySelectedEntry(const std::vector<std::string>& entries, const std::vector<bool>& selected,
                      const std::function<bool(const std::string&)>& matches) {
  for (std::size_t i = 0; i < entries.size() && i < selected.size(); ++i)
    if (selected[i] && matches(entries[i])) return true;
  return false;
}

std::string SameNameMessage(const std::string& outputPath) {
  return std::string(texts::kSameName) + "\n\n" + Quoted(outputPath);
}

std::string LeftOutMessage(const std::vector<std::string>& names) {
  std::string message = std::string(texts::kLeftOut) + "\n";
  for (const std::string& name : names) message += "\n" + name;
  return message + "\n\n" + texts::kLeftOutHint;
}

std::string OutputNotWritableMessage(const std::string& outputPath) {
  return std::string(texts::kOutputNotWritable) + "\n\n" + outputPath + "\n\n" + texts::kOutputNotWritableHint;
}

std::string MessageDialogCopy(const std::string& caption, const std::string& text,
                              const std::string& button) {
  const std::string rule = "---------------------------\r\n";
  std::string copy = rule + caption + "\r\n" + rule;
  // Line feeds in the text become the clipboard's CR LF.
  for (char c : text) {
    if (c == '\n') copy += '\r';
    copy += c;
  }
  return copy + "\r\n" + rule + button + "\r\n" + rule;
}
