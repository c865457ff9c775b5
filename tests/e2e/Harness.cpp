#include "Harness.h"

#include <gtest/gtest.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <stdexcept>

#include "WineOnly.h"
#include "ui/ControlIds.h"

namespace e2e {

bool WaitUntil(const std::function<bool()>& done, int ms) {
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(ms);
  for (;;) {
    if (done()) return true;
    if (::GetTickCount64() >= end) return false;
    ::Sleep(10);
  }
}

void HoldForPicture() {
  if (const char* hold = std::getenv("ZARVELT_HOLD_MS")) ::Sleep(static_cast<DWORD>(std::atoi(hold)));
}

std::string DriverFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\'));
}

namespace {

std::string programPath;
int programBits = 0;
unsigned codePage = 0;
bool windowsPaths = false;

}  // namespace

std::string ProgramPath() { return programPath.empty() ? DriverFolder() + "\\ZarveltGUI.exe" : programPath; }

int ProgramBits() { return programBits; }

unsigned CodePageAsked() { return codePage; }

bool WindowsPathsProgram() { return windowsPaths; }

void TakeProgramArguments(int& argc, char** argv) {
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--program=", 0) == 0) {
      programPath = arg.substr(10);  // a Linux path on Wine's drive Z: may come with slashes
      for (char& c : programPath)
        if (c == '/') c = '\\';
    } else if (arg.rfind("--bits=", 0) == 0) {
      programBits = std::atoi(arg.c_str() + 7);
    } else if (arg == "--windows-paths") {
      windowsPaths = true;
    } else if (arg.rfind("--code-page=", 0) == 0) {
      codePage = static_cast<unsigned>(std::atoi(arg.c_str() + 12));
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
}

namespace {

// In wide text, so that names in any letters go too.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW fd;
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = fd.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring path = folder + L"\\" + name;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path);
      ::RemoveDirectoryW(path.c_str());
    } else {
      ::DeleteFileW(path.c_str());
    }
  } while (::FindNextFileW(find, &fd));
  ::FindClose(find);
}

}  // namespace

std::string KeptFolder(const std::string& name) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "zarvelt-e2e";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  folder += "\\" + name;
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

std::string TestFolder(const std::string& name) {
  const std::string folder = KeptFolder(name);
  RemoveTree(Wide(folder));
  return folder;
}

std::string MakeFile(const std::string& path, const std::string& bytes) {
  MakeFile(Wide(path), bytes);
  return path;
}

std::wstring MakeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create a test file");
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return path;
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
  return wide;
}

StartOptions ProgramBesideTool(const std::string& suffix, std::string& folder) {
  folder = TestFolder(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + suffix);
  StartOptions options;
  options.exe = folder + "\\ZarveltGUI.exe";
  options.folder = folder;
  if (!::CopyFileA(ProgramPath().c_str(), options.exe.c_str(), FALSE) ||
      !::CopyFileA(ToolPath().c_str(), (folder + "\\Zarvelt.exe").c_str(), FALSE))
    throw std::runtime_error("cannot copy the program and the tool to " + folder);
  for (const char* name : {"a.img", "b.img", "c.img"}) MakeFile(folder + "\\" + name);
  return options;
}

