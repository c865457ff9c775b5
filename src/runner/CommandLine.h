#pragma once
// The map tool's command lines. Paths go between double quotes exactly as
// they are (a path holds no double quote and never ends in a backslash); the
// description is quoted so that the tool reads it back whole.
#include <string>
#include <vector>

// Zarvelt.exe -i "path"
std::string InfoCommandLine(const std::string& path);

// Zarvelt.exe -m "description" -jo "output" "input1" "input2" ... with one
// space after each input's closing quote.
std::string MergeCommandLine(const std::string& description, const std::string& output,
                             const std::vector<std::string>& inputs);

// "path" with the double quotes around it.
std::string Quoted(const std::string& text);

// Any text as one argument between double quotes, written so that a Windows
// program splitting its command line (the C runtime, CommandLineToArgvW)
// reads back exactly the text: n backslashes before a double quote become
// 2n+1 and the quote, n backslashes at the end become 2n; every other byte
// stays. A text without a double quote and without a trailing backslash
// comes out as Quoted gives it.
std::string QuotedArgument(const std::string& text);
