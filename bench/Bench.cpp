// Measures how fast and how small the front end is, beside minimal programs
// that do the same work plainly, in one run on this machine, and prints a
// table. Not a test: the figures depend on the machine and its load.
//   zarvelt-bench.exe [RELEASE-EXE-SIZE-IN-BYTES [FIGURES]]
// FIGURES is one of start, memory, cpu, latency, throughput, tiny, size.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Harness.h"
#include "ui/ControlIds.h"

using namespace e2e;

namespace {

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now.QuadPart * 1000.0 / frequency;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

struct Row {
  std::string figure, measured, target, verdict;
};
std::vector<Row> rows;

void Report(const std::string& figure, const std::string& measured, const std::string& target,
            bool met) {
  rows.push_back({figure, measured, target, met ? "met" : "MISSED"});
  std::fprintf(stderr, "  %s: %s\n", figure.c_str(), measured.c_str());
}

// The program as a user starts it: from the desktop, without a console.
StartOptions AsUser() {
  StartOptions options;
  options.withoutConsole = true;
  return options;
}

HWND FindShownWindow(const char* className, DWORD pid) {
  for (HWND hwnd = ::FindWindowExA(nullptr, nullptr, className, nullptr); hwnd;
       hwnd = ::FindWindowExA(nullptr, hwnd, className, nullptr)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    if (owner == pid && ::IsWindowVisible(hwnd)) return hwnd;
  }
  return nullptr;
}

// From the start of the process until its window is shown, painted and the
// program waits for input.
double StartToPainted(const std::string& exe, const char* className) {
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double start = NowMs();
  if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        DriverFolder().c_str(), &si, &pi))
    return -1;
  HWND hwnd = nullptr;
  while (!(hwnd = FindShownWindow(className, pi.dwProcessId)) && NowMs() - start < 20000) ::Sleep(1);
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
  const double painted = NowMs();
  ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return painted - start;
}

// Runs a console program and returns what it printed.
std::string Capture(const std::string& commandLine) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readEnd, writeEnd;
  ::CreatePipe(&readEnd, &writeEnd, &sa, 0);
  ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = writeEnd;
  PROCESS_INFORMATION pi{};
  std::string line = commandLine;
  std::string output;
  if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    ::CloseHandle(writeEnd);
    char buffer[4096];
    DWORD read;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) output.append(buffer, read);
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
  } else {
    ::CloseHandle(writeEnd);
  }
  ::CloseHandle(readEnd);
  return output;
}

// Milliseconds the minimal reader takes for `repeat` runs of the tool, or 0
// when it fails (what it said is shown).
double ReaderMs(int repeat, const std::string& steps) {
  const std::string reader = "\"" + DriverFolder() + "\\MinimalReader.exe\" " + std::to_string(repeat) + " " + Tool(steps);
  const std::string said = Capture(reader);
  const double ms = std::atof(said.c_str());
  if (ms <= 0) std::fprintf(stderr, "  the minimal reader failed: %s\n", said.c_str());
  return ms;
}

// Lines in the output area, and whether the last full one is the separator.
struct MemoTail {
  LRESULT lines = 0;
  bool endsWithSeparator = false;
};

MemoTail Tail(const Program& app) {
  const HWND memo = app.Control(ids::kMemo);
  MemoTail tail;
  tail.lines = ::SendMessageA(memo, EM_GETLINECOUNT, 0, 0);
  if (tail.lines >= 2) {
    const LRESULT start = ::SendMessageA(memo, EM_LINEINDEX, static_cast<WPARAM>(tail.lines - 2), 0);
    tail.endsWithSeparator = ::SendMessageA(memo, EM_LINELENGTH, static_cast<WPARAM>(start), 0) == 47;
  }
  return tail;
}

