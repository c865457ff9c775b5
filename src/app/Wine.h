#pragma once
// What the program does differently under Wine, in one place. Each
// workaround says why it is there and what it costs on Windows. Where it
// would cost anything there, it applies only under Wine, which the program
// finds out once, at the first question; the others apply everywhere.
#include <windows.h>

#include <cstddef>

namespace wine {

// Whether the program runs under Wine (never in the build that takes
// Windows' paths, see WindowsPaths.h).
bool Present();

// ---- The output area (Wine's edit control) -------------------------------------

// The text's length in characters, asked in wide text. Why: asked in 8-bit
// text, Wine copies and converts the whole text to count it; the control is
// a wide one. Windows: applied, costs nothing.
LRESULT TextLength(HWND edit);

// Holds the control's drawing off, or lets it draw again. Why: Wine's edit
// control takes no notice of WM_SETREDRAW, so the window's own flag is also
// set, as the system's default handling of the message sets it. Windows: the
// message only, which the control honours itself.
void SetRedraw(HWND edit, bool redraw);

// Before an append that brings the text to `characters`: room for twice as
// many in the control's text buffer, in one copy of the text, when the room
// given last (`room`, in characters) would not hold it. Why: Wine's edit
// control grows its buffer to the exact size at each append, copying the
// whole text each time, so that showing output slows as the area fills;
// giving it a new buffer (EM_SETHANDLE) lays the whole text out again (1.6 s
// at 8 M characters, 3.6 s at 16 M). Growing the buffer it holds, between
// its messages, costs one copy (47 ms at 8 M, 125 ms at 16 M), and Wine's
// heap then grows it in place up to that room. Windows: not applied; the
// control grows its buffer as it does. True when room was given.
bool MakeRoom(HWND edit, std::size_t& room, std::size_t characters);

// ---- Drops ---------------------------------------------------------------------

// Whether files dragged onto the window are also taken through OLE
// (RegisterDragDrop). Why: in Wine's virtual desktop a drop lands on the
// desktop's window, whose process hands it on to a registered drop target;
// the drop it posts instead is not the program's to read. Windows: not
// applied (the shell's drops come as WM_DROPFILES), which saves OLE's
// libraries (about 1.2 MB of memory and 8 handles).
bool TakesDropsThroughOle();

// Whether a drop handle is memory of this program holding a whole drop (its
// header and its names), the only kind that may be read or given back. Why:
// under Wine's virtual desktop a WM_DROPFILES may come with a handle made in
// another process, the desktop's, which killed the 64-bit program when read.
// Windows: applied (a look at the memory and the names per drop); drops that
// another program makes in the program's memory, as the tests make them,
// need it there too.
bool IsOwnDrop(HDROP drop);

// A drop that comes while a tool runs, taken out of the queue unread: given
// back where it is the program's own. Why: the program's drop target is
// revoked then, so a drop in Wine's virtual desktop comes with a handle of
// the desktop's process, which may by chance look like one of ours. Windows:
// given back, as every drop there is the program's own.
void LeaveDropDuringRun(HDROP drop);

// ---- While a tool runs ---------------------------------------------------------

// A press or release of the left button while a tool runs, taken as one on
// the stop button when the pointer is on it: as the system reads it when the
// program takes the message, or as it read it at the program's last look,
// when the pointer has not moved since (`seenOnStop`). Whichever window the
// system gave it to: the release of a press the stop button took goes to
// it, but with the press's place. Why: under Wine, putting the pointer
// somewhere (SetCursorPos, as automation does) grabs the X pointer around the
// move; the virtual desktop turns the grab's crossing event, which still
// carries the pointer's old place, into a move back there, and only the
// program's own handling of its X events puts it right, at its next look at
// its messages (up to a batch's time under a flood of output); when the
// desktop's move comes last, the system keeps the old place until the
// pointer moves again, though it reads the true one from X after a tenth of
// a second. A press that comes meanwhile carries no place of its own, so the
// system gives it to the window under the old place, and the run dropped it:
// a quick click on the stop button took 1 to 2.5 s, or was lost. Windows:
// not applied (each press carries its own place there).
void TakePressOnStop(MSG& msg, HWND stop, bool seenOnStop);

}  // namespace wine
