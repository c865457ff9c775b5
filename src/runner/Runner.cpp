#include "runner/Runner.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "app/AppError.h"
#include "app/Owned.h"
#include "runner/RunText.h"

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOA) == 68, "the start-up information of 32-bit Windows");
static_assert(sizeof(SECURITY_ATTRIBUTES) == 12, "the security attributes of 32-bit Windows");
#endif

namespace {

constexpr DWORD kChunkSize = 1023;
// One read takes up to this many bytes: what the pipe holds, cut into chunks
// of 1023 bytes exactly as reads of 1023 bytes one after another would cut it,
// but with far fewer calls into the system.
constexpr DWORD kReadSize = 16 * kChunkSize;
// How long a stretch of steady output is collected before it is shown at once:
// each update of the output area costs far more than reading a chunk.
constexpr ULONGLONG kBatchMs = 80;
// ... and at most as much as the output area shows in about this long, as
// measured on the run's earlier updates: the window answers nothing while it
// shows a batch, and a stop waits for it (Wine's edit control takes some
// 0.3 s per MB, and about 50 ms for each update whatever its size).
constexpr ULONGLONG kShowBudgetMs = 200;
constexpr std::size_t kFirstBatchBytes = 1024 * 1024;  // until an update has been measured
constexpr std::size_t kMeasuredBytes = 256 * 1024;     // an update this large is measured
constexpr std::size_t kLargestBatchBytes = 64 * 1024 * 1024;
// A tool that answers soon after it starts usually ends right after its
// answer: output in the first half second of a run waits up to 2 ms for the
// tool's end, so that it and the separator are shown in one update. Later
// output goes with the separator only if the tool has already ended.
constexpr ULONGLONG kQuickAnswerMs = 500;
constexpr DWORD kEndGraceMs = 2;
// The runner sleeps until output arrives or the child ends, and looks again
// at least this often in case a wake-up was missed.
constexpr DWORD kRecheckMs = 250;

std::string DescribeSystemError(DWORD code) {
  char text[256];
  const DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text, sizeof text, nullptr);
  return std::string(text, length);
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
// the pipe holds (up to 16 chunks). A read still in flight is cancelled and
// waited for before the buffer goes.
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

  HANDLE Event() const { return done_.Get(); }