// Waits (polling gently) until the output area holds `lines` lines ending in
// a separator. Each look is a message the program must answer, so the line
// count alone is asked for until it is reached.
bool WaitForLines(const Program& app, LRESULT lines, int ms) {
  const HWND memo = app.Control(ids::kMemo);
  const double end = NowMs() + ms;
  while (NowMs() < end) {
    if (::SendMessageA(memo, EM_GETLINECOUNT, 0, 0) >= lines && Tail(app).endsWithSeparator) return true;
    ::Sleep(20);
  }
  return false;
}

double PrivateMb() { return FindLinuxProcess("ZarveltGUI.exe").privateMb; }

void MeasureStart() {
  std::vector<double> program, minimal;
  const std::string gui = DriverFolder() + "\\ZarveltGUI.exe";
  const std::string plain = DriverFolder() + "\\MinimalWindow.exe";
  StartToPainted(gui, "TMainForm");  // warm the caches once
  StartToPainted(plain, "MinimalWindow");
  for (int i = 0; i < 9; ++i) {
    program.push_back(StartToPainted(gui, "TMainForm"));
    minimal.push_back(StartToPainted(plain, "MinimalWindow"));
  }
  const double ratio = Median(program) / Median(minimal);
  Report("start until the window is painted (median of 9)",
         Format("%.0f ms", Median(program)) + " vs " + Format("%.0f ms", Median(minimal)) + " minimal = " +
             Format("%.2f x", ratio),
         "<= 1.5 x", ratio <= 1.5);
}

void MeasureSilentCpu() {
  Program app(AsUser());
  app.Run(Tool("sleep:5000"));
  ::Sleep(500);
  const double cpu0 = FindLinuxProcess("ZarveltGUI.exe").cpuMs;
  const double wall0 = NowMs();
  ::Sleep(4000);
  const double cpu1 = FindLinuxProcess("ZarveltGUI.exe").cpuMs;
  const double wall1 = NowMs();
  const double share = (cpu1 - cpu0) / (wall1 - wall0);
  WaitForLines(app, 2, 10000);
  Report("CPU per second while a tool runs silently", Format("%.4f", share), "< 0.01", share < 0.01);
}

// Each look at the output area is a message the program must answer: looking
// too often takes the machine's two cores from the program being measured.
constexpr DWORD kLatencyPollMs = 4;

void MeasureLatency() {
  Program app(AsUser());
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  const HWND memo = app.Control(ids::kMemo);
  app.Run(Tool("stamps:40:100"));
  std::vector<double> latencies;
  std::size_t seen = 0;
  const double end = NowMs() + 15000;
  while (latencies.size() < 40 && NowMs() < end) {
    const LRESULT length = ::SendMessageA(memo, WM_GETTEXTLENGTH, 0, 0);
    if (static_cast<std::size_t>(length) <= seen) {
      ::Sleep(kLatencyPollMs);
      continue;
    }
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    const std::string text = WindowText(memo);
    for (std::size_t pos = seen; pos < text.size();) {
      const std::size_t br = text.find('\n', pos);
      if (br == std::string::npos) break;
      const long long stamp = std::atoll(text.c_str() + pos);
      if (stamp > 0) latencies.push_back((now.QuadPart - stamp) * 1000.0 / frequency.QuadPart);
      pos = br + 1;
    }
    seen = text.size();
  }
  WaitForLines(app, 2, 10000);
  const double median = Median(latencies);
  Report("latency from the tool's write to the text in Memo (median of " + std::to_string(latencies.size()) + ")",
         Format("%.1f ms", median), "< 30 ms", median < 30);
}

void MeasureThroughput(double& memoryAfter10Mb) {
  double oneMb = 0;
  for (const std::size_t mb : {1u, 10u}) {
    Program app(AsUser());
    const std::string steps = "bytes:" + std::to_string(mb * 1024 * 1024);
    const double start = NowMs();
    app.Run(Tool(steps));
    const bool done = WaitForLines(app, 3, 600000);
    const double ms = NowMs() - start;
    const double reader = ReaderMs(1, steps);
    if (mb == 1) oneMb = ms;
    if (mb == 10) memoryAfter10Mb = PrivateMb();
    const std::string figure = "click to separator, " + std::to_string(mb) + " MB of output";
    const std::string measured = (done ? Format("%.0f ms", ms) : std::string("did not finish")) +
                                 " vs " + Format("%.0f ms", reader) + " minimal reader = " + Format("%.1f x", ms / reader);
    if (mb == 1) {
      Report(figure, measured, "<= 3 x the reader", done && ms <= 3 * reader);
    } else {
      Report(figure, measured + ", " + Format("%.1f x", ms / oneMb) + " the 1 MB time",
             "about 10 x the 1 MB time", done && ms <= 12 * oneMb);
    }
  }
}

