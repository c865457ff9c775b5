// The program's own runner without its window: runs a command line with the
// same code the program runs it with, but hands the lines to nothing instead
// of the output area. Beside the raw reader and the program it shows how much
// of a run is our reading loop and how much the output area. Prints the
// milliseconds taken and the bytes of memo text formed.
//   RunnerAlone.exe COMMAND-LINE
#include <windows.h>

#include <cstdio>
#include <string>

#include "runner/Runner.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string commandLine = argv[1];
  for (int i = 2; i < argc; ++i) commandLine += std::string(" ") + argv[i];

  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  unsigned long long total = 0;
  try {
    const RunEnd end =
        RunHidden(commandLine, [&](const OutputLines& lines) { total += lines.text.size(); }, [] { return false; });
    total += end.last.text.size();
  } catch (const std::exception& e) {
    std::printf("0 %s\n", e.what());
    return 1;
  }
  ::QueryPerformanceCounter(&end);
  std::printf("%.1f %llu\n", (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart, total);
  return 0;
}
