#pragma once
// The texts a run produces: the tool's output as memo lines, and the message
// of a failed system call.
#include <cstddef>
#include <string>

// Adds one chunk of the tool's output to `lines` as one memo line: its bytes,
// then a line break. Zero bytes are left out, so nothing after them is lost.
void AppendChunkLine(std::string& lines, const char* chunk, std::size_t size);

// "System Error.  Code: N." + CR LF + the system's description without its
// trailing blanks, line breaks and full stops; code 0 has a fixed text.
std::string SystemErrorMessage(unsigned long code, const std::string& description);
