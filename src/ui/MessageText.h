#pragma once
// Texts the jobs and the message dialog put together, as wide text: the
// program's own words converted from Windows-1250, and the paths and texts
// the caller gives already converted from the system's code page.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Whether `path` stands, byte for byte, as a selected entry of the list.
bool IsSelectedEntry(const std::vector<std::string>& entries, const std::vector<bool>& selected,
                     const std::string& path);
// Whether a selected entry of the list is one that `matches`.
bool AnySelectedEntry(const std::vector<std::string>& entries, const std::vector<bool>& selected,
                      const std::function<bool(const std::string&)>& matches);

// The same-name error: the message, two line feeds, the quoted output path.
std::wstring SameNameMessage(const std::wstring& outputPath);

// The error for files left out of the list: the message, each name on a line
// of its own, and what to do.
std::wstring LeftOutMessage(const std::vector<std::wstring>& names);

// The error for a merge's output whose name the code page cannot write.
std::wstring OutputNotWritableMessage(const std::wstring& outputPath);

// The error for a merge's description that the code page cannot write.
std::wstring DescriptionNotWritableMessage(const std::wstring& description);

// The error for a file dialog that failed with `code` (CommDlgExtendedError).
std::wstring FileDialogFailedMessage(bool save, unsigned long code);

// The error for a name in the open dialog whose path would be too long.
std::wstring PathTooLongMessage();

// The error for a merge of `files` whose command line would be too long.
std::wstring MergeTooLongMessage(std::size_t files);

// The line that tells how many bytes of a run's output the full output area
// did not show, with its line break.
std::wstring NotShownLine(std::size_t bytes);

// What Ctrl+C puts on the clipboard for a message dialog.
std::wstring MessageDialogCopy(const std::wstring& caption, const std::wstring& text, const std::wstring& button);
