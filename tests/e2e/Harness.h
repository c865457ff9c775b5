#pragma once
// Drives the real program from outside, through its windows, as a user would:
// starts it, finds its windows and controls, clicks, fills dialogs and reads
// back what is on the screen.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Polls `done` every 10 ms until it holds or `ms` milliseconds have passed.
bool WaitUntil(const std::function<bool()>& done, int ms = 10000);

// Waits ZARVELT_HOLD_MS milliseconds when that is set, so that what is on
// the screen can be pictured; otherwise returns at once.
void HoldForPicture();

// The folder of the test driver; the tools it runs are built beside it.
std::string DriverFolder();

// The program under test: the one given to the driver (the 32-bit release
// build, "--program=Z:/path/ZarveltGUI.exe" under Wine), otherwise the
// ZarveltGUI.exe built beside the driver.
std::string ProgramPath();
// Whether the program under test is a 32- or 64-bit build (--bits=32 or 64),
// or 0 when not said.
int ProgramBits();
// Whether the program under test is the build that takes, under Wine, the
// paths the program takes on Windows (--windows-paths): no job for the tool,
// no short names.
bool WindowsPathsProgram();
// The system code page the driver was started to run the program under
// (--code-page=N), or 0 when not said.
unsigned CodePageAsked();
// Takes --program=PATH, --bits=N, --windows-paths and --code-page=N out of the
// driver's arguments.
void TakeProgramArguments(int& argc, char** argv);

// A fresh, empty folder for one test (under the system's temporary folder).
std::string TestFolder(const std::string& name);
// A folder kept from run to run (under the system's temporary folder), made
// when missing: for test data that takes long to make.
std::string KeptFolder(const std::string& name);
// Creates a file with the given bytes; returns its path.
std::string MakeFile(const std::string& path, const std::string& bytes = "IMG");
// The same with a name in any letters.
std::wstring MakeFile(const std::wstring& path, const std::string& bytes = "IMG");
// Text in the system's code page and back, as the driver's own 8-bit text is.
std::wstring Wide(const std::string& text);

std::string WindowText(HWND hwnd);
// The same as wide text, whatever the system's code page.
std::wstring WideText(HWND hwnd);
std::string ClassOf(HWND hwnd);
RECT ClientRectOf(HWND hwnd);
// A window's rectangle relative to the client area of `parent`.
RECT RectIn(HWND hwnd, HWND parent);

struct StartOptions {
  std::string exe;                     // the program under test unless given
  int show = -1;                       // the launch's show request, or none
  std::string folder;                  // current folder, or the driver's
  // Started as from the desktop, without a console. Otherwise, under Wine, the
  // program shares the driver's console, and so do the console tools it runs,
  // which then start faster than they would for a user.
  bool withoutConsole = false;
};

// A fresh folder for one test, named after it with `suffix`, holding a copy
// of the program under test and, as its map tool Zarvelt.exe, the test tool,
// and the empty maps a.img, b.img and c.img. Options that start the program
// there.
StartOptions ProgramBesideTool(const std::string& suffix, std::string& folder);

class Program {
 public:
  explicit Program(const StartOptions& options = {});
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();  // ends the program if it is still running

  DWORD Pid() const { return pi_.dwProcessId; }
  HANDLE Process() const { return pi_.hProcess; }
  HWND Main() const { return main_; }
  HWND Panel() const { return panel_; }
  HWND Control(int id) const;

  // Reading what the user sees.
  std::string Text(int id) const;
  bool Enabled(int id) const;
  bool Visible(int id) const;
  std::vector<std::string> Items() const;
  std::size_t ItemCount() const;
  std::vector<int> SelectedIndexes() const;
  HWND Focus() const;

  // Acting as the user does.
  void Click(int id);                           // a click on a button
  void SelectOnly(const std::vector<int>& indexes);  // a selection in the list
  void PressKey(UINT vk);                       // a key press into the focused control (posted)

