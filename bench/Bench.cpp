// Measures how fast and how small the front end is, beside minimal programs
// that do the same work plainly, in one run on this machine, and prints a
// table. Not a test: the figures depend on the machine and its load.
//   zarvelt-bench.exe --program=EXE --bits=N --yardsticks=FOLDER [FIGURES]
// EXE is the program measured (the release build); FOLDER holds the minimal
// programs built for the same bitness. FIGURES picks the figures whose name
// contains it: start, memory, cpu, latency, throughput, volume, stop, flood,
// filling, tiny, soak, size.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Harness.h"
#include "WineOnly.h"
#include "ui/ControlIds.h"

using namespace e2e;

namespace {

std::string yardsticks;  // the folder of MinimalWindow.exe and MinimalReader.exe

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

std::string Ms(double ms) { return ms > 0 ? Format("%.0f ms", ms) : std::string("failed"); }

struct Row {
  std::string figure, measured, target, verdict;
};
std::vector<Row> rows;

void Report(const std::string& figure, const std::string& measured, const std::string& target, bool met) {
  rows.push_back({figure, measured, target, met ? "met" : "MISSED"});
  std::fprintf(stderr, "  %s: %s\n", figure.c_str(), measured.c_str());
}

void Note(const std::string& figure, const std::string& measured) {
  rows.push_back({figure, measured, "report", ""});
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

// Runs a program without a console, as from the desktop, and returns what it
// printed to its standard output.
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
  if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr, &si, &pi)) {
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

// The figures a yardstick prints, the first its milliseconds, or nothing when
// it fails (what it said is shown). Started without a console, as the
// program is, so that each tool it starts gets a console of its own too.
std::vector<double> Yardstick(const std::string& exe, const std::string& arguments) {
  const std::string said = Capture("\"" + yardsticks + "\\" + exe + "\" " + arguments);
  std::vector<double> figures;
  for (const char* p = said.c_str(); *p;) {
    char* end = nullptr;
    const double value = std::strtod(p, &end);
    if (end == p) break;
    figures.push_back(value);
    p = end;
  }
  if (figures.empty() || figures[0] <= 0) {
    std::fprintf(stderr, "  %s failed: %s\n", exe.c_str(), said.c_str());
    return {};
  }
  return figures;
}

double First(const std::vector<double>& figures) { return figures.empty() ? 0 : figures[0]; }

// The minimal reader (see MinimalReader.cpp): `repeat` runs of the tool, read
// `readSize` bytes at a time; its milliseconds to the last byte.
double ReaderMs(int repeat, int readSize, const std::string& steps, const std::string& options = "") {
  return First(Yardstick("MinimalReader.exe", std::to_string(repeat) + " " + std::to_string(readSize) + " " +
                                                  options + " " + Tool(steps)));
}

// The program's runner alone, without the output area.
double RunnerAloneMs(const std::string& steps) { return First(Yardstick("RunnerAlone.exe", Tool(steps))); }

// What one append of the whole text and its paint cost in an output area like
// the program's.
double MemoUpdateMs(const std::string& steps) {
  const std::vector<double> figures = Yardstick("MinimalReader.exe", "1 65536 --memo " + Tool(steps));
  return figures.size() >= 4 ? figures[3] : 0;
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

// Waits until the output area holds `lines` lines ending in a separator,
// looking every `pollMs`. Each look is a message the program must answer, so
// the line count alone is asked for until it is reached.
bool WaitForLines(const Program& app, LRESULT lines, int ms, DWORD pollMs = 20) {
  const HWND memo = app.Control(ids::kMemo);
  const double end = NowMs() + ms;
  while (NowMs() < end) {
    if (::SendMessageA(memo, EM_GETLINECOUNT, 0, 0) >= lines && Tail(app).endsWithSeparator) return true;
    ::Sleep(pollMs);
  }
  return false;
}

// The program measured, known by its whole path: other copies of it may run.
ProcessFigures Measured() { return FiguresOf(ProgramPath()); }

double PrivateMb() { return Measured().privateMb; }

void ClickZazeni(const Program& app) {
  ::PostMessageA(app.Panel(), WM_COMMAND, MAKEWPARAM(ids::kZazeni, BN_CLICKED),
                 reinterpret_cast<LPARAM>(app.Control(ids::kZazeni)));
}

void SetUkaz(const Program& app, const std::string& line) {
  ::SendMessageA(app.Control(ids::kUkaz), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

// ---- The figures ----------------------------------------------------------------

void MeasureStart() {
  std::vector<double> program, minimal;
  const std::string plain = yardsticks + "\\MinimalWindow.exe";
  StartToPainted(ProgramPath(), "TMainForm");  // warm the caches once
  StartToPainted(plain, "MinimalWindow");
  for (int i = 0; i < 9; ++i) {
    program.push_back(StartToPainted(ProgramPath(), "TMainForm"));
    minimal.push_back(StartToPainted(plain, "MinimalWindow"));
  }
  const double ratio = Median(program) / Median(minimal);
  Report("start until the window is painted (median of 9)",
         Ms(Median(program)) + " vs " + Ms(Median(minimal)) + " minimal window = " + Format("%.2f x", ratio),
         "<= 1.5 x", ratio <= 1.5);
}

void MeasureMemory() {
  Program app(AsUser());
  ::Sleep(500);
  const double mb = PrivateMb();
  Report("private memory after start (RssAnon)", Format("%.1f MB", mb), "< 10 MB", mb >= 0 && mb < 10);
}

void MeasureSilentCpu() {
  Program app(AsUser());
  app.Run(Tool("sleep:5000"));
  ::Sleep(500);
  const double cpu0 = Measured().cpuMs;
  const double wall0 = NowMs();
  ::Sleep(4000);
  const double cpu1 = Measured().cpuMs;
  const double wall1 = NowMs();
  const double share = (cpu1 - cpu0) / (wall1 - wall0);
  WaitForLines(app, 2, 10000);
  Report("CPU per second of wall time while a tool is silent for 5 s", Format("%.4f", share), "< 0.01",
         share < 0.01);
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

// Click to separator for `mb` megabytes in one write, in a fresh program.
double ClickToSeparatorMs(std::size_t mb) {
  Program app(AsUser());
  const std::string steps = "bytes:" + std::to_string(mb * 1024 * 1024);
  const double start = NowMs();
  app.Run(Tool(steps));
  const bool done = WaitForLines(app, 3, 600000, 5);
  const double ms = NowMs() - start;
  return done ? ms : -1;
}

void MeasureThroughput() {
  constexpr int kRawRead = 65536;
  const std::string oneMb = "bytes:1048576";
  std::vector<double> program, raw, runner, memo;
  for (int i = 0; i < 5; ++i) {
    program.push_back(ClickToSeparatorMs(1));
    raw.push_back(ReaderMs(1, kRawRead, oneMb));
    runner.push_back(RunnerAloneMs(oneMb));
    memo.push_back(MemoUpdateMs(oneMb));
  }
  const double p = Median(program), r = Median(raw), o = Median(runner), m = Median(memo);
  Report("click to separator, 1 MB of output (median of 5)",
         Ms(p) + " vs " + Ms(r) + " raw reader = " + Format("%.2f x", p / r), "<= 3 x the raw reader",
         p > 0 && r > 0 && p <= 3 * r);
  Note("where the 1 MB time goes",
       "our runner alone, without the output area: " + Ms(o) + "; the edit control at its cheapest, the whole "
       "text in one append and one paint: " + Ms(m) + "; the rest of the program's time: " +
           Format("%.0f ms", p - o - m));

}

// One run of `mb` MB of output in a fresh program, from the click to the
// separator, asking the window for its line count every 10 ms from here.
struct VolumeRun {
  double ms = -1;
  double longestAnswerMs = 0;  // the longest the window left that question unanswered
  bool whole = false;          // the text holds every byte, each chunk a line
  double privateMb = -1;
};

VolumeRun RunVolume(std::size_t mb) {
  Program app(AsUser());
  const HWND memo = app.Control(ids::kMemo);
  const std::size_t bytes = mb << 20;
  VolumeRun run;
  const double start = NowMs();
  app.Run(Tool("bytes:" + std::to_string(bytes)));
  while (NowMs() - start < 900000) {
    const double asked = NowMs();
    DWORD_PTR lines = 0;
    ::SendMessageTimeoutA(memo, EM_GETLINECOUNT, 0, 0, SMTO_NORMAL, 60000, &lines);
    run.longestAnswerMs = std::max(run.longestAnswerMs, NowMs() - asked);
    // The end is looked for only once there can be as many lines (each look
    // walks the area's lines).
    if (lines >= (bytes + 1022) / 1023 + 2 && Tail(app).endsWithSeparator) {
      run.ms = NowMs() - start;
      break;
    }
    ::Sleep(10);
  }
  // Every byte: the characters up to the end of the last line are the
  // output's bytes, a line break after each of its lines, and the separator
  // with its line break.
  const auto lines = static_cast<std::size_t>(::SendMessageA(memo, EM_GETLINECOUNT, 0, 0));
  const auto last = ::SendMessageA(memo, EM_LINEINDEX, lines - 1, 0);
  const auto characters = static_cast<std::size_t>(last + ::SendMessageA(memo, EM_LINELENGTH, last, 0));
  run.whole = run.ms > 0 && lines >= 3 && characters == bytes + 2 * (lines - 2) + 47 + 2;
  run.privateMb = PrivateMb();
  return run;
}

// 1, 10 and 72 MB of output, each the median of five fresh programs (three
// for 72 MB): the time must grow linearly, with the window answering
// throughout.
void MeasureVolume() {
  std::string measured;
  double oneMb = 0, tenMb = 0, longest = 0;
  bool linear = true, whole = true;
  for (const std::size_t mb : {1u, 10u, 72u}) {
    std::vector<double> times;
    double worstAnswer = 0, memory = 0;
    for (int i = 0; i < (mb == 72 ? 3 : 5); ++i) {
      const VolumeRun run = RunVolume(mb);
      times.push_back(run.ms);
      worstAnswer = std::max(worstAnswer, run.longestAnswerMs);
      memory = std::max(memory, run.privateMb);
      whole = whole && run.whole;
      if (!run.whole) std::fprintf(stderr, "  %zu MB: the output did not arrive whole\n", mb);
    }
    const double ms = Median(times);
    longest = std::max(longest, worstAnswer);
    std::string ratio;
    if (mb == 1) oneMb = ms;
    if (mb == 10) {
      tenMb = ms;
      ratio = "; " + Format("%.1f x", ms / oneMb) + " the 1 MB time";
      linear = linear && ms <= 10 * oneMb;
    }
    if (mb == 72) {
      ratio = "; " + Format("%.1f x", ms / tenMb) + " the 10 MB time";
      linear = linear && ms <= 8 * tenMb;
    }
    Report("click to separator, " + std::to_string(mb) + " MB of output (median of " + std::to_string(times.size()) + ")",
           Ms(ms) + ratio + "; longest unanswered " + Ms(worstAnswer) + "; private memory after it " +
               Format("%.0f MB", memory) + (whole ? "; every byte arrived" : "; NOT WHOLE"),
           mb == 1 ? "report" : mb == 10 ? "<= 10 x the 1 MB time, answers within 0.5 s" : "<= 8 x the 10 MB time, answers within 0.5 s",
           ms > 0 && whole && worstAnswer < 500 && (mb == 1 || linear));
  }
}

// From a real click on Ustavi to the separator, the tool silent; and the
// longest the window leaves a message unanswered during a run with 10 MB of
// output, asked from here every 10 ms.
void MeasureStop() {
  Program app(AsUser());
  ::SetForegroundWindow(app.Main());
  WaitUntil([&] { return ::GetForegroundWindow() == app.Main(); }, 3000);
  const HWND memo = app.Control(ids::kMemo);
  std::vector<double> stops;
  for (int i = 0; i < 20; ++i) {
    const LRESULT before = ::SendMessageA(memo, EM_GETLINECOUNT, 0, 0);
    app.Run(Tool("out:x sleep:60000"));
    if (!WaitUntil([&] { return ::SendMessageA(memo, EM_GETLINECOUNT, 0, 0) > before && app.Visible(ids::kUstavi); }))
      break;
    const double start = NowMs();
    ClickAt(app.CentreOf(ids::kUstavi));
    if (!WaitForLines(app, before + 2, 10000, 2)) break;
    stops.push_back(NowMs() - start);
  }
  const double stop = stops.size() == 20 ? Median(stops) : -1;
  Report("click on Ustavi to the separator (median of 20)", Ms(stop), "< 0.3 s", stop > 0 && stop < 300);

  Program flood(AsUser());
  const HWND floodMemo = flood.Control(ids::kMemo);
  flood.Run(Tool("bytes:10485760"));
  double longest = 0;
  const double end = NowMs() + 600000;
  while (NowMs() < end) {
    const double asked = NowMs();
    DWORD_PTR lines = 0;
    ::SendMessageTimeoutA(floodMemo, EM_GETLINECOUNT, 0, 0, SMTO_NORMAL, 60000, &lines);
    longest = std::max(longest, NowMs() - asked);
    if (lines > 10485760 / 1023 && Tail(flood).endsWithSeparator) break;
    ::Sleep(10);
  }
  Report("longest message left unanswered during a run with 10 MB of output", Ms(longest), "< 0.5 s",
         longest > 0 && longest < 500);
}

// Puts the pointer on `screen` as SetCursorPos does, repeated until the
// system reads it there: under Xvfb the echo of an earlier warp can move it
// back, and a click would then measure the X server.
void PutPointer(POINT screen) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    ::SetCursorPos(screen.x, screen.y);
    POINT now{};
    if (WaitUntil([&] { return ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y; }, 100)) return;
  }
}

// How a stop is given under a flood of output.
enum class Stop {
  QuickClick,    // the pointer put on Ustavi, 60 ms later the press, held 60 ms: a user's quick click
  RestingClick,  // the same with the pointer resting on Ustavi for a second before the press
  Escape,
};

// A stop while the tool pours out output as fast as it is taken (64 KB
// pieces), 1.5 s into the run, from the press to the run's end (Ustavi
// hidden, after the separator). Three runs in each of seven fresh programs,
// so that first stops count as often as later ones. The pointer rests on the
// output area while the output comes, as a user's does who reads it.
void MeasureStopUnderFlood(Stop how) {
  std::vector<double> stops, firsts;
  int failed = 0, lost = 0;  // lost: the stop was not taken within 20 s
  for (int program = 0; program < 7; ++program) {
    Program app(AsUser());
    ::SetForegroundWindow(app.Main());
    WaitUntil([&] { return ::GetForegroundWindow() == app.Main(); }, 3000);
    const HWND stop = app.Control(ids::kUstavi);
    for (int run = 0; run < 3; ++run) {
      PutPointer(app.CentreOf(ids::kMemo));
      app.Run(Tool("flood:60000"));
      if (!WaitUntil([&] { return ::IsWindowVisible(stop) != FALSE; }, 5000)) {
        ++failed;
        break;
      }
      const POINT button = app.CentreOf(ids::kUstavi);
      if (how == Stop::RestingClick) {
        ::Sleep(500);
        PutPointer(button);
        ::Sleep(1000);
      } else {
        ::Sleep(1500);
        if (how == Stop::QuickClick) {
          PutPointer(button);
          ::Sleep(60);
        }
      }
      const double start = NowMs();
      if (how == Stop::Escape) {
        PressKeys({VK_ESCAPE});
      } else {
        LeftButton(true);
        ::Sleep(60);
        LeftButton(false);
      }
      while (::IsWindowVisible(stop) && NowMs() - start < 20000) ::Sleep(2);
      if (::IsWindowVisible(stop)) {
        ++failed;
        ++lost;
        break;
      }
      stops.push_back(NowMs() - start);
      if (run == 0) firsts.push_back(stops.back());
      app.Sync();
    }
  }
  std::sort(stops.begin(), stops.end());
  const double median = stops.empty() ? -1 : Median(stops), worst = stops.empty() ? -1 : stops.back();
  std::string first;
  for (double ms : firsts) first += (first.empty() ? "" : " ") + Format("%.0f", ms);
  const char* what = how == Stop::QuickClick     ? "a quick click on Ustavi"
                     : how == Stop::RestingClick ? "a click on Ustavi, the pointer resting on it for 1 s"
                                                 : "Esc";
  Report(std::string(what) + " to the run's end during a flood of output (median, worst of " +
             std::to_string(stops.size()) + " in 7 fresh programs" +
             (failed ? ", " + std::to_string(failed) + " FAILED, " + std::to_string(lost) + " of them not taken" : "") +
             ")",
         Ms(median) + ", " + Ms(worst) + " [first of each program: " + first + "]", "median <= 0.3 s, worst <= 0.5 s",
         !failed && stops.size() == 21 && median <= 300 && worst <= 500);
}

// 2 MB of output into an output area that already holds 0, 10 and 20 MB:
// click to separator (median of 3 in a row), and the longest a message from
// another program waited meanwhile.
void MeasureFilling() {
  Program app(AsUser());
  const HWND memo = app.Control(ids::kMemo);
  LRESULT lines = 1;
  std::size_t held = 0;
  // Runs `bytes` of output to its separator; its milliseconds, and the
  // longest unanswered message in `longest`.
  auto run = [&](std::size_t bytes, double& longest) {
    app.Run(Tool("bytes:" + std::to_string(bytes)));
    lines += static_cast<LRESULT>((bytes + 1022) / 1023) + 1;
    const double start = NowMs();
    while (NowMs() - start < 600000) {
      const double asked = NowMs();
      DWORD_PTR count = 0;
      ::SendMessageTimeoutA(memo, EM_GETLINECOUNT, 0, 0, SMTO_NORMAL, 60000, &count);
      longest = std::max(longest, NowMs() - asked);
      if (static_cast<LRESULT>(count) >= lines && Tail(app).endsWithSeparator) break;
      ::Sleep(10);
    }
    held += bytes;
    return NowMs() - start;
  };
  std::string measured;
  double base = 0, worstAnswer = 0, worstRatio = 0;
  for (const std::size_t mb : {0u, 10u, 20u}) {
    double ignored = 0;
    if (held < mb << 20) run((mb << 20) - held, ignored);
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) times.push_back(run(2 << 20, worstAnswer));
    const double ms = Median(times);
    if (mb == 0) base = ms;
    worstRatio = std::max(worstRatio, ms / base);
    measured += (measured.empty() ? "" : "; ") + std::to_string(mb) + " MB held: " + Ms(ms);
  }
  Report("2 MB into an output area holding 0, 10 and 20 MB (median of 3)",
         measured + " (" + Format("%.2f x", worstRatio) + ")", "<= 2 x the time at 0 MB", worstRatio <= 2);
  Report("longest a message from another program waited meanwhile", Ms(worstAnswer), "< 0.5 s",
         worstAnswer > 0 && worstAnswer < 500);
}

// 100 runs of a tool that writes one line, clicked one after another.
void MeasureTinyRuns() {
  const double reader = ReaderMs(100, 1023, "out:x", "--after-exit");
  Program app(AsUser());
  SetUkaz(app, Tool("out:x"));
  const double start = NowMs();
  for (int i = 0; i < 100; ++i) ClickZazeni(app);
  const double ms = WaitForLines(app, 201, 120000) ? NowMs() - start : -1;
  Report("100 tiny tool runs in a row",
         Ms(ms) + " vs " + Ms(reader) + " minimal reader = " + Format("%.2f x", ms / reader), "<= 1.5 x",
         ms > 0 && reader > 0 && ms <= 1.5 * reader);
}

// What the program holds: its handles, its Linux file descriptors (under
// Wine), and its private memory.
struct Holdings {
  long handles = -1;
  int openFiles = -1;
  double privateMb = -1;
};

Holdings HoldingsOf(const Program&) {
  Holdings h;
  const ProcessFigures process = Measured();
  h.handles = process.handles;
  h.openFiles = process.openFiles;
  h.privateMb = process.privateMb;
  return h;
}

std::string Show(const Holdings& h) {
  return std::to_string(h.handles) + " handles, " + std::to_string(h.openFiles) + " file descriptors, " +
         Format("%.1f MB", h.privateMb);
}

// What is going on when a run takes too long: the end of the output area,
// whether the program answers, and whether a tool is still there.
void DescribeSlowRun(const Program& app, int run) {
  const HWND memo = app.Control(ids::kMemo);
  DWORD_PTR lines = 0;
  const bool answers =
      ::SendMessageTimeoutA(memo, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &lines) != 0;
  const std::string text = answers ? WindowText(memo) : std::string();
  std::string tail = text.substr(text.size() > 120 ? text.size() - 120 : 0);
  for (char& c : tail)
    if (c == '\r') c = '<'; else if (c == '\n') c = '>';
  const ProcessFigures tool = FiguresOf("zarvelt-testtool.exe");
  std::string shown;
  for (HWND window : app.OtherWindows()) {
    const MessageBoxView box = ReadMessageBox(window);
    shown += " [" + box.caption + ": " + box.text + "]";
  }
  std::fprintf(stderr, "  run %d is slow: the program %s, %lu lines, ends \"%s\"; a tool %s (cpu %.0f ms); shown:%s\n",
               run, answers ? "answers" : "does not answer", static_cast<unsigned long>(lines), tail.c_str(),
               tool.cpuMs >= 0 ? "is running" : "is not running", tool.cpuMs, shown.empty() ? " nothing else" : shown.c_str());
}

// 1000 tiny runs through Zazeni, one after the other, each timed from its
// click to its separator.
void MeasureSoak() {
  Program app(AsUser());
  SetUkaz(app, Tool("out:x"));
  std::vector<double> times;
  std::vector<std::string> failures;  // runs that ended with the error box
  Holdings after50;
  LRESULT lines = 1;
  for (int i = 0; i < 1000; ++i) {
    const double start = NowMs();
    ClickZazeni(app);
    if (!WaitForLines(app, lines + 2, 5000, 2)) {
      DescribeSlowRun(app, i + 1);
      const std::vector<HWND> boxes = app.OtherWindows();
      if (!boxes.empty()) {
        // The run failed: what the error box says is counted, and the soak goes on.
        failures.push_back(ReadMessageBox(boxes.front()).text);
        PressDialogButton(boxes.front(), IDOK);
        WaitUntil([&] { return !::IsWindow(boxes.front()); });
        app.Sync();
        continue;
      }
      if (!WaitForLines(app, lines + 2, 55000, 2)) {
        DescribeSlowRun(app, i + 1);
        Report("soak: 1000 tiny runs", "run " + std::to_string(i + 1) + " did not end within 60 s", "", false);
        return;
      }
    }
    lines += 2;
    times.push_back(NowMs() - start);
    if (i == 49) after50 = HoldingsOf(app);
  }
  ::Sleep(500);
  const Holdings after1000 = HoldingsOf(app);
  const double longest = *std::max_element(times.begin(), times.end());
  Report("soak: 1000 tiny runs through Zazeni, the longest",
         Ms(longest) + " (median " + Ms(Median(times)) + ")", "none over 5 s", longest <= 5000);
  std::string failed = std::to_string(failures.size());
  for (std::string text : failures) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    failed += "; " + text;
  }
  Report("soak: runs that ended with the error box", failed, "none", failures.empty());
  // Within noise: a few handles or descriptors, half a megabyte.
  const bool steady = after1000.handles <= after50.handles + 5 && after1000.openFiles <= after50.openFiles + 5 &&
                      after1000.privateMb <= after50.privateMb + 0.5;
  Report("soak: what the program holds after 50 runs and after 1000",
         Show(after50) + " / " + Show(after1000), "no higher after 1000, within noise", steady);
}

void MeasureSize() {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ::GetFileAttributesExA(ProgramPath().c_str(), GetFileExInfoStandard, &data);
  const double kb = data.nFileSizeLow / 1024.0;
  Report("size of the release ZarveltGUI.exe (static runtime)", Format("%.0f KB", kb), "< 1 MB", kb > 0 && kb < 1024);
}

}  // namespace

