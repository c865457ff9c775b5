#include "runner/Runner.h"

#include <windows.h>

#include <string>
#include <utility>

#include "app/AppError.h"
#include "app/Owned.h"
#include "app/WindowsPaths.h"
#include "runner/BatchPolicy.h"
#include "runner/RunText.h"

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOA) == 68, "the start-up information of 32-bit Windows");
static_assert(sizeof(SECURITY_ATTRIBUTES) == 12, "the security attributes of 32-bit Windows");
#endif

namespace {

constexpr DWORD kChunkSize = 1023;
// One read takes up to this many bytes: what the pipe holds, cut into chunks
// of 1023 bytes exactly as reads of 1023 bytes one after another would cut it,
// but with far fewer calls into the system (each a round trip to the server
// under Wine: 72 MB of output took 27 s with 16 KB reads, 21 s with 64 KB).
constexpr DWORD kReadSize = 64 * kChunkSize;
// After a stop that could not end what the tool started, how long its output
// is still read once the tool has ended.
constexpr ULONGLONG kDrainAfterStopMs = 100;

// At most 255 characters; a longer description comes back empty.
std::wstring DescribeSystemError(DWORD code) {
  wchar_t text[256];
  const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                       text, 256, nullptr);
  return std::wstring(text, length);
}

// The pipe both of the child's output handles write into. Its read end is
// overlapped, so the runner can sleep until output arrives instead of
// polling; the child's write end is an ordinary inheritable handle.
struct OutputPipe {
  UniqueHandle readEnd;
  UniqueHandle writeEnd;
};

OutputPipe CreateOutputPipe() {
  static LONG serial = 0;
  const std::string name = "\\\\.\\pipe\\ZarveltGUI." + std::to_string(::GetCurrentProcessId()) + "." +
                           std::to_string(::InterlockedIncrement(&serial));
  OutputPipe pipe;
  const HANDLE server = ::CreateNamedPipeA(
      name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
      PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, 0, 0, nullptr);
  if (server == INVALID_HANDLE_VALUE) RaiseLastOSError();
  pipe.readEnd.Reset(server);
  SECURITY_ATTRIBUTES sa{};
  sa.nLength = sizeof sa;
  sa.bInheritHandle = TRUE;
  const HANDLE client =
      ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, &sa, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (client == INVALID_HANDLE_VALUE) RaiseLastOSError();
  pipe.writeEnd.Reset(client);
  return pipe;
}

// Overlapped reads from the pipe's read end, one at a time, each taking what
// the pipe holds (up to 64 chunks). The run waits on the event of the read in
// flight; a read still in flight at the end is cancelled and waited for
// before the buffer goes.
class ChunkReader {
 public:
  explicit ChunkReader(HANDLE pipe) : pipe_(pipe), done_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (!done_) RaiseLastOSError();
    overlapped_.hEvent = done_.Get();
  }
  ChunkReader(const ChunkReader&) = delete;
  ChunkReader& operator=(const ChunkReader&) = delete;
  ~ChunkReader() {
    if (!pending_) return;
    DWORD ignored = 0;
    ::CancelIo(pipe_);
    ::GetOverlappedResult(pipe_, &overlapped_, &ignored, TRUE);
  }

  // Signalled when the read in flight has finished.
  HANDLE Event() const { return done_.Get(); }

  // Adds what a finished read brought to `lines`, each chunk a line, and
  // starts the next read. False when the read in flight has not finished:
  // nothing more is there, as far as the last wait let the system tell.
  bool Take(OutputLines& lines) {
    DWORD read = 0;
    if (pending_) {
      if (!HasOverlappedIoCompleted(&overlapped_)) return false;
      pending_ = false;
      if (!::GetOverlappedResult(pipe_, &overlapped_, &read, FALSE)) RaiseLastOSError();
      AppendChunks(lines, read);
      return true;
    }
    ::ResetEvent(done_.Get());
    if (::ReadFile(pipe_, buffer_, kReadSize, &read, &overlapped_)) {
      ::GetOverlappedResult(pipe_, &overlapped_, &read, FALSE);
      AppendChunks(lines, read);
      return true;
    }
    if (::GetLastError() != ERROR_IO_PENDING) RaiseLastOSError();
    pending_ = true;
    return false;
  }

 private:
  void AppendChunks(OutputLines& lines, DWORD size) const {
    for (DWORD done = 0; done < size;) {
      const DWORD chunk = size - done < kChunkSize ? size - done : kChunkSize;
      AppendChunkLine(lines.text, buffer_ + done, chunk);
      done += chunk;
    }
    lines.toolBytes += size;
  }

  HANDLE pipe_;
  UniqueHandle done_;
  OVERLAPPED overlapped_{};
  bool pending_ = false;
  char buffer_[kReadSize];
};

