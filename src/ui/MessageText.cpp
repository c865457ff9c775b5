#include "ui/MessageText.h"

#include <cstdio>

#include "app/OwnText.h"
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

std::wstring SameNameMessage(const std::wstring& outputPath) {
  return OwnText(texts::kSameName) + L"\n\n\"" + outputPath + L"\"";
}

std::wstring LeftOutMessage(const std::vector<std::wstring>& names) {
  std::wstring message = OwnText(texts::kLeftOut) + L"\n";
  for (const std::wstring& name : names) message += L"\n" + name;
  return message + L"\n\n" + OwnText(texts::kLeftOutHint);
}

namespace {

// What cannot be written, the text as well as the code page can show it, and
// what to do.
std::wstring NotWritableMessage(const char* what, const std::wstring& shown, const char* hint) {
  return OwnText(what) + L"\n\n" + shown + L"\n\n" + OwnText(hint);
}

}  // namespace

std::wstring OutputNotWritableMessage(const std::wstring& outputPath) {
  return NotWritableMessage(texts::kOutputNotWritable, outputPath, texts::kOutputNotWritableHint);
}

std::wstring DescriptionNotWritableMessage(const std::wstring& description) {
  return NotWritableMessage(texts::kDescriptionNotWritable, description, texts::kDescriptionNotWritableHint);
}

std::wstring FileDialogFailedMessage(bool save, unsigned long code) {
  // The common dialogs' codes (cderr.h).
  constexpr unsigned long kMemAllocFailure = 0x0009, kMemLockFailure = 0x000A, kSubclassFailure = 0x3001,
                          kInvalidFileName = 0x3002, kBufferTooSmall = 0x3003;
  const char* why = texts::kDialogNotOpened;
  if (code == kMemAllocFailure || code == kMemLockFailure || code == kSubclassFailure) why = texts::kDialogNoMemory;
  else if (code == kInvalidFileName) why = texts::kDialogInvalidName;
  else if (code == kBufferTooSmall) why = texts::kDialogNamesTooLong;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%04lX", code);
  return OwnText(save ? texts::kSaveDialogFailed : texts::kOpenDialogFailed) + OwnText(why) + L"\n\n" +
         OwnText(texts::kDialogErrorCode) + OwnText(hex);
}

std::wstring PathTooLongMessage() { return OwnText(texts::kPathTooLong) + L"\n\n" + OwnText(texts::kPathTooLongHint); }

std::wstring MergeTooLongMessage(std::size_t files) {
  return OwnText(texts::kMergeTooLong) + std::to_wstring(files) + OwnText(texts::kMergeTooLongEnd) + L"\n\n" +
         OwnText(texts::kMergeTooLongHint);
}

std::wstring NotShownLine(std::size_t bytes) {
  return OwnText(texts::kNotShown) + std::to_wstring(bytes) + OwnText(texts::kNotShownEnd) + L"\r\n";
}

std::wstring MessageDialogCopy(const std::wstring& caption, const std::wstring& text, const std::wstring& button) {
  const std::wstring rule = L"---------------------------\r\n";
  std::wstring copy = rule + caption + L"\r\n" + rule;
  // Line feeds in the text become the clipboard's CR LF.
  for (wchar_t c : text) {
    if (c == L'\n') copy += L'\r';
    copy += c;
  }
  return copy + L"\r\n" + rule + button + L"\r\n" + rule;
}
