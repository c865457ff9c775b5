// The yardsticks for running the tool, as plainly as it can be done: a program
// that runs a command line REPEAT times, each time with its output in one
// pipe whose write end it closes at once, and reads it with blocking reads of
// READ-SIZE bytes. Each tool is started as the front end starts it: creation
// flags 0, hidden, no standard input.
//   MinimalReader.exe REPEAT READ-SIZE [--after-exit] [--memo] COMMAND-LINE
// Prints: the milliseconds from the start to the last byte of the last run,
// the bytes read, the milliseconds to the end of the data; with --memo also
// the milliseconds the output area took.
//
// Under Wine a console tool started from a program without a console gets a
// console host that holds the pipe too: the end of data comes only when that
// host has gone, about 0.1 s after the tool. So a run's time is taken to its
// last byte, and --after-exit (for output that fits the pipe) waits for the
// tool's end and then takes what the pipe holds, as the front end does.
// --memo shows what was read in an output area like the front end's (the same
// control, styles, font and size, the same 1023-byte lines), in one append
// and one paint after the last run.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now;
}

double MsBetween(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

// A shown window with a multi-line edit control like the front end's Memo.
HWND CreateMemo() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  HWND frame = ::CreateWindowExA(0, "STATIC", "MinimalMemo", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0, 600,
                                 640, nullptr, nullptr, nullptr, nullptr);
  HWND memo = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                                    ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                                8, 192, 569, 401, frame, nullptr, nullptr, nullptr);
  HFONT font = ::CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, EASTEUROPE_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
  ::SendMessageA(memo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SendMessageA(memo, EM_SETLIMITTEXT, 0, 0);
  // Text drawn once before the measurement, so that it does not include the
  // font's first use.
  ::SetWindowTextA(memo, "abcdefghijklmnopqrstuvwxyz\r\n");
  ::UpdateWindow(frame);
  ::SetWindowTextA(memo, "");
  ::UpdateWindow(frame);
  return memo;
}

void Show(HWND memo, const std::string& bytes) {
  std::string lines;
  lines.reserve(bytes.size() + bytes.size() / 1023 * 2 + 64);
  for (std::size_t done = 0; done < bytes.size(); done += 1023) {
    lines.append(bytes, done, 1023);
    lines += "\r\n";
  }
  lines += "-----------------------------------------------\r\n";
  const LRESULT end = ::SendMessageA(memo, WM_GETTEXTLENGTH, 0, 0);
  ::SendMessageA(memo, EM_SETSEL, static_cast<WPARAM>(end), end);
  ::SendMessageA(memo, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(lines.c_str()));
  ::UpdateWindow(memo);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const int repeat = std::atoi(argv[1]);
  const DWORD readSize = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
  if (repeat < 1 || readSize < 1) return 2;
  bool afterExit = false, withMemo = false;
  int first = 3;
  for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
    afterExit |= std::strcmp(argv[first], "--after-exit") == 0;
    withMemo |= std::strcmp(argv[first], "--memo") == 0;
  }
  if (first >= argc) return 2;
  std::string commandLine = argv[first];
  for (int i = first + 1; i < argc; ++i) commandLine += std::string(" ") + argv[i];

  const HWND memo = withMemo ? CreateMemo() : nullptr;
  std::vector<char> buffer(readSize);
  std::string kept;
  unsigned long long total = 0;
  const LARGE_INTEGER start = Now();
  LARGE_INTEGER lastByte = start, endOfData = start;
  for (int run = 0; run < repeat; ++run) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0)) return 1;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_HIDE;
    si.hStdOutput = writeEnd;
    si.hStdError = writeEnd;
    PROCESS_INFORMATION pi;
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
      std::printf("0 cannot start run %d: error %lu\n", run + 1, ::GetLastError());
      return 1;
    }
    ::CloseHandle(writeEnd);
    auto take = [&](DWORD read) {
      total += read;
      if (memo) kept.append(buffer.data(), read);
      lastByte = Now();
    };
    DWORD read = 0;
    if (afterExit) {
      ::WaitForSingleObject(pi.hProcess, INFINITE);
      DWORD available = 0;
      while (::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
             ::ReadFile(readEnd, buffer.data(), readSize, &read, nullptr) && read > 0)
        take(read);
      lastByte = Now();
    } else {
      while (::ReadFile(readEnd, buffer.data(), readSize, &read, nullptr) && read > 0) take(read);
      ::WaitForSingleObject(pi.hProcess, INFINITE);
    }
    endOfData = Now();
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(readEnd);
  }
  std::printf("%.1f %llu %.1f", MsBetween(start, lastByte), total, MsBetween(start, endOfData));
  if (memo) {
    const LARGE_INTEGER before = Now();
    Show(memo, kept);
    std::printf(" %.1f", MsBetween(before, Now()));
  }
  std::printf("\n");
  std::fflush(stdout);
  return 0;
}
