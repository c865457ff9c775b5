#include "ui/ListRules.h"

namespace {

bool IsAbsolute(std::string_view name) {
  if (!name.empty() && name[0] == '\\') return true;
  return name.size() >= 3 && name[1] == ':' && name[2] == '\\';
}

}  // namespace

std::string JoinToFolder(std::string_view folder, std::string_view name) {
  if (IsAbsolute(name)) return std::string(name);
  std::string path(folder);
  if (path.empty() || path.back() != '\\') path += '\\';
  path += name;
  return path;
}

std::vector<std::string> PathsFromDialog(std::string_view buffer, std::size_t fileOffset) {
  auto stringAt = [&](std::size_t pos) {
    const auto end = buffer.find('\0', pos);
    return buffer.substr(pos, end == std::string_view::npos ? buffer.size() - pos : end - pos);
  };
  const std::string_view first = stringAt(0);
  const bool several = fileOffset > 0 && fileOffset <= buffer.size() && buffer[fileOffset - 1] == '\0';
  if (!several) {
    if (first.empty()) return {};
    return {std::string(first)};
  }
  std::vector<std::string> paths;
  for (std::size_t pos = first.size() + 1; pos < buffer.size();) {
    const std::string_view name = stringAt(pos);
    if (name.empty()) break;
    paths.push_back(JoinToFolder(first, name));
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

std::vector<std::string> FilesOnly(const std::vector<std::string>& dropped,
                                   const std::function<bool(const std::string&)>& isFolder) {
  std::vector<std::string> files;
  for (const std::string& path : dropped)
    if (!isFolder(path)) files.push_back(path);
  return files;
}
