#include "runner/Runner.h"

#include <windows.h>

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
  bool TryRead(std::string& lines) {
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
  void AppendChunks(std::string& lines, DWORD size) const {
    for (DWORD done = 0; done < size;) {
      const DWORD chunk = size - done < kChunkSize ? size - done : kChunkSize;
      AppendChunkLine(lines, buffer_ + done, chunk);
      done += chunk;
    }
  }

  HANDLE pipe_;
  UniqueHandle done_;
  OVERLAPPED overlapped_{};
  bool pending_ = false;
  char buffer_[kReadSize];
};

}  // namespace

void RaiseLastOSError() {
  const DWORD code = ::GetLastError();
  throw AppError(SystemErrorMessage(code, code ? DescribeSystemError(code) : std::string()));
}

std::string RunHidden(const std::string& commandLine, const ShowOutput& show, const AttendWindows& attend) {
  OutputPipe pipe = CreateOutputPipe();

  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = nullptr;
  si.hStdOutput = pipe.writeEnd.Get();
  si.hStdError = pipe.writeEnd.Get();
  std::string line = commandLine;  // CreateProcessA may write into it
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
    RaiseLastOSError();
  const ULONGLONG runStart = ::GetTickCount64();
  UniqueHandle process(pi.hProcess);
  ::CloseHandle(pi.hThread);  // not needed: the run waits on the process

  ChunkReader reader(pipe.readEnd.Get());
  std::string batch;
  ULONGLONG batchStart = 0;
  auto flush = [&] {
    if (batch.empty()) return;
    show(batch);
    batch.clear();
    attend();
  };

  // The run ends once the child has ended and everything it wrote is read:
  // after the child's end the pipe is drained to the last byte. The waits
  // below wake for either.
  const HANDLE endOrOutput[] = {process.Get(), reader.Event()};
  bool ended = false;
  for (;;) {
    if (batch.empty()) batchStart = ::GetTickCount64();
    if (reader.TryRead(batch)) {
      if (::GetTickCount64() - batchStart >= kBatchMs) flush();
      continue;
    }
    // Output of a tool that has ended goes out with the separator. A quick
    // answer waits a moment for that end; more output in the meantime is read
    // into the batch.
    if (!ended && !batch.empty()) {
      const DWORD grace = ::GetTickCount64() - runStart < kQuickAnswerMs ? kEndGraceMs : 0;
      const DWORD woke = ::WaitForMultipleObjects(2, endOrOutput, FALSE, grace);
      if (woke == WAIT_FAILED) RaiseLastOSError();
      if (woke == WAIT_OBJECT_0) ended = true;
      if (woke != WAIT_TIMEOUT) continue;
    }
    if (ended) return batch;
    flush();
    // Sleep until output arrives, the child ends or the windows need attention.
    const DWORD woke =
        ::MsgWaitForMultipleObjects(2, endOrOutput, FALSE, kRecheckMs, QS_PAINT | QS_SENDMESSAGE | QS_INPUT);
    if (woke == WAIT_FAILED) RaiseLastOSError();
    if (woke == WAIT_OBJECT_0 ||
        (woke == WAIT_TIMEOUT && ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0))
      ended = true;
    attend();
  }
}
