#include "app/ErrorText.h"

std::wstring WithClosingDot(std::wstring message) {
  if (!message.empty() && message.back() > L'.') message += L'.';
  return message;
}

std::wstring DefaultTitle(std::wstring_view exePath, const std::function<void(std::wstring&)>& lowerCase) {
  const auto slash = exePath.find_last_of(L"\\/:");
  std::wstring_view name = slash == std::wstring_view::npos ? exePath : exePath.substr(slash + 1);
  name = name.substr(0, name.find(L'.'));
  if (name.empty()) return {};
  std::wstring rest(name.substr(1));
  lowerCase(rest);
  return std::wstring(1, name.front()) + rest;
}
