#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The file dialogs and drops give paths in wide text; the list holds them in
// the system's 8-bit code page.

// The paths an open dialog returned in its name buffer, in the dialog's order.
// One chosen file comes back as one full path; several come back as the
// folder and then each name, zero-separated, and `fileOffset` then points just
// past the zero that ends the folder. Each name is joined to the folder as
// JoinToFolder joins it.
std::vector<std::wstring> PathsFromDialog(std::wstring_view buffer, std::size_t fileOffset);

// The one name a file dialog's field holds: the quoted one, or the whole text
// where nothing is quoted; none for several quoted names or an empty field.
std::optional<std::wstring_view> SingleNameInField(std::wstring_view text);

// Characters a file dialog's own path buffer needs for `name` shown in
// `folder`, joined as the dialog joins them (a drive's name alone, a leading
// backslash on the folder's drive), with the default extension and the zero.
std::size_t JoinedPathChars(std::wstring_view folder, std::wstring_view name, std::size_t extensionChars);

// Joins a name to its folder with one backslash between them, unless the
// folder already ends in one. A name that is already absolute ("\x", "C:\x")
// is taken unchanged.
std::string JoinToFolder(std::string_view folder, std::string_view name);

// The paths of a drop that become entries: every one that is not a folder,
// in the drop's order. A name that reads empty is no file either.
std::vector<std::wstring> FilesOnly(const std::vector<std::wstring>& dropped,
                                    const std::function<bool(const std::wstring&)>& isFolder);

// How one chosen path reads in the system's 8-bit code page, which is what
// the list holds and the tool is given.
struct PathInCodePage {
  bool exact = false;     // the path converts, and back, without a change
  std::string path;       // the path in the code page: exact, or as well as it can show it
  std::string shortPath;  // when not exact: the file's short path, where it has one that
                          // converts exactly and leads back to this very file; else empty
};

// What becomes of the paths of one choice: the ones the tool can be given go
// into the list, in order (the short path where the path itself cannot be
// written); the others are left out, to be named to the user.
struct ChosenPaths {
  std::vector<std::string> listed;
  std::vector<std::string> leftOut;  // as well as the code page can show them
};
ChosenPaths SortOutChosen(const std::vector<PathInCodePage>& paths);

// What one press of Brisi does to a list whose selection is `selected`:
// every selected entry goes, the first remaining entry becomes the selection,
// and Brisi stays enabled only while entries remain. No selection: nothing.
struct DeletePlan {
  std::vector<std::size_t> remove;  // indexes, highest first
  bool selectFirst = false;
  bool brisiEnabled = false;
};
std::optional<DeletePlan> PlanDelete(const std::vector<bool>& selected);
