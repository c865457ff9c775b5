#pragma once
// The program's own words (captions, messages, its lines in the output area)
// are written once in the source, in Windows-1250. They reach the screen as
// wide text converted from that code page, whatever the system's own code
// page is, so that č, š and ž read right on any Windows. Text that comes from
// the system or the user (paths, the command line, the tool's output) is in
// the system's code page instead, and is converted from that (Widen).
#include <string>
#include <string_view>

// Windows-1250 text as wide text, byte by byte (zeros included).
std::wstring OwnText(std::string_view cp1250);
