#include "WineOnly.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace e2e::wineonly {

bool Present() {
  static const bool present = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return present;
}

namespace {

std::string XDragFolder() {
  char folder[MAX_PATH] = {};
  return ::GetEnvironmentVariableA("ZARVELT_XDRAG_DIR", folder, MAX_PATH) ? folder : "";
}

// A Windows path as the Linux side names it (Wine's own conversion).
std::string UnixPath(const std::string& path) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const auto toUnix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return "";
  char* unix = toUnix(Wide(path).c_str());
  if (!unix) return "";
  std::string result = unix;
  ::HeapFree(::GetProcessHeap(), 0, unix);
  return result;
}

}  // namespace

bool DragHelperIsThere() { return Present() && !XDragFolder().empty(); }

namespace {

std::string AttentionFile() {
  char file[MAX_PATH] = {};
  return ::GetEnvironmentVariableA("ZARVELT_XATTENTION_FILE", file, MAX_PATH) ? file : "";
}

}  // namespace

bool AttentionListenerIsThere() {
  return Present() && !AttentionFile().empty() &&
         ::GetFileAttributesA(AttentionFile().c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DragThroughX(POINT screen, const std::vector<std::string>& paths) {
  const std::string folder = XDragFolder();
  if (!Present() || folder.empty()) return false;
  std::string request = std::to_string(screen.x) + " " + std::to_string(screen.y) + "\n";
  for (const std::string& path : paths) request += UnixPath(path) + "\n";
  const std::string done = folder + "\\done", failed = folder + "\\failed";
  ::DeleteFileA(done.c_str());
  ::DeleteFileA(failed.c_str());
  MakeFile(folder + "\\request.new", request);
  ::MoveFileExA((folder + "\\request.new").c_str(), (folder + "\\request").c_str(), MOVEFILE_REPLACE_EXISTING);
  const bool answered = WaitUntil([&] {
    return ::GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES ||
           ::GetFileAttributesA(failed.c_str()) != INVALID_FILE_ATTRIBUTES;
  }, 20000);
  return answered && ::GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

// The handles a process holds, counted in the system's table of all handles
// (under Wine the wineserver's; GetProcessHandleCount on another process
// gives 0 there). -1 when the table cannot be read.
long HandlesOf(DWORD pid) {
  struct Entry {  // SYSTEM_HANDLE_TABLE_ENTRY_INFO
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ULONG access;
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  constexpr ULONG kSystemHandleInformation = 16;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
  if (!query) return -1;
  std::vector<char> buffer(1 << 16);
  LONG status;
  ULONG needed = 0;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
         kInfoLengthMismatch)
    buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed));
  if (status != 0) return -1;
  const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
  const auto* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(void*));
  long mine = 0;
  for (ULONG i = 0; i < count; ++i)
    if (entries[i].ownerPid == pid) ++mine;
  return mine;
}


}  // namespace

namespace {

std::string ReadWhole(const std::string& path) {
  std::string bytes;
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

int CountEntries(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return -1;
  int count = 0;
  do {
    const std::string name = fd.cFileName;
    if (name != "." && name != "..") ++count;
  } while (::FindNextFileA(find, &fd));
  ::FindClose(find);
  return count;
}

}  // namespace

ProcessFigures FiguresOf(const std::string& exeName) {
  ProcessFigures found;
  WIN32_FIND_DATAA fd;
  HANDLE find = ::FindFirstFileA("Z:\\proc\\*", &fd);
  if (find == INVALID_HANDLE_VALUE) return found;
  do {
    const std::string pid = fd.cFileName;
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string folder = "Z:\\proc\\" + pid;
    // The program's own path comes first: other processes may name it among
    // their arguments (the driver's --program).
    const std::string cmdline = ReadWhole(folder + "\\cmdline");
    const std::string program = cmdline.substr(0, cmdline.find('\0'));
    if (program.size() < exeName.size() || program.compare(program.size() - exeName.size(), exeName.size(), exeName) != 0)
      continue;
    // utime and stime are fields 14 and 15, counted after the name in parentheses.
    const std::string stat = ReadWhole(folder + "\\stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::size_t pos = close + 2;
    for (int field = 3; field < 14 && pos != std::string::npos; ++field) pos = stat.find(' ', pos) + 1;
    char* rest = nullptr;
    const double utime = std::strtod(stat.c_str() + pos, &rest);
    const double stime = std::strtod(rest, nullptr);
    found.cpuMs = (utime + stime) * 10.0;  // 100 clock ticks a second
    const std::string status = ReadWhole(folder + "\\status");
    const std::size_t anon = status.find("RssAnon:");
    if (anon != std::string::npos) found.privateMb = std::strtod(status.c_str() + anon + 8, nullptr) / 1024.0;
    found.openFiles = CountEntries(folder + "\\fd");
    if (const DWORD windowsPid = ProcessIdOf(exeName)) found.handles = HandlesOf(windowsPid);
    break;
  } while (::FindNextFileA(find, &fd));
  ::FindClose(find);
  return found;
}

std::vector<std::string> AttentionAsked() {
  std::vector<std::string> names;
  if (!AttentionListenerIsThere()) return names;
  const std::string lines = ReadWhole(AttentionFile());
  for (std::size_t at = 0, end; (end = lines.find('\n', at)) != std::string::npos; at = end + 1)
    names.push_back(lines.substr(at, end - at));
  return names;
}

void SetScreenDpi(int dpi) {
  if (!Present()) return;
  HKEY key;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot open the desktop settings");
  const DWORD value = static_cast<DWORD>(dpi);
  ::RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  ::RegCloseKey(key);
}

}  // namespace e2e::wineonly
