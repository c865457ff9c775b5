#pragma once
// Runs a command line as a hidden child process and hands over what it writes
// to standard output and standard error, which share one pipe.
#include <functional>
#include <string>

// Called with one or more whole memo lines (each chunk of output, then CR LF).
using ShowOutput = std::function<void(const std::string& lines)>;

// Runs `commandLine` to its end. Every chunk of at most 1023 bytes becomes
// one line. While the child runs, the program's windows are repainted but no
// user input is taken. Returns the last lines, not yet shown, for the caller
// to show with what follows the run. Raises the system error when a system
// call fails.
std::string RunHidden(const std::string& commandLine, const ShowOutput& show);

// Raises the error of the last failed system call (GetLastError).
[[noreturn]] void RaiseLastOSError();
