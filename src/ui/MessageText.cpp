#include "ui/MessageText.h"

#include <cstdio>

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

namespace {

// What cannot be written, the text as well as the message can show it, and
// what to do.
std::string NotWritableMessage(const char* what, const std::string& shown, const char* hint) {
  return std::string(what) + "\n\n" + shown + "\n\n" + hint;
}

}  // namespace

std::string OutputNotWritableMessage(const std::string& outputPath) {
  return NotWritableMessage(texts::kOutputNotWritable, outputPath, texts::kOutputNotWritableHint);
}

std::string DescriptionNotWritableMessage(const std::string& description) {
  return NotWritableMessage(texts::kDescriptionNotWritable, description, texts::kDescriptionNotWritableHint);
}

std::string FileDialogFailedMessage(bool save, unsigned long code) {
  // The common dialogs' codes (cderr.h).
  constexpr unsigned long kMemAllocFailure = 0x0009, kMemLockFailure = 0x000A, kSubclassFailure = 0x3001,
                          kInvalidFileName = 0x3002, kBufferTooSmall = 0x3003;
  const char* why = texts::kDialogNotOpened;
  if (code == kMemAllocFailure || code == kMemLockFailure || code == kSubclassFailure) why = texts::kDialogNoMemory;
  else if (code == kInvalidFileName) why = texts::kDialogInvalidName;
  else if (code == kBufferTooSmall) why = texts::kDialogNamesTooLong;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%04lX", code);
  return std::string(save ? texts::kSaveDialogFailed : texts::kOpenDialogFailed) + why + "\n\n" +
         texts::kDialogErrorCode + hex;
}

std::string NotShownLine(std::size_t bytes) {
  return texts::kNotShown + std::to_string(bytes) + texts::kNotShownEnd + "\r\n";
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
