#pragma once
// What the program does differently under Wine, in one place. Each
// workaround says why it is there and what it would cost on Windows; where
// it would cost anything there, it applies only under Wine, which the
// program finds out once, at its first question.
#include <windows.h>

namespace wine {

// Whether the program runs under Wine.
bool Present();

// A press or release of the left button while a tool runs, taken as one on
// the stop button when the pointer is on it: as the system reads it when the
// program takes the message, or as it read it at the program's last look,
// when the pointer has not moved since (`seenOnStop`). Whichever window the
// system gave it to: the release of a press the stop button took goes to
// it, but with the press's place.
//
// Why: under Wine, putting the pointer somewhere (SetCursorPos, as
// automation does) grabs the X pointer around the move; the virtual desktop
// turns the grab's crossing event, which still carries the pointer's old
// place, into a move back there, and only the program's own handling of its
// X events puts it right, at its next look at its messages (up to a batch's
// time under a flood of output); when the desktop's move comes last, the
// system keeps the old place until the pointer moves again, though it reads
// the true one from X after a tenth of a second. A press that comes
// meanwhile carries no place of its own, so the system gives it to the
// window under the old place, and the run drops it. Windows: not applied
// (each press carries its own place there).
void TakePressOnStop(MSG& msg, HWND stop, bool seenOnStop);

}  // namespace wine
