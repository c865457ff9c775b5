#pragma once
// The map tool's command lines. Paths go between double quotes exactly as
// they are (a path holds no double quote and never ends in a backslash); the
// description is quoted so that the tool reads it back whole.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Whether a byte begins a character of two bytes in the system's code page
// (a double-byte code page's lead byte); none on other code pages.
using IsLeadByte = std::function<bool(unsigned char)>;

// The longest command line Windows starts, in characters, without its
// closing zero.
inline constexpr std::size_t kLongestCommandLine = 32766;

// Zarvelt.exe -i "path"
std::string InfoCommandLine(const std::string& path);

// Zarvelt.exe -m "description" -jo "output" "input1" "input2" ... with one
// space after each input's closing quote. The description is quoted as
// QuotedArgument quotes it.
std::string MergeCommandLine(const std::string& description, const std::string& output,
                             const std::vector<std::string>& inputs, const IsLeadByte& isLeadByte = {});

// "path" with the double quotes around it.
std::string Quoted(const std::string& text);

// Any text as one argument between double quotes, written so that a Windows
// program splitting its command line (the C runtime, CommandLineToArgvW)
// reads back exactly the text: n backslashes before a double quote become
// 2n+1 and the quote, n backslashes at the end become 2n; every other byte
// stays. A text without a double quote and without a trailing backslash
// comes out as Quoted gives it. A lead byte and the byte after it are one
// character, whatever that byte is: the second byte of a double-byte
// character may be 0x5C, a backslash's, and is none.
std::string QuotedArgument(const std::string& text, const IsLeadByte& isLeadByte = {});