int main(int argc, char** argv) {
  TakeProgramArguments(argc, argv);
  std::string only;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--yardsticks=", 0) == 0) {
      yardsticks = arg.substr(13);
      std::replace(yardsticks.begin(), yardsticks.end(), '/', '\\');
    } else {
      only = arg;
    }
  }
  if (yardsticks.empty()) yardsticks = DriverFolder();
  wineonly::SetScreenDpi(96);
  auto wanted = [&](const char* name) { return only.empty() || std::string(name).find(only) != std::string::npos; };

  std::fprintf(stderr, "measuring %s (%d-bit)...\n", ProgramPath().c_str(), ProgramBits());
  if (wanted("start")) MeasureStart();
  if (wanted("memory")) MeasureMemory();
  if (wanted("cpu")) MeasureSilentCpu();
  if (wanted("latency")) MeasureLatency();
  if (wanted("throughput memory")) MeasureThroughput();
  if (wanted("throughput volume")) MeasureVolume();
  if (wanted("stop")) MeasureStop();
  if (wanted("stop flood")) {
    MeasureStopUnderFlood(Stop::QuickClick);
    MeasureStopUnderFlood(Stop::RestingClick);
    MeasureStopUnderFlood(Stop::Escape);
  }
  if (wanted("filling")) MeasureFilling();
  if (wanted("tiny")) MeasureTinyRuns();
  if (wanted("soak")) MeasureSoak();
  if (wanted("size")) MeasureSize();

  std::printf("| figure | measured | target | |\n|---|---|---|---|\n");
  for (const Row& row : rows)
    std::printf("| %s | %s | %s | %s |\n", row.figure.c_str(), row.measured.c_str(), row.target.c_str(),
                row.verdict.c_str());
  return 0;
}
