// The tool the end-to-end tests run in place of the map tool. Called the way
// the front end calls the map tool (-i or -m first), it echoes its raw command
// line, then does the steps in ZARVELT_TESTTOOL_STEPS (space-separated), if
// that is set. Otherwise each argument is one step, done in order:
//   echo          writes its raw command line
//   out:TEXT      writes TEXT to standard output     (\n \r \0 \\ \xHH decoded)
//   err:TEXT      writes TEXT to standard error
//   bytes:N       writes N bytes (a repeating a..z pattern) in one write
//   flood:MS      writes 64 KB pieces of that pattern as fast as they are
//                 taken, for MS milliseconds (or until the output is gone)
//   sleep:MS      sleeps
//   stamps:N:MS   writes the performance counter N times, MS apart, a line each
//   exit:CODE     ends at once with that exit code (0x for hex, -1 too)
//   opens         for each argument after the first, writes "opens: ARG" or
//                 "cannot open: ARG", a line each, as it could open it or not
//   pid           writes "pid:" and its process id, a line
//   spawn:STEPS   starts the test tool with STEPS (comma-separated) as its
//                 arguments, sharing its output, and goes on at once
// Every write goes straight to the handle, unbuffered, in order.
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

void Write(DWORD which, const std::string& bytes) {
  HANDLE out = ::GetStdHandle(which);
  DWORD written = 0;
  std::size_t done = 0;
  while (done < bytes.size() &&
         ::WriteFile(out, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) &&
         written > 0)
    done += written;
}

std::string Decode(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      bytes += text[i];
      continue;
    }
    const char c = text[++i];
    if (c == 'n') bytes += '\n';
    else if (c == 'r') bytes += '\r';
    else if (c == '0') bytes += '\0';
    else if (c == 'x' && i + 2 < text.size()) {
      bytes += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else bytes += c;
  }
  return bytes;
}

std::string Pattern(std::size_t n) {
  std::string bytes(n, '\0');
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>('a' + i % 26);
  return bytes;
}

void Stamps(const std::string& countAndPause) {
  char* rest = nullptr;
  const unsigned long count = std::strtoul(countAndPause.c_str(), &rest, 10);
  const unsigned long pause = *rest == ':' ? std::strtoul(rest + 1, nullptr, 10) : 0;
  for (unsigned long i = 0; i < count; ++i) {
    ::Sleep(pause);
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    Write(STD_OUTPUT_HANDLE, std::to_string(now.QuadPart) + "\n");
  }
}

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

void Flood(unsigned long ms) {
  const std::string piece = Pattern(64 * 1024);
  const ULONGLONG end = ::GetTickCount64() + ms;
  HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD written = 0;
  while (::GetTickCount64() < end &&
         ::WriteFile(out, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr)) {
  }
}

void Spawn(std::string steps) {
  for (char& c : steps)
    if (c == ',') c = ' ';
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = "\"" + std::string(self) + "\" " + steps;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(self, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return;
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
}

int argCount = 0;
char** args = nullptr;

void Opens() {
  for (int i = 2; i < argCount; ++i) {
    const HANDLE file = ::CreateFileA(args[i], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    Write(STD_OUTPUT_HANDLE, std::string(file == INVALID_HANDLE_VALUE ? "cannot open: " : "opens: ") + args[i] + "\n");
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
  }
}

void Step(const std::string& step, const std::string& commandLine) {
  if (step == "echo") Write(STD_OUTPUT_HANDLE, commandLine);
  else if (StartsWith(step, "out:")) Write(STD_OUTPUT_HANDLE, Decode(step.substr(4)));
  else if (StartsWith(step, "err:")) Write(STD_ERROR_HANDLE, Decode(step.substr(4)));
  else if (StartsWith(step, "bytes:")) Write(STD_OUTPUT_HANDLE, Pattern(std::strtoul(step.c_str() + 6, nullptr, 10)));
  else if (StartsWith(step, "flood:")) Flood(std::strtoul(step.c_str() + 6, nullptr, 10));
  else if (StartsWith(step, "sleep:")) ::Sleep(std::strtoul(step.c_str() + 6, nullptr, 10));
  else if (StartsWith(step, "stamps:")) Stamps(step.substr(7));
  else if (step == "pid") Write(STD_OUTPUT_HANDLE, "pid:" + std::to_string(::GetCurrentProcessId()) + "\n");
  else if (StartsWith(step, "spawn:")) Spawn(step.substr(6));
  else if (step == "opens") Opens();
  else if (StartsWith(step, "exit:")) ::ExitProcess(static_cast<UINT>(std::strtoul(step.c_str() + 5, nullptr, 0)));
}

}  // namespace

int main(int argc, char** argv) {
  argCount = argc;
  args = argv;
  const std::string commandLine = ::GetCommandLineA();
  if (argc > 1 && (std::string(argv[1]) == "-i" || std::string(argv[1]) == "-m")) {
    Write(STD_OUTPUT_HANDLE, commandLine);
    char steps[1024] = {};
    if (::GetEnvironmentVariableA("ZARVELT_TESTTOOL_STEPS", steps, sizeof steps) > 0) {
      std::string rest = steps;
      for (std::size_t pos = 0; pos < rest.size();) {
        const std::size_t space = rest.find(' ', pos);
        const std::size_t end = space == std::string::npos ? rest.size() : space;
        if (end > pos) Step(rest.substr(pos, end - pos), commandLine);
        pos = end + 1;
      }
    }
    return 0;
  }
  for (int i = 1; i < argc; ++i) Step(argv[i], commandLine);
  return 0;
}