std::string WindowText(HWND hwnd) {
  const LRESULT length = ::SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  // Room to spare: Wine's marshalling between processes may write more than
  // the text.
  std::string text(static_cast<std::size_t>(length) * 2 + 16, '\0');
  const LRESULT copied = ::SendMessageA(hwnd, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::wstring WideText(HWND hwnd) {
  const LRESULT length = ::SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 16, L'\0');
  const LRESULT copied = ::SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  ::GetClassNameA(hwnd, name, sizeof name);
  return name;
}

RECT ClientRectOf(HWND hwnd) {
  RECT rc{};
  ::GetClientRect(hwnd, &rc);
  return rc;
}

RECT RectIn(HWND hwnd, HWND parent) {
  RECT rc{};
  ::GetWindowRect(hwnd, &rc);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// ---- Program ------------------------------------------------------------------

namespace {

struct WindowSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<WindowSearch*>(lp);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == search->pid) search->found.push_back(hwnd);
  return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
  WindowSearch search{pid, {}};
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

Program::Program(const StartOptions& options) {
  const std::string exe = options.exe.empty() ? ProgramPath() : options.exe;
  std::string commandLine = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  if (options.show >= 0) {
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(options.show);
  }
  const std::string folder = options.folder.empty() ? DriverFolder() : options.folder;
  if (!::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        options.withoutConsole ? DETACHED_PROCESS : 0, nullptr,
                        folder.c_str(), &si, &pi_)) {
    const DWORD error = ::GetLastError();
    throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(error) + ")");
  }
  const bool found = WaitUntil([&] {
    for (HWND hwnd : TopLevelWindowsOf(pi_.dwProcessId))
      if (ClassOf(hwnd) == kMainWindowClass && ::IsWindowVisible(hwnd)) {
        main_ = hwnd;
        return true;
      }
    return false;
  });
  if (!found) throw std::runtime_error("the main window did not appear");
  panel_ = ::GetDlgItem(main_, ids::kMainPanel);
  Sync();
}

Program::~Program() {
  if (::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(pi_.hProcess, 1);
    ::WaitForSingleObject(pi_.hProcess, 5000);
  }
  ::CloseHandle(pi_.hThread);
  ::CloseHandle(pi_.hProcess);
}

HWND Program::Control(int id) const { return ::GetDlgItem(panel_, id); }

std::string Program::Text(int id) const { return WindowText(Control(id)); }

bool Program::Enabled(int id) const { return ::IsWindowEnabled(Control(id)) != FALSE; }

bool Program::Visible(int id) const { return ::IsWindowVisible(Control(id)) != FALSE; }

std::vector<std::string> Program::Items() const {
  // Read as UTF-16 and converted here: Wine's marshalling of LB_GETTEXT
  // between processes writes past an ANSI caller's buffer.
  const HWND list = Control(ids::kListBox);
  const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  std::vector<std::string> items;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring wide(static_cast<std::size_t>(length) * 2 + 16, L'\0');
    const LRESULT copied = ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                                          reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    std::string text(wide.size() * 2 + 1, '\0');
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                            text.data(), static_cast<int>(text.size()), nullptr, nullptr);
    text.resize(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
    items.push_back(text);
  }
  return items;
}

std::size_t Program::ItemCount() const {
  const LRESULT count = ::SendMessageW(Control(ids::kListBox), LB_GETCOUNT, 0, 0);
  return count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::vector<int> Program::SelectedIndexes() const {
  const HWND list = Control(ids::kListBox);
  const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  std::vector<int> selected;
  for (LRESULT i = 0; i < count; ++i)
    if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0)
      selected.push_back(static_cast<int>(i));
  return selected;
}

HWND Program::Focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(pi_.dwThreadId, &info);
  return info.hwndFocus;
}

void Program::Click(int id) {
  // Posted, never sent: the handler may open a modal dialog.
  ::PostMessageA(Control(id), BM_CLICK, 0, 0);
}

void Program::SelectOnly(const std::vector<int>& indexes) {
  const HWND list = Control(ids::kListBox);
  ::SendMessageA(list, LB_SETSEL, FALSE, -1);
  for (int i : indexes) ::SendMessageA(list, LB_SETSEL, TRUE, i);
}