// 100 runs of a tool that writes one line, clicked one after another.
double TinyRunsMs(const StartOptions& options) {
  Program app(options);
  const HWND ukaz = app.Control(ids::kUkaz);
  const std::string line = Tool("out:x");
  ::SendMessageA(ukaz, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
  const double start = NowMs();
  for (int i = 0; i < 100; ++i)
    ::PostMessageA(app.Panel(), WM_COMMAND, MAKEWPARAM(ids::kZazeni, BN_CLICKED),
                   reinterpret_cast<LPARAM>(app.Control(ids::kZazeni)));
  return WaitForLines(app, 201, 120000) ? NowMs() - start : -1;
}

void ReportTinyRuns(const std::string& figure, double ms, double reader) {
  const bool measured = ms > 0 && reader > 0;
  Report(figure,
         measured ? Format("%.0f ms", ms) + " vs " + Format("%.0f ms", reader) + " minimal reader = " +
                        Format("%.2f x", ms / reader)
                  : std::string(ms > 0 ? "the minimal reader failed" : "did not finish"),
         "<= 1.5 x", measured && ms <= 1.5 * reader);
}

void MeasureTinyRuns() {
  // Started by the bench, the program shares its console with the tools it
  // runs, as the minimal reader does: no console is made for each run, and
  // what is left is the front end's own cost. Measured first, before the
  // consoles of the other measurement are about.
  const double reader = ReaderMs(100, "out:x");
  const double sharingConsole = TinyRunsMs(StartOptions{});
  const double asUser = TinyRunsMs(AsUser());
  ReportTinyRuns("100 tiny tool runs in a row", asUser, reader);
  ReportTinyRuns("the same, the program sharing a console with its tools", sharingConsole, reader);
}

}  // namespace

int main(int argc, char** argv) {
  SetScreenDpi(96);
  // An optional second argument picks the figures whose name contains it.
  const std::string only = argc > 2 ? argv[2] : "";
  auto wanted = [&](const char* name) { return only.empty() || std::string(name).find(only) != std::string::npos; };

  std::fprintf(stderr, "measuring...\n");
  if (wanted("start")) MeasureStart();
  if (wanted("memory")) {
    Program app(AsUser());
    ::Sleep(500);
    const double mb = PrivateMb();
    Report("private memory after start (RssAnon)", Format("%.1f MB", mb), "< 10 MB", mb >= 0 && mb < 10);
  }
  if (wanted("cpu")) MeasureSilentCpu();
  if (wanted("latency")) MeasureLatency();
  if (wanted("throughput memory")) {
    double after10Mb = 0;
    MeasureThroughput(after10Mb);
    Report("private memory after 10 MB of output (RssAnon)", Format("%.1f MB", after10Mb), "report", true);
  }
  if (wanted("tiny")) MeasureTinyRuns();
  if (argc > 1 && wanted("size")) {
    const double kb = std::atof(argv[1]) / 1024.0;
    Report("size of the release ZarveltGUI.exe (i686, static runtime)", Format("%.0f KB", kb), "< 1 MB", kb < 1024);
  }

  std::printf("| figure | measured | target | |\n|---|---|---|---|\n");
  for (const Row& row : rows)
    std::printf("| %s | %s | %s | %s |\n", row.figure.c_str(), row.measured.c_str(), row.target.c_str(),
                row.verdict.c_str());
  return 0;
}
