#pragma once
#include <string>
#include <string_view>

// How the error box words an error: a "." closes a message whose last byte
// sorts after "." (letters, digits, ':'); other endings are kept as they are.
std::string WithClosingDot(std::string message);

// The application title before the main window has given its caption: the
// executable's file name without its folder, cut at its first full stop, with
// every letter after the first in lower case (Windows-1250 letters included).
std::string DefaultTitle(std::string_view exePath);

// Lower case of one Windows-1250 byte; other bytes come back unchanged.
char LowerCp1250(char c);
