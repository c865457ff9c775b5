// The yardstick for running the tool: a console program that runs a command
// line REPEAT times with its output in a pipe and reads it all, as plainly as
// it can be done. Prints the milliseconds taken and the bytes read.
//   MinimalReader.exe REPEAT COMMAND-LINE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const int repeat = std::atoi(argv[1]);
  std::string commandLine = argv[2];
  for (int i = 3; i < argc; ++i) commandLine += std::string(" ") + argv[i];

  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  unsigned long long total = 0;
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
    char buffer[1023];
    DWORD read;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) total += read;
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(readEnd);
  }
  ::QueryPerformanceCounter(&end);
  std::printf("%.1f %llu\n", (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart, total);
  return 0;
}
