#include "runner/RunText.h"

#include <cstdio>

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

std::string RunEndLines(bool stopped, std::optional<unsigned long> exitCode) {
  if (stopped) return std::string(runtexts::kToolStopped) + "\r\n";
  if (!exitCode || !IsCrashCode(*exitCode)) return {};
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", *exitCode);
  return runtexts::kToolCrashed + std::string(code) + runtexts::kToolCrashedEnd + "\r\n";
}

std::string SystemErrorMessage(unsigned long code, const std::string& description) {
  if (code == 0) return runtexts::kOsCallFailed;
  std::string text = description;
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return runtexts::kSystemErrorPrefix + std::to_string(code) + ".\r\n" + text;
}
