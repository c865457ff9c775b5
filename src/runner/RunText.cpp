#include "runner/RunText.h"

#include <cstdio>

#include "app/OwnText.h"
#include "runner/RunnerTexts.h"

void AppendChunkLine(std::string& lines, const char* chunk, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    if (chunk[i] != '\0') lines += chunk[i];
  lines += "\r\n";
}

bool IsCrashCode(unsigned long code) {
  constexpr unsigned long kControlC = 0xC000013A, kBreakpoint = 0x80000003, kCppException = 0xE06D7363;
  if (code >= 0xC0000000 && code <= 0xCFFFFFFF) return code != kControlC;
  return code == kBreakpoint || code == kCppException;
}

std::wstring RunEndLines(bool stopped, std::optional<unsigned long> exitCode) {
  if (stopped) return OwnText(runtexts::kToolStopped) + L"\r\n";
  if (!exitCode || !IsCrashCode(*exitCode)) return {};
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", *exitCode);
  return OwnText(runtexts::kToolCrashed) + OwnText(code) + OwnText(runtexts::kToolCrashedEnd) + L"\r\n";
}

std::wstring SystemErrorMessage(unsigned long code, const std::wstring& description) {
  if (code == 0) return OwnText(runtexts::kOsCallFailed);
  std::wstring text = description;
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return OwnText(runtexts::kSystemErrorPrefix) + std::to_wstring(code) + L".\r\n" + text;
}
