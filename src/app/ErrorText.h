#pragma once
#include <functional>
#include <string>
#include <string_view>

// How the error box words an error: a "." closes a message whose last
// character sorts after "." (letters, digits, ':'); other endings are kept
// as they are.
std::wstring WithClosingDot(std::wstring message);

// The application title before the main window has given its caption: the
// executable's file name without its folder, cut at its first full stop, with
// every letter after the first in lower case, as `lowerCase` lowers text in
// place (the system's rules for every letter).
std::wstring DefaultTitle(std::wstring_view exePath, const std::function<void(std::wstring&)>& lowerCase);
