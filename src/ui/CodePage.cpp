#include "ui/CodePage.h"

#include <windows.h>

#include "ui/SameFile.h"

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

bool IsLeadByteOfCodePage(unsigned char byte) { return ::IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

namespace {

// The text in the code page. It is exact when no letter was replaced, by the
// default character or by a near letter ("n" for "ñ"), and converting it back
// gives the same wide text.
std::string Narrow(const std::wstring& text, bool& exact) {
  exact = true;
  if (text.empty()) return {};
  // A code page of UTF-8 takes neither the flag nor the report of a default.
  const bool utf8 = ::GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* report = utf8 ? nullptr : &usedDefault;
  const int length = static_cast<int>(text.size());
  const int size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, report);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, narrow.data(), size, nullptr, report);
  exact = size > 0 && !usedDefault && Widen(narrow) == text;
  return narrow;
}

// The file's short path, where it has one that converts exactly and names
// this very file (the path may be typed in other letter case): two names can
// share a short name, and then the short path may name the other file.
std::string ExactShortPath(const std::wstring& path) {
  const std::wstring shortPath = ShortPathOf(path);
  if (shortPath.empty() || !IsSameFile(shortPath, path)) return {};
  bool exact = false;
  std::string narrow = Narrow(shortPath, exact);
  return exact ? narrow : std::string();
}

}  // namespace

std::optional<std::string> ExactlyInCodePage(const std::wstring& text) {
  bool exact = false;
  std::string narrow = Narrow(text, exact);
  if (!exact) return std::nullopt;
  return narrow;
}

std::string Shown(const std::wstring& text) {
  bool exact = false;
  return Narrow(text, exact);
}

PathInCodePage InCodePage(const std::wstring& path) {
  PathInCodePage read;
  read.path = Narrow(path, read.exact);
  if (!read.exact) read.shortPath = ExactShortPath(path);
  return read;
}

std::optional<std::string> OutputInCodePage(const std::wstring& path) {
  if (std::optional<std::string> narrow = ExactlyInCodePage(path)) return narrow;
  const std::size_t slash = path.find_last_of(L'\\');
  if (slash == std::wstring::npos) return std::nullopt;
  const std::optional<std::string> name = ExactlyInCodePage(path.substr(slash + 1));
  if (!name) return std::nullopt;
  // A drive's root is "C:\", not "C:".
  const std::wstring folder = path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash);
  const std::string shortFolder = ExactShortPath(folder);
  if (shortFolder.empty()) return std::nullopt;
  return JoinToFolder(shortFolder, *name);
}