void Program::PressKey(UINT vk) {
  HWND target = Focus();
  ::PostMessageA(target, WM_KEYDOWN, vk, 1);
  ::PostMessageA(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
}

POINT Program::CentreOf(int id) const {
  RECT rc;
  ::GetWindowRect(Control(id), &rc);
  return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

POINT Program::CloseButton() const {
  // Along the middle of the title bar from its right end, the first point
  // the window itself calls its close button.
  RECT frame;
  ::GetWindowRect(main_, &frame);
  const int y = frame.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
  for (int x = frame.right - 1; x > frame.right - 80; --x)
    if (::SendMessageA(main_, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return {x - 4, y};
  return {frame.right - 12, y};
}

bool Program::DropFiles(POINT screen, const std::vector<std::string>& paths, HWND target) const {
  std::vector<std::wstring> wide;
  for (const std::string& path : paths) wide.push_back(Wide(path));
  return DropFiles(screen, wide, target);
}

bool Program::DropFiles(POINT screen, const std::vector<std::wstring>& paths, HWND target) const {
  if (!target) target = ::WindowFromPoint(screen);
  while (target && !(::GetWindowLongA(target, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)) target = ::GetParent(target);
  if (!target) return false;
  // DROPFILES, then the names as UTF-16, each ended by a zero, and one more zero.
  std::wstring names;
  for (const std::wstring& path : paths) {
    names += path;
    names += L'\0';
  }
  names += L'\0';
  POINT client = screen;
  ::ScreenToClient(target, &client);
  struct {
    DWORD pFiles;
    POINT pt;
    BOOL fNC;
    BOOL fWide;
  } header{20, client, FALSE, TRUE};
  static_assert(sizeof header == 20, "DROPFILES");
  std::string data(reinterpret_cast<const char*>(&header), sizeof header);
  data.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));

  HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pi_.dwProcessId);
  if (!process) return false;
  // Left to the program: it gives the drop back with DragFinish.
  void* remote = ::VirtualAllocEx(process, nullptr, data.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  SIZE_T written = 0;
  const bool copied = remote && ::WriteProcessMemory(process, remote, data.data(), data.size(), &written);
  ::CloseHandle(process);
  return copied && ::PostMessageA(target, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

void Program::Run(const std::string& commandLine) {
  ::SendMessageA(Control(ids::kUkaz), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(commandLine.c_str()));
  ::PostMessageA(panel_, WM_COMMAND, MAKEWPARAM(ids::kZazeni, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(ids::kZazeni)));
}

bool Program::WaitSeparators(std::size_t count, int ms) const {
  return WaitUntil([&] { return CountOf(Text(ids::kMemo), kSeparatorLine) >= count; }, ms);
}

bool Program::Sync(int ms) const {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(ms), &result) != 0;
}

std::vector<HWND> Program::OtherWindows() const {
  std::vector<HWND> others;
  for (HWND hwnd : TopLevelWindowsOf(pi_.dwProcessId))
    if (hwnd != main_ && ::IsWindowVisible(hwnd)) others.push_back(hwnd);
  return others;
}

HWND Program::WaitDialog(int ms) const {
  HWND dialog = nullptr;
  WaitUntil(
      [&] {
        for (HWND hwnd : TopLevelWindowsOf(pi_.dwProcessId))
          if (::IsWindowVisible(hwnd) && ::GetWindow(hwnd, GW_OWNER) == main_) {
            dialog = hwnd;
            return true;
          }
        return false;
      },
      ms);
  return dialog;
}

DWORD Program::WaitExit(int ms) const {
  ::WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(ms));
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(pi_.hProcess, &code);
  return code;
}

namespace {

bool PointerAt(POINT screen) {
  POINT now{};
  return ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
}

}  // namespace

void MoveMouse(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  // Under Wine the X server's echo of an earlier move can put the pointer
  // back where it was: move until it stays.
  for (int attempt = 0; attempt < 20; ++attempt) {
    ::SendInput(1, &input, sizeof input);
    if (WaitUntil([&] { return PointerAt(screen); }, 200)) {
      ::Sleep(30);
      if (PointerAt(screen)) return;
    }
  }
}

void LeftButton(bool down) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &input, sizeof input);
}

void ClickAt(POINT screen) {
  MoveMouse(screen);
  LeftButton(true);
  ::Sleep(20);
  LeftButton(false);
}

void PressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HCURSOR ShownCursor() {
  CURSORINFO info{};
  info.cbSize = sizeof info;
  ::GetCursorInfo(&info);
  return info.hCursor;
}

std::size_t CountOf(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + part.size()))
    ++count;
  return count;
}

std::string ToolPath() { return DriverFolder() + "\\zarvelt-testtool.exe"; }

std::string Tool(const std::string& steps) {
  std::string line = "\"";
  line += ToolPath();
  line += "\" ";
  line += steps;
  return line;
}