// The job object a tool runs in. Every process the tool starts is in it too,
// so that a stop ends them all at once; and as the program holds its only
// handle, they all end with the program, however it ends. Where the program
// runs in a job of its own that forbids this, the tool runs outside one and
// a stop ends the tool alone (what it started is then no longer waited for,
// see ToolRun::Abandoned). A process of the job that meets an exception
// no one handles ends at once: hidden, it would otherwise wait behind the
// system's error report, and the run with it.
class ToolJob {
 public:
  ToolJob() : job_(::CreateJobObjectA(nullptr, nullptr)) {
    if (job_ && !SetKillOnClose(true)) job_.Reset();
  }

  // Puts a process, started suspended, into the job; false when it cannot be.
  bool Assign(HANDLE process) {
    assigned_ = !windowspaths::kTaken && job_ && ::AssignProcessToJobObject(job_.Get(), process);
    return assigned_;
  }
  bool Holds() const { return assigned_; }

  // Ends whatever of the tool still lives: in the job, every process it
  // started, also after the tool itself has ended; else the tool. True when
  // something was ended.
  bool Stop(HANDLE process) {
    if (assigned_) {
      JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
      const bool known = ::QueryInformationJobObject(job_.Get(), JobObjectBasicAccountingInformation, &accounting,
                                                     sizeof accounting, nullptr) != FALSE;
      if (known && accounting.ActiveProcesses == 0) return false;
      return ::TerminateJobObject(job_.Get(), 1) != FALSE;
    }
    if (::WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return false;
    return ::TerminateProcess(process, 1) != FALSE;
  }

  // After a run that ended by itself, whatever the tool left running goes on,
  // as it would without the program.
  void LetGo() {
    if (assigned_) SetKillOnClose(false);
  }

 private:
  bool SetKillOnClose(bool kill) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags =
        (kill ? JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE : 0) | JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
    return ::SetInformationJobObject(job_.Get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }

  UniqueHandle job_;
  bool assigned_ = false;
};

// One run of the tool: the tool, started hidden in its job with its output
// in the pipe.
class ToolRun {
 public:
  explicit ToolRun(const std::string& commandLine) : pipe_(CreateOutputPipe()), reader_(pipe_.readEnd.Get()) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = nullptr;
    si.hStdOutput = pipe_.writeEnd.Get();
    si.hStdError = pipe_.writeEnd.Get();
    std::string line = commandLine;  // CreateProcessA may write into it
    PROCESS_INFORMATION pi{};
    // Started suspended and put into the job before it runs, so that nothing
    // it starts can escape the job; the tool sees no difference. It inherits
    // an error mode without the crash report's dialog, for where it runs
    // outside a job; the system's messages about what it lacks (a DLL) stay.
    const UINT errorMode = ::SetErrorMode(0);
    ::SetErrorMode(errorMode | SEM_NOGPFAULTERRORBOX);
    const BOOL started = ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                                          nullptr, &si, &pi);
    const DWORD startError = ::GetLastError();
    ::SetErrorMode(errorMode);
    if (!started) {
      ::SetLastError(startError);
      RaiseLastOSError();
    }
    start_ = ::GetTickCount64();
    process_.Reset(pi.hProcess);
    const UniqueHandle thread(pi.hThread);
    job_.Assign(process_.Get());
    if (::ResumeThread(thread.Get()) == static_cast<DWORD>(-1)) {
      const DWORD error = ::GetLastError();
      ::TerminateProcess(process_.Get(), 1);
      ::SetLastError(error);
      RaiseLastOSError();
    }
    current_ = this;
  }
  ToolRun(const ToolRun&) = delete;
  ToolRun& operator=(const ToolRun&) = delete;
  ~ToolRun() { current_ = nullptr; }

  // The run under way, for a stop that cannot wait for the run's loop.
  static ToolRun* Current() { return current_; }

  ChunkReader& Reader() { return reader_; }
  BatchPolicy::Ms Age() const { return ::GetTickCount64() - start_; }

  // The one place that notes the tool's end.
  bool ToolEnded() {
    if (!toolEnded_) toolEnded_ = ::WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
    return toolEnded_;
  }

  enum class Woke { Timeout, Output, ToolEnd, Windows };

  // The one wait of the run: at most `ms`, until output arrives, the tool
  // ends or, when `windows`, the windows need attention (a repaint, a
  // message from another program, input). Every wait also lets the system
  // finish a read whose data has arrived (under Wine a read finishes only in
  // a wait).
  Woke Wait(unsigned ms, bool windows) {
    HANDLE handles[] = {reader_.Event(), process_.Get()};
    const DWORD count = toolEnded_ ? 1 : 2;
    const DWORD woke = ::MsgWaitForMultipleObjects(count, handles, FALSE, ms,
                                                   windows ? QS_PAINT | QS_SENDMESSAGE | InputWakeFlags() : 0);
    if (woke == WAIT_FAILED) RaiseLastOSError();
    if (woke == WAIT_OBJECT_0) return Woke::Output;
    if (woke == WAIT_OBJECT_0 + count) return Woke::Windows;
    return woke == WAIT_OBJECT_0 + 1 ? Woke::ToolEnd : Woke::Timeout;
  }

  // Ends whatever of the tool still lives, its drain after its end included.
  // The run counts as stopped when the tool still ran, or its output still
  // came; not for what only lingers after the tool, as its console host does
  // for a moment.
  void Stop() {
    const bool toolRan = !ToolEnded();
    if (job_.Stop(process_.Get()) && (toolRan || outputFlows_)) stopped_ = true;
    if (!job_.Holds()) stopOutsideJob_ = true;
  }

  // Whether the run ends now, whatever output may still come: a stop was
  // asked where what the tool started could not be ended with it (outside
  // a job), and the tool ended a moment ago. What it wrote before is read
  // meanwhile; output that still came counts as stopped.
  bool Abandoned() {
    if (!stopOutsideJob_ || !ToolEnded()) return false;
    const ULONGLONG now = ::GetTickCount64();
    if (!abandonAt_) abandonAt_ = now + kDrainAfterStopMs;
    if (now < abandonAt_) return false;
    if (outputFlows_) stopped_ = true;
    return true;
  }
  // Whether the last look at the pipe found output.
  void NoteFlow(bool flows) { outputFlows_ = flows; }

  RunEnd End(OutputLines last) {
    if (!stopped_) job_.LetGo();
    RunEnd end;
    end.last = std::move(last);
    end.stopped = stopped_;
    DWORD code = 0;
    if (::GetExitCodeProcess(process_.Get(), &code)) end.exitCode = code;
    return end;
  }

 private:
  static inline ToolRun* current_ = nullptr;

  OutputPipe pipe_;
  ToolJob job_;
  UniqueHandle process_;
  ChunkReader reader_;
  ULONGLONG start_ = 0;
  bool toolEnded_ = false;
  bool outputFlows_ = false;  // the last look found output
  bool stopped_ = false;
  bool stopOutsideJob_ = false;
  ULONGLONG abandonAt_ = 0;
};

