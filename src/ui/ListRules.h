#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The paths an open dialog returned in its name buffer, in the dialog's order.
// One chosen file comes back as one full path; several come back as the
// folder and then each name, zero-separated, and `fileOffset` then points just
// past the zero that ends the folder.
std::vector<std::string> PathsFromDialog(std::string_view buffer, std::size_t fileOffset);

// Joins a name to its folder with one backslash between them, unless the
// folder already ends in one. A name that is already absolute ("\x", "C:\x")
// is taken unchanged.
std::string JoinToFolder(std::string_view folder, std::string_view name);

// The paths of a drop that become entries: every one that is not a folder,
// in the drop's order.
std::vector<std::string> FilesOnly(const std::vector<std::string>& dropped,
                                   const std::function<bool(const std::string&)>& isFolder);

// What one press of Brisi does to a list whose selection is `selected`:
// every selected entry goes, the first remaining entry becomes the selection,
// and Brisi stays enabled only while entries remain. No selection: nothing.
struct DeletePlan {
  std::vector<std::size_t> remove;  // indexes, highest first
  bool selectFirst = false;
  bool brisiEnabled = false;
};
std::optional<DeletePlan> PlanDelete(const std::vector<bool>& selected);
