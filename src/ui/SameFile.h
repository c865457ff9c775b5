#pragma once
// The other forms of a path, and whether two paths name one file. On Windows
// one file has many names: letters in other case, short 8.3 names, "." and
// "..", other drive letters or shares, junctions and hard links.
#include <string>

// GetShortPathNameW and GetLongPathNameW: the other form of an existing
// path, or empty when there is none.
std::wstring ShortPathOf(const std::wstring& path);
std::wstring LongPathOf(const std::wstring& path);

// Whether two paths name the same file. Where both files can be opened, by
// their identity (the volume's serial number and the file's index); else by
// their full paths, each in its long form where it exists (the folder's, for
// a file that does not exist yet), letter case ignored.
bool IsSameFile(const std::wstring& a, const std::wstring& b);