  // The middle of a control and of the title bar's close button, on the screen.
  POINT CentreOf(int id) const;
  POINT CloseButton() const;
  // Drops files onto the window at `screen` as the shell does: a WM_DROPFILES
  // to the window there, or its nearest parent, that accepts files, with the
  // drop data in the program's own memory (under Wine a drop handle does not
  // pass from one program to another). False when no window accepts files.
  // With `target` the drop goes to that window, wherever the point is.
  bool DropFiles(POINT screen, const std::vector<std::string>& paths, HWND target = nullptr) const;
  bool DropFiles(POINT screen, const std::vector<std::wstring>& paths, HWND target = nullptr) const;

  // Puts a command line into Ukaz and invokes the click of the hidden run
  // button, as the jobs do.
  void Run(const std::string& commandLine);
  // Waits until the output area holds `count` separator lines.
  bool WaitSeparators(std::size_t count, int ms = 30000) const;

  // Returns once the program is back in a message loop, having finished what
  // it was doing (messages posted to it may still be waiting).
  bool Sync(int ms = 10000) const;

  // A dialog owned by the main window that appears within `ms`.
  HWND WaitDialog(int ms = 10000) const;
  // Every visible top-level window of the program that is not the main one.
  std::vector<HWND> OtherWindows() const;

  // Waits for the process to end; its exit code, or STILL_ACTIVE.
  DWORD WaitExit(int ms = 10000) const;

 private:
  PROCESS_INFORMATION pi_{};
  HWND main_ = nullptr;
  HWND panel_ = nullptr;
};

// Real input, as the mouse and keyboard give it (SendInput): it reaches
// whatever window is at the pointer or has the focus, as a user's would.
void MoveMouse(POINT screen);
void LeftButton(bool down);
void ClickAt(POINT screen);
// Presses the keys in order and lets them go in the reverse order (a
// single key, or a chord such as Alt+F4).
void PressKeys(const std::vector<WORD>& keys);
// The pointer the screen shows now.
HCURSOR ShownCursor();

inline constexpr const char* kSeparatorLine = "-----------------------------------------------\r\n";
std::size_t CountOf(const std::string& text, const std::string& part);

// The scripted test tool (see tools/testtool) with the given steps.
std::string ToolPath();
std::string Tool(const std::string& steps);

// The parts of a message box as the user sees them.
struct MessageBoxView {
  std::string caption;
  std::string text;
  bool hasIcon = false;
};
MessageBoxView ReadMessageBox(HWND box);

// Whether a process runs whose program file is named `exeName` (Toolhelp).
bool ProcessRuns(const std::string& exeName);

// The id of the process whose program is `exe`, a whole path or a file name;
// 0 when none runs.
DWORD ProcessIdOf(const std::string& exe);

// What a process uses: the process whose program is `exe`, a whole path or a
// file name. Negative where it is not known. On Windows through the process's
// handle (GetProcessTimes, GetProcessMemoryInfo, GetProcessHandleCount);
// under Wine, which tells none of these of another process, from Linux and
// the wineserver (see WineOnly.h).
struct ProcessFigures {
  double cpuMs = -1;      // user and system time
  double privateMb = -1;  // private memory: its commit on Windows, resident anonymous memory under Wine
  long handles = -1;
  int openFiles = -1;     // Linux file descriptors, under Wine only
};
ProcessFigures FiguresOf(const std::string& exe);

// The common open/save dialog: types into its file-name field and presses a button.
void TypeFileName(HWND dialog, const std::string& text);
void PressDialogButton(HWND dialog, int id);
// Chooses `names` in the open dialog (one name, or several each in quotes),
// waiting until the dialog is gone.
void ChooseInDialog(HWND dialog, const std::string& names);
// Opens `folder` in the dialog (it may start elsewhere: the system remembers
// the folder a program used last).
void GoToFolder(HWND dialog, const std::string& folder);
// The same, after going to `folder` in the dialog (it may start elsewhere:
// the system remembers the folder a program used last).
void ChooseInFolder(HWND dialog, const std::string& folder, const std::string& names);
// The same with names in any letters, typed as wide text.
void ChooseInDialog(HWND dialog, const std::wstring& names);
void ChooseInFolder(HWND dialog, const std::string& folder, const std::wstring& names);
void CancelDialog(HWND dialog);

}  // namespace e2e