  // The chunks that are there now, each a line; false when the pipe is empty.
  bool TryRead(OutputLines& lines) {
    DWORD read = 0;
    if (!pending_) {
      ::ResetEvent(done_.Get());
      if (::ReadFile(pipe_, buffer_, kReadSize, &read, &overlapped_)) {
        ::GetOverlappedResult(pipe_, &overlapped_, &read, FALSE);
        AppendChunks(lines, read);
        return true;
      }
      if (::GetLastError() != ERROR_IO_PENDING) RaiseLastOSError();
      pending_ = true;
    }
    // Still in flight: a zero wait on its event lets the system finish a read
    // whose data has already arrived (under Wine the finishing needs a wait).
    if (!HasOverlappedIoCompleted(&overlapped_) && ::WaitForSingleObject(done_.Get(), 0) != WAIT_OBJECT_0)
      return false;
    pending_ = false;
    if (!::GetOverlappedResult(pipe_, &overlapped_, &read, FALSE)) RaiseLastOSError();
    AppendChunks(lines, read);
    return true;
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
// a stop ends the tool alone. A process of the job that meets an exception
// no one handles ends at once: hidden, it would otherwise wait behind the
// system's error report, and the run with it.
class ToolJob {
 public:
  ToolJob() : job_(::CreateJobObjectA(nullptr, nullptr)) {
    if (job_ && !SetKillOnClose(true)) job_.Reset();
  }

  // Puts a process, started suspended, into the job; false when it cannot be.
  bool Assign(HANDLE process) {
    assigned_ = job_ && ::AssignProcessToJobObject(job_.Get(), process);
    return assigned_;
  }

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
// in the pipe, and what it wrote that is not shown yet.
class ToolRun {
 public:
  ToolRun(const std::string& commandLine, const ShowOutput& show)
      : show_(show), pipe_(CreateOutputPipe()), reader_(pipe_.readEnd.Get()) {
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

  // Reads what the pipe holds now, until it is empty or the batch is due to
  // be shown. False when the pipe was found empty.
  bool Read() {
    endedBeforeRead_ = ToolEnded();
    for (;;) {
      if (batch_.empty()) batchStart_ = ::GetTickCount64();
      if (!reader_.TryRead(batch_)) return outputFlows_ = false;
      if (Full() || Collected()) return outputFlows_ = true;
    }
  }

  // Shows the batch once it is due: full, collected long enough, or the pipe
  // is empty while the tool runs. What a tool that has ended wrote goes out
  // with the separator instead; a quick answer waits a moment for that end.
  void ShowWhenDue(bool pipeEmpty) {
    if (batch_.empty()) return;
    if (pipeEmpty && !WaitForEndOrOutput()) return;
    if (!pipeEmpty && !Full() && !Collected()) return;
    const ULONGLONG showStart = ::GetTickCount64();
    show_(batch_);
    const ULONGLONG showMs = ::GetTickCount64() - showStart;
    if (batch_.text.size() >= kMeasuredBytes && showMs > 0)
      batchLimit_ =
          std::clamp<std::size_t>(batch_.text.size() * kShowBudgetMs / showMs, kMeasuredBytes, kLargestBatchBytes);
    batch_ = {};
  }

  // Ends whatever of the tool still lives, its drain after its end included.
  // The run counts as stopped when the tool still ran, or its output still
  // came; not for what only lingers after the tool, as its console host does
  // for a moment.
  void Stop() {
    const bool toolRan = !ToolEnded();
    if (job_.Stop(process_.Get()) && (toolRan || outputFlows_)) stopped_ = true;
  }

  // The one place that decides that the run has ended: the tool has ended and
  // its pipe is empty. Its end must be known before the pipe was found empty:
  // else what it wrote just before it ended could still be on its way.
  bool Ended(bool pipeEmpty) const { return pipeEmpty && endedBeforeRead_; }

  // Sleeps until output arrives, the tool ends or the windows need attention
  // (looking again now and then in case a wake-up was missed).
  void Sleep() {
    const HANDLE endOrOutput[] = {process_.Get(), reader_.Event()};
    if (::MsgWaitForMultipleObjects(2, endOrOutput, FALSE, kRecheckMs,
                                    QS_PAINT | QS_SENDMESSAGE | InputWakeFlags()) == WAIT_FAILED)
      RaiseLastOSError();
  }

  RunEnd End() {
    if (!stopped_) job_.LetGo();
    RunEnd end;
    end.last = std::move(batch_);
    end.stopped = stopped_;
    DWORD code = 0;
    if (::GetExitCodeProcess(process_.Get(), &code)) end.exitCode = code;
    return end;
  }

  // For a run that fails: shows what was read and not shown yet.
  void ShowCollected() {
    if (batch_.empty()) return;
    show_(batch_);
    batch_ = {};
  }

 private:
  bool Full() const { return batch_.text.size() >= batchLimit_; }
  bool Collected() const { return ::GetTickCount64() - batchStart_ >= kBatchMs; }

  bool ToolEnded() {
    if (!toolEnded_) toolEnded_ = ::WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
    return toolEnded_;
  }

  // With the pipe empty: whether the batch should be shown now, rather than
  // with the separator (the tool has ended) or with more output (more came).
  // In a run's first half second the tool's end is waited for a moment.
  bool WaitForEndOrOutput() {
    if (ToolEnded()) return false;
    const DWORD grace = ::GetTickCount64() - start_ < kQuickAnswerMs ? kEndGraceMs : 0;
    if (grace == 0) return true;
    const HANDLE endOrOutput[] = {process_.Get(), reader_.Event()};
    const DWORD woke = ::WaitForMultipleObjects(2, endOrOutput, FALSE, grace);
    if (woke == WAIT_FAILED) RaiseLastOSError();
    if (woke == WAIT_OBJECT_0) toolEnded_ = true;
    return woke == WAIT_TIMEOUT;
  }

  static inline ToolRun* current_ = nullptr;

  const ShowOutput& show_;
  OutputPipe pipe_;
  ToolJob job_;
  UniqueHandle process_;
  ChunkReader reader_;
  ULONGLONG start_ = 0;
  OutputLines batch_;
  ULONGLONG batchStart_ = 0;
  std::size_t batchLimit_ = kFirstBatchBytes;
  bool toolEnded_ = false;
  bool endedBeforeRead_ = false;
  bool outputFlows_ = false;  // the last read left output in the pipe
  bool stopped_ = false;
};

}  // namespace

unsigned long InputWakeFlags() {
  static const DWORD flags = [] {
    const DWORD everything = QS_KEY | QS_MOUSE | QS_RAWINPUT | QS_TOUCH | QS_POINTER;
    return ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, everything) == WAIT_FAILED
               ? static_cast<DWORD>(QS_KEY | QS_MOUSE | QS_RAWINPUT)
               : everything;
  }();
  return flags;
}

void RaiseLastOSError() {
  const DWORD code = ::GetLastError();
  throw AppError(SystemErrorMessage(code, code ? DescribeSystemError(code) : std::string()));
}

RunEnd RunHidden(const std::string& commandLine, const ShowOutput& show, const AttendWindows& attend) {
  ToolRun run(commandLine, show);
  try {
    for (;;) {
      const bool pipeEmpty = !run.Read();
      run.ShowWhenDue(pipeEmpty);
      if (attend()) run.Stop();
      if (run.Ended(pipeEmpty)) return run.End();
      if (pipeEmpty) run.Sleep();
    }
  } catch (...) {
    run.ShowCollected();
    throw;
  }
}

void StopRunningTool() {
  if (ToolRun* run = ToolRun::Current()) run->Stop();
}
