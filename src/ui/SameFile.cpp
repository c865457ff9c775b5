#include "ui/SameFile.h"

#include <windows.h>

#include <optional>

#include "app/Owned.h"
#include "app/WindowsPaths.h"

namespace {

template <typename Query>
std::wstring OtherForm(const std::wstring& path, Query query) {
  std::wstring other(MAX_PATH, L'\0');
  DWORD length = query(path.c_str(), other.data(), static_cast<DWORD>(other.size()));
  if (length >= other.size()) {
    other.resize(length);
    length = query(path.c_str(), other.data(), static_cast<DWORD>(other.size()));
  }
  if (length == 0 || length >= other.size()) return {};
  other.resize(length);
  return other;
}

// The volume's serial number and the file's index; with its size and last
// write, which one file has at one moment, lest two files that share an index
// (where the volume does not keep indexes unique) pass for one.
struct FileId {
  DWORD volume;
  DWORD indexHigh;
  DWORD indexLow;
  DWORD sizeHigh;
  DWORD sizeLow;
  DWORD writtenHigh;
  DWORD writtenLow;
  bool operator==(const FileId&) const = default;
};

// Opened for its attributes only, sharing everything, so that a file another
// program holds open, or a folder, can be asked too.
std::optional<FileId> IdOf(const std::wstring& path) {
  const HANDLE opened = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  const UniqueHandle file(opened);
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh,         info.nFileIndexLow,
                info.nFileSizeHigh,         info.nFileSizeLow,            info.ftLastWriteTime.dwHighDateTime,
                info.ftLastWriteTime.dwLowDateTime};
}

std::wstring FullPathOf(const std::wstring& path) {
  const std::wstring full = OtherForm(path, [](const wchar_t* p, wchar_t* out, DWORD size) {
    return ::GetFullPathNameW(p, size, out, nullptr);
  });
  return full.empty() ? path : full;
}

// The full path in its long form: the file's own where it exists, else its
// folder's with the name as given.
std::wstring ComparablePath(const std::wstring& path) {
  const std::wstring full = FullPathOf(path);
  std::wstring comparable = LongPathOf(full);
  if (!comparable.empty()) return comparable;
  const std::size_t slash = full.find_last_of(L'\\');
  if (slash == std::wstring::npos || slash + 1 == full.size()) return full;
  comparable = LongPathOf(full.substr(0, slash + 1));
  if (comparable.empty()) return full;
  if (comparable.back() != L'\\') comparable += L'\\';
  return comparable + full.substr(slash + 1);
}

}  // namespace

std::wstring ShortPathOf(const std::wstring& path) {
  if (windowspaths::kTaken) return {};
  return OtherForm(path, ::GetShortPathNameW);
}

std::wstring LongPathOf(const std::wstring& path) { return OtherForm(path, ::GetLongPathNameW); }

bool IsSameFile(const std::wstring& a, const std::wstring& b) {
  const std::optional<FileId> idA = IdOf(a);
  if (idA) {
    const std::optional<FileId> idB = IdOf(b);
    if (idB) return *idA == *idB;
  }
  const std::wstring pathA = ComparablePath(a), pathB = ComparablePath(b);
  return ::CompareStringOrdinal(pathA.c_str(), static_cast<int>(pathA.size()), pathB.c_str(),
                                static_cast<int>(pathB.size()), TRUE) == CSTR_EQUAL;
}
