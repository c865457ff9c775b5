#pragma once
// The main window's input beyond its controls: what the user gives while a
// tool runs, and files dropped onto the window.
#include <windows.h>

#include <string>
#include <vector>

// Takes the user's input waiting for the program's windows (keyboard, mouse,
// touch, pen and gestures), and files dropped onto them, out of the queue
// unused, as a disabled window would never have taken them. Only the stop
// survives: the mouse's and pointer's messages to `stopButton` go to it, so
// that it can be clicked or tapped, and the return tells whether Esc was
// pressed.
bool DropWaitingInput(HWND stopButton = nullptr);

// Whether a drop handle is memory of this program holding a whole drop (its
// header and its names). Under Wine's virtual desktop a drop may come with a
// handle made in another process, the desktop's: such a drop must be neither
// read nor given back.
bool IsOwnDrop(HDROP drop);

// The paths of files dropped onto a window, in the drop's order, in wide
// text; folders, and names that read empty, left out.
std::vector<std::wstring> DroppedFiles(HDROP drop);
