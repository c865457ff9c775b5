#include "app/ErrorText.h"

std::string WithClosingDot(std::string message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  return message;
}

char LowerCp1250(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F:  // Š Ś Ť Ž Ź
      return static_cast<char>(b + 0x10);
    case 0xA3: return static_cast<char>(0xB3);  // Ł
    case 0xA5: return static_cast<char>(0xB9);  // Ą
    case 0xAA: return static_cast<char>(0xBA);  // Ş
    case 0xAF: return static_cast<char>(0xBF);  // Ż
    case 0xBC: return static_cast<char>(0xBE);  // Ľ
    default: break;
  }
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<char>(b + 0x20);  // À..Ţ, not ×
  return c;
}

std::string DefaultTitle(std::string_view exePath) {
  const auto slash = exePath.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? exePath : exePath.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  std::string title(name);
  for (std::size_t i = 1; i < title.size(); ++i) title[i] = LowerCp1250(title[i]);
  return title;
}
