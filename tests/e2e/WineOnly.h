#pragma once
// What only Wine can do for the tests, in one place: Linux paths, drags from
// an X client, requests to the X window manager, and what another process uses (under Wine GetProcessTimes,
// GetProcessMemoryInfo and GetProcessHandleCount tell nothing of another
// process). On Windows none of it applies: the drag reports no helper, so
// the drag tests skip themselves, and the figures come from the Windows API.
#include <windows.h>

#include <string>
#include <vector>

#include "Harness.h"

namespace e2e::wineonly {

// Whether the tests run under Wine.
bool Present();

// Drags files onto the screen at `screen` from an X client, as a Linux file
// manager does: asks the drag helper (tests/e2e/xdrag.py, run beside the
// suite by scripts/test, which names their shared folder in
// ZARVELT_XDRAG_DIR) and waits until it has dropped them. False when the
// helper is not there (never on Windows) or the drop was refused.
bool DragHelperIsThere();
bool DragThroughX(POINT screen, const std::vector<std::string>& paths);

// The names of the windows that asked the X window manager for the user's
// attention (FlashWindowEx, straight on the X display), as a listener on the
// root window saw them (tests/e2e/xattention.py, run beside the suite by
// scripts/test, which names its file in ZARVELT_XATTENTION_FILE). None when
// the listener is not there (never on Windows): see AttentionListenerIsThere.
bool AttentionListenerIsThere();
std::vector<std::string> AttentionAsked();

// The screen density given to programs started from now on (pixels per
// inch), in the prefix's settings; nothing on Windows, where it is the
// user's own setting and takes effect only at the next logon.
void SetScreenDpi(int dpi);

// What the process whose program is `exe` uses, read from Linux's /proc
// (through Wine's Z: drive) for the Linux process whose command line starts
// with a path ending in `exe`, and its handles from the wineserver's table of
// all handles.
ProcessFigures FiguresOf(const std::string& exe);

}  // namespace e2e::wineonly
