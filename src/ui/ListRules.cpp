#include "ui/ListRules.h"

namespace {

template <typename Char>
bool IsAbsolute(std::basic_string_view<Char> name) {
  if (!name.empty() && name[0] == '\\') return true;
  return name.size() >= 3 && name[1] == ':' && name[2] == '\\';
}

template <typename Char>
std::basic_string<Char> Join(std::basic_string_view<Char> folder, std::basic_string_view<Char> name) {
  if (IsAbsolute(name)) return std::basic_string<Char>(name);
  std::basic_string<Char> path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += name;
  return path;
}

}  // namespace

std::string JoinToFolder(std::string_view folder, std::string_view name) { return Join(folder, name); }

std::optional<std::wstring_view> SingleNameInField(std::wstring_view text) {
  const std::size_t open = text.find(L'"');
  if (open == std::wstring_view::npos) {
    if (text.empty()) return std::nullopt;
    return text;
  }
  const std::size_t close = text.find(L'"', open + 1);
  const std::wstring_view name = text.substr(open + 1, close == std::wstring_view::npos ? text.npos : close - open - 1);
  const bool another = close != std::wstring_view::npos && text.find(L'"', close + 1) != std::wstring_view::npos;
  if (another || name.empty()) return std::nullopt;
  return name;
}

std::size_t JoinedPathChars(std::wstring_view folder, std::wstring_view name, std::size_t extensionChars) {
  std::size_t chars = name.size();
  if (!name.empty() && name[0] == L'\\') chars += 2;                    // the folder's drive
  else if (name.size() < 2 || name[1] != L':')                            // not a drive of its own
    chars += folder.size() + (folder.empty() || folder.back() != L'\\' ? 1 : 0);
  // An extension is a dot in the last part of the name, with no space after it.
  bool extension = false;
  for (const wchar_t c : name) {
    if (c == L'.') extension = true;
    else if (c == L'\\' || c == L' ') extension = false;
  }
  return chars + (extension ? 0 : extensionChars) + 1;
}

std::vector<std::wstring> PathsFromDialog(std::wstring_view buffer, std::size_t fileOffset) {
  auto stringAt = [&](std::size_t pos) {
    const auto end = buffer.find(L'\0', pos);
    return buffer.substr(pos, end == buffer.npos ? buffer.size() - pos : end - pos);
  };
  const std::wstring_view first = stringAt(0);
  const bool several = fileOffset > 0 && fileOffset <= buffer.size() && buffer[fileOffset - 1] == L'\0';
  if (!several) {
    if (first.empty()) return {};
    return {std::wstring(first)};
  }
  std::vector<std::wstring> paths;
  for (std::size_t pos = first.size() + 1; pos < buffer.size();) {
    const std::wstring_view name = stringAt(pos);
    if (name.empty()) break;
    paths.push_back(Join(first, name));
    pos += name.size() + 1;
  }
  return paths;
}

std::optional<DeletePlan> PlanDelete(const std::vector<bool>& selected) {
  DeletePlan plan;
  for (std::size_t i = selected.size(); i-- > 0;)
    if (selected[i]) plan.remove.push_back(i);
  if (plan.remove.empty()) return std::nullopt;
  plan.selectFirst = plan.remove.size() < selected.size();
  plan.brisiEnabled = plan.selectFirst;
  return plan;
}

std::vector<std::wstring> FilesOnly(const std::vector<std::wstring>& dropped,
                                    const std::function<bool(const std::wstring&)>& isFolder) {
  std::vector<std::wstring> files;
  for (const std::wstring& path : dropped)
    if (!path.empty() && !isFolder(path)) files.push_back(path);
  return files;
}

ChosenPaths SortOutChosen(const std::vector<PathInCodePage>& paths) {
  ChosenPaths chosen;
  for (const PathInCodePage& p : paths) {
    if (p.exact) chosen.listed.push_back(p.path);
    else if (!p.shortPath.empty()) chosen.listed.push_back(p.shortPath);
    else chosen.leftOut.push_back(p.path);
  }
  return chosen;
}
