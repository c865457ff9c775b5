#pragma once
// Runs a command line as a hidden child process and hands over what it writes
// to standard output and standard error, which share one pipe.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>

// One or more whole memo lines (each chunk of output, then CR LF), and how
// many bytes of the tool's output they hold.
struct OutputLines {
  std::string text;
  std::size_t toolBytes = 0;

  bool empty() const { return text.empty(); }
};

// Called with output to show.
using ShowOutput = std::function<void(const OutputLines& lines)>;

// Called while the child runs whenever the program's windows need attention:
// a repaint, a message from another program, or input from the user. It
// must deal with what is waiting without starting anything. Returns true
// once the user has asked for the run to stop.
using AttendWindows = std::function<bool()>;

struct RunEnd {
  OutputLines last;      // not yet shown, for the caller to show with what follows the run
  bool stopped = false;  // a stop ended the child, or what it started
  std::optional<unsigned long> exitCode;  // the child's, where it could be read
};

// Runs `commandLine` to its end: waits in one place for output, the child's
// end and the windows' need of attention; shows what the pipe holds in
// batches as BatchPolicy times them; and ends once the child has ended and
// the pipe is empty. Every chunk of at most 1023 bytes becomes one line. When
// `attend` asks for a stop, whatever of the child still lives is ended (every
// process it started, also after its own end), and what they wrote before is
// still read and shown. The child runs in a job that ends it at once on an
// unhandled exception, rather than behind an error report's dialog. Raises
// the system error when a system call fails, after showing what was read.
RunEnd RunHidden(const std::string& commandLine, const ShowOutput& show, const AttendWindows& attend);

// Ends at once whatever of the running child still lives, for a stop that
// cannot wait for the run's loop (the session is ending). The run then ends
// as a stopped one. Nothing when no run is under way.
void StopRunningTool();

// The MsgWaitForMultipleObjects flags for input of every kind this Windows
// has: with touch and pen from Windows 8 on; Windows 7 refuses those flags.
unsigned long InputWakeFlags();

// Raises the error of the last failed system call (GetLastError).
[[noreturn]] void RaiseLastOSError();
