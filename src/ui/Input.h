#pragma once
// Files dropped onto the main window.
#include <windows.h>

#include <string>
#include <vector>

// Whether a drop handle is memory of this program holding a whole drop (its
// header and its names). Under Wine's virtual desktop a drop may come with a
// handle made in another process, the desktop's: such a drop must be neither
// read nor given back.
bool IsOwnDrop(HDROP drop);

// The paths of files dropped onto a window, in the drop's order, in wide
// text; folders, and names that read empty, left out.
std::vector<std::wstring> DroppedFiles(HDROP drop);
