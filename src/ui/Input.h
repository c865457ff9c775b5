#pragma once
// Files dropped onto the main window.
#include <windows.h>

#include <string>
#include <vector>

// The paths of files dropped onto a window, in the drop's order, in wide
// text; folders, and names that read empty, left out.
std::vector<std::wstring> DroppedFiles(HDROP drop);