// The batch of output collected and not shown yet.
class Batch {
 public:
  // Takes what the pipe brought; false when nothing more was there.
  bool Take(ChunkReader& reader) {
    const bool wasEmpty = lines_.empty();
    if (!reader.Take(lines_)) return false;
    if (wasEmpty) start_ = ::GetTickCount64();
    return true;
  }
  OutputLines& Lines() { return lines_; }
  std::size_t Bytes() const { return lines_.text.size(); }
  BatchPolicy::Ms Age() const { return lines_.empty() ? 0 : ::GetTickCount64() - start_; }
  OutputLines TakeLines() { return std::exchange(lines_, {}); }

 private:
  OutputLines lines_;
  ULONGLONG start_ = 0;
};

// Whether a key waits in the thread's queue.
bool KeyWaiting() { return (HIWORD(::GetQueueStatus(QS_KEY)) & QS_KEY) != 0; }

}  // namespace

unsigned long InputWakeFlags() {
  static const DWORD flags = [] {
    const DWORD everything = QS_KEY | QS_MOUSE | QS_RAWINPUT | QS_TOUCH | QS_POINTER;
    return windowspaths::kTaken || ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, everything) == WAIT_FAILED
               ? static_cast<DWORD>(QS_KEY | QS_MOUSE | QS_RAWINPUT)
               : everything;
  }();
  return flags;
}

