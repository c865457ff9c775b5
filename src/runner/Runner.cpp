#include "runner/Runner.h"

#include <windows.h>

#include "app/AppError.h"
#include "app/Owned.h"
#include "runner/RunText.h"

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOA) == 68, "the start-up information of 32-bit Windows");
static_assert(sizeof(SECURITY_ATTRIBUTES) == 12, "the security attributes of 32-bit Windows");
#endif

namespace {

constexpr DWORD kPeekSize = 1024;
constexpr DWORD kChunkSize = 1023;
// How long a stretch of steady output is collected before it is shown at once:
// each update of the output area costs far more than reading a chunk.
constexpr ULONGLONG kBatchMs = 40;
// How long the runner sleeps when the pipe is empty and the child still runs.
constexpr DWORD kIdleWaitMs = 15;

std::string DescribeSystemError(DWORD code) {
  char text[256];
  const DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       text, sizeof text, nullptr);
  return std::string(text, length);
}

// Lets the windows repaint themselves (and answer messages other programs
// send), but takes no user input.
void DispatchPaintOnly() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageA(&msg);
}

}  // namespace

void RaiseLastOSError() {
  const DWORD code = ::GetLastError();
  throw AppError(SystemErrorMessage(code, code ? DescribeSystemError(code) : std::string()));
}

void RunHidden(const std::string& commandLine, const ShowOutput& show) {
  SECURITY_ATTRIBUTES sa{};
  sa.nLength = sizeof sa;
  sa.bInheritHandle = TRUE;
  UniqueHandle readEnd, writeEnd;
  if (!::CreatePipe(readEnd.Receive(), writeEnd.Receive(), &sa, 0)) RaiseLastOSError();
  // The child needs only the write end.
  if (!::SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0)) RaiseLastOSError();

  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  si.wShowWindow = SW_HIDE;
  si.hStdInput = nullptr;
  si.hStdOutput = writeEnd.Get();
  si.hStdError = writeEnd.Get();
  std::string line = commandLine;  // CreateProcessA may write into it
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
    RaiseLastOSError();
  UniqueHandle process(pi.hProcess);
  ::CloseHandle(pi.hThread);  // not needed: the run waits on the process

  char buffer[kPeekSize + 1];
  std::string batch;
  ULONGLONG batchStart = 0;
  auto flush = [&] {
    if (batch.empty()) return;
    show(batch);
    batch.clear();
    DispatchPaintOnly();
  };

  // The run ends once the child has ended and everything it wrote is read:
  // after the child's end the pipe is drained to the last byte.
  bool ended = false;
  for (;;) {
    DWORD copied = 0, available = 0, leftInMessage = 0;
    if (!::PeekNamedPipe(readEnd.Get(), buffer, kPeekSize, &copied, &available, &leftInMessage))
      RaiseLastOSError();
    if (copied > 0) {
      DWORD read = 0;
      if (!::ReadFile(readEnd.Get(), buffer, kChunkSize, &read, nullptr)) RaiseLastOSError();
      if (batch.empty()) batchStart = ::GetTickCount64();
      AppendChunkLine(batch, buffer, read);
      if (::GetTickCount64() - batchStart >= kBatchMs) flush();
      continue;
    }
    flush();
    if (ended) break;
    // Sleep until the child ends, a window needs painting, or the idle
    // time is up; then let the windows repaint and answer what other
    // programs sent meanwhile.
    HANDLE waitFor = process.Get();
    const DWORD woke = ::MsgWaitForMultipleObjects(1, &waitFor, FALSE, kIdleWaitMs, QS_PAINT);
    if (woke == WAIT_FAILED) RaiseLastOSError();
    if (woke == WAIT_OBJECT_0) ended = true;
    DispatchPaintOnly();
  }
}