MessageBoxView ReadMessageBox(HWND box) {
  constexpr int kTextId = 0xFFFF;
  constexpr int kIconId = 0x440;
  MessageBoxView view;
  view.caption = WindowText(box);
  view.text = WindowText(::GetDlgItem(box, kTextId));
  const HWND icon = ::GetDlgItem(box, kIconId);
  view.hasIcon = icon && ::IsWindowVisible(icon);
  return view;
}

bool ProcessRuns(const std::string& exeName) {
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = ::Process32First(snapshot, &entry); more && !found; more = ::Process32Next(snapshot, &entry))
    found = ::lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0;
  ::CloseHandle(snapshot);
  return found;
}

DWORD ProcessIdOf(const std::string& exe) {
  const std::string name = exe.substr(exe.find_last_of("\\/") + 1);
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  DWORD found = 0;
  for (BOOL more = ::Process32First(snapshot, &entry); more && !found; more = ::Process32Next(snapshot, &entry)) {
    if (::lstrcmpiA(entry.szExeFile, name.c_str()) != 0) continue;
    if (name.size() == exe.size()) {
      found = entry.th32ProcessID;
      break;
    }
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
    if (!process) continue;
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (::QueryFullProcessImageNameA(process, 0, path, &size) && ::lstrcmpiA(path, exe.c_str()) == 0)
      found = entry.th32ProcessID;
    ::CloseHandle(process);
  }
  ::CloseHandle(snapshot);
  return found;
}

ProcessFigures FiguresOf(const std::string& exe) {
  if (wineonly::Present()) return wineonly::FiguresOf(exe);
  ProcessFigures figures;
  const DWORD pid = ProcessIdOf(exe);
  const HANDLE process = pid ? ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid) : nullptr;
  if (!process) return figures;
  FILETIME created, ended, kernel, user;
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  if (::GetProcessTimes(process, &created, &ended, &kernel, &user)) figures.cpuMs = ms(kernel) + ms(user);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
    figures.privateMb = static_cast<double>(memory.PrivateUsage) / (1024.0 * 1024.0);
  DWORD handles = 0;
  if (::GetProcessHandleCount(process, &handles)) figures.handles = static_cast<long>(handles);
  ::CloseHandle(process);
  return figures;
}

// ---- Dialogs ------------------------------------------------------------------

void TypeFileName(HWND dialog, const std::string& text) {
  constexpr int kFileNameField = 0x47c;
  HWND field = ::GetDlgItem(dialog, kFileNameField);
  ASSERT_NE(field, nullptr) << "the dialog has no file-name field";
  ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void PressDialogButton(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void ChooseInDialog(HWND dialog, const std::string& names) {
  ASSERT_NE(dialog, nullptr) << "no dialog appeared";
  TypeFileName(dialog, names);
  PressDialogButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); })) << "the dialog stayed open";
}

void ChooseInDialog(HWND dialog, const std::wstring& names) {
  ASSERT_NE(dialog, nullptr) << "no dialog appeared";
  const HWND field = ::GetDlgItem(dialog, 0x47c);
  ASSERT_NE(field, nullptr) << "the dialog has no file-name field";
  ::SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names.c_str()));
  PressDialogButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); })) << "the dialog stayed open";
}

// Typing a folder and pressing OK opens it and empties the field; going to
// the drive's root first makes sure the folder really changes.
void GoToFolder(HWND dialog, const std::string& folder) {
  ASSERT_NE(dialog, nullptr) << "no dialog appeared";
  const HWND field = ::GetDlgItem(dialog, 0x47c);
  for (const std::string& where : {folder.substr(0, 3), folder}) {
    TypeFileName(dialog, where);
    PressDialogButton(dialog, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(field).empty(); }))
        << "the dialog did not open " << where << ": " << WindowText(field);
  }
}

void ChooseInFolder(HWND dialog, const std::string& folder, const std::wstring& names) {
  GoToFolder(dialog, folder);
  ChooseInDialog(dialog, names);
}

void ChooseInFolder(HWND dialog, const std::string& folder, const std::string& names) {
  GoToFolder(dialog, folder);
  ChooseInDialog(dialog, names);
}

void CancelDialog(HWND dialog) {
  ASSERT_NE(dialog, nullptr) << "no dialog appeared";
  PressDialogButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); })) << "the dialog stayed open";
}

}  // namespace e2e