void RaiseLastOSError() {
  const DWORD code = ::GetLastError();
  throw AppError(SystemErrorMessage(code, code ? DescribeSystemError(code) : std::wstring()));
}

RunEnd RunHidden(const std::string& commandLine, const ShowOutput& show, const AttendWindows& attend) {
  ToolRun run(commandLine);
  BatchPolicy policy;
  Batch batch;
  try {
    BatchPolicy::Next next{BatchPolicy::Step::Look, 0};
    bool waitedForEnd = false;
    bool endedBefore = false;
    for (;;) {
      // The end is noted before the wait and the look that find the pipe
      // empty: what the tool wrote just before it ended is read first. An
      // end noted here first (it came while the window was attended) is
      // looked into at once, not after a wait for output that will not come.
      const bool ended = run.ToolEnded();
      if (run.Abandoned()) return run.End(batch.TakeLines());
      if (ended && !endedBefore) next.waitMs = 0;
      endedBefore = ended;
      const ToolRun::Woke woke = run.Wait(next.waitMs, next.windows);
      // A wait for the windows that ends with nothing looks at them all the
      // same: input already peeked at does not wake a wait again. While
      // output flows the windows wait for the next batch (the pointer's
      // input is not looked for then), but a key waiting (Esc) has them
      // attended between reads. That attend takes whatever else waits too.
      const bool attendNow = woke == ToolRun::Woke::Windows || (woke == ToolRun::Woke::Timeout && next.windows) ||
                             (!next.windows && KeyWaiting());
      if (attendNow && attend()) run.Stop();
      if (woke == ToolRun::Woke::ToolEnd) {
        next = {BatchPolicy::Step::Look, 0};
        continue;
      }
      const bool took = batch.Take(run.Reader());
      run.NoteFlow(took);
      if (took) waitedForEnd = false;
      else if (next.step == BatchPolicy::Step::WaitForEnd && woke == ToolRun::Woke::Timeout) waitedForEnd = true;
      next = policy.Decide({batch.Bytes(), batch.Age(), run.Age(), !took, ended, waitedForEnd});
      if (next.step == BatchPolicy::Step::End) return run.End(batch.TakeLines());
      if (next.step != BatchPolicy::Step::Show) continue;
      const ULONGLONG showStart = ::GetTickCount64();
      const OutputLines lines = batch.TakeLines();
      show(lines);
      policy.Shown(lines.text.size(), ::GetTickCount64() - showStart);
      waitedForEnd = false;
      // The window answered nothing while the batch went in.
      if (attend()) run.Stop();
      next = {BatchPolicy::Step::Look, 0};
    }
  } catch (...) {
    if (!batch.Lines().empty()) show(batch.TakeLines());
    throw;
  }
}

void StopRunningTool() {
  if (ToolRun* run = ToolRun::Current()) run->Stop();
}
