#include "runner/RunText.h"

#include "ui/Texts.h"

void AppendChunkLine(std::string& lines, const char* chunk, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    if (chunk[i] != '\0') lines += chunk[i];
  lines += "\r\n";
}

std::string SystemErrorMessage(unsigned long code, const std::string& description) {
  if (code == 0) return texts::kOsCallFailed;
  std::string text = description;
  while (!text.empty() && (static_cast<unsigned char>(text.back()) <= ' ' || text.back() == '.'))
    text.pop_back();
  return texts::kSystemErrorPrefix + std::to_string(code) + ".\r\n" + text;
}
