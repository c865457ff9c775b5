#pragma once
// The texts a run produces: the tool's output as memo lines, and the message
// of a failed system call.
#include <cstddef>
#include <optional>
#include <string>

// Adds one chunk of the tool's output to `lines` as one memo line: its bytes,
// then a line break. Zero bytes are left out, so nothing after them is lost.
void AppendChunkLine(std::string& lines, const char* chunk, std::size_t size);

// Whether an exit code is the system's for a crash: an exception no one
// handled (0xC0000000 to 0xCFFFFFFF, but for the console's control event
// 0xC000013A, which is no crash), a breakpoint, a C++ exception.
bool IsCrashCode(unsigned long code);

// The lines a run ends with before its separator, each with its line break,
// in wide text: a stop's, or for a tool that crashed, the crash with its
// code in hex; none for a tool that ended by itself with any other code.
std::wstring RunEndLines(bool stopped, std::optional<unsigned long> exitCode);

// "System Error.  Code: N." + CR LF + the system's description without its
// trailing blanks, line breaks and full stops; code 0 has a fixed text.
std::wstring SystemErrorMessage(unsigned long code, const std::wstring& description);
