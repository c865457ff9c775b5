#include "ui/BusyGate.h"

#include <exception>
#include <utility>

#include "app/OwnText.h"
#include "app/Wine.h"
#include "runner/Runner.h"
#include "ui/DropTarget.h"
#include "ui/TaskbarButton.h"
#include "ui/Texts.h"

namespace {

// How long a press on the stop button is attended to alone, for its release.
constexpr ULONGLONG kPressWaitMs = 500;

// Frees the data of dropped touch or gesture input with the named function
// of Windows 7 and later.
void GiveBack(const char* function, LPARAM handle) {
  using Close = BOOL(WINAPI*)(HANDLE);
  const auto close =
      reinterpret_cast<Close>(reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), function)));
  if (close) close(reinterpret_cast<HANDLE>(handle));
}

}  // namespace

std::optional<LRESULT> TBusyGate::Answer(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      // A click, whoever gives it: while a tool runs only the stop acts;
      // under a modal window nothing, or a job would start inside a job.
      if (HIWORD(wp) != BN_CLICKED || !lp) return std::nullopt;
      if (Running() ? reinterpret_cast<HWND>(lp) == stop_ : TakesInput()) return std::nullopt;
      return 0;
    case WM_CLOSE:
      // Kept while the window is busy, as a window that took no messages
      // meanwhile would act on it after.
      if (!Running() && jobs_ == 0 && ::IsWindowEnabled(window_)) return std::nullopt;
      closeKept_ = true;
      return 0;
    case WM_ENABLE:
      // A modal window closed: the window may be idle again.
      if (wp) CloseIfKeptAndIdle();
      return std::nullopt;
    case WM_QUERYENDSESSION:
      // A run is not ended without asking: Windows shows why the program
      // waits, and the user may end the session all the same.
      if (!Running()) return std::nullopt;
      return FALSE;
    case WM_ENDSESSION:
      // Ended all the same: the tool and what it started go first, and the
      // job goes no further.
      if (!wp || !Running()) return std::nullopt;
      stopAsked_ = true;
      StopRunningTool();
      return 0;
    case WM_SETCURSOR:
      // The stop button, the one control that acts, shows its own pointer.
      if (!Running()) return std::nullopt;
      if (reinterpret_cast<HWND>(wp) == stop_) return FALSE;
      ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
      return TRUE;
    case WM_MOUSEACTIVATE:
      // A click activates nothing and is not eaten here: the run drops it,
      // unless it is the stop button's, by the window it was given to.
      // (Where the pointer was for the message taken last, GetMessagePos,
      // may be long before this click.)
      if (!Running()) return std::nullopt;
      return MA_NOACTIVATE;
    case WM_DROPFILES:
      // Not taken now: given back, where it is the program's own.
      if (TakesInput()) return std::nullopt;
      if (wine::IsOwnDrop(reinterpret_cast<HDROP>(wp))) ::DragFinish(reinterpret_cast<HDROP>(wp));
      return 0;
    default:
      return std::nullopt;
  }
}

bool TBusyGate::TakesInput() const { return !Running() && jobs_ == 0 && window_ && ::IsWindowEnabled(window_); }

void TBusyGate::AskStop() {
  if (Running()) stopAsked_ = true;
}

void TBusyGate::CloseIfKeptAndIdle() {
  if (!closeKept_ || Running() || jobs_ > 0 || !::IsWindowEnabled(window_)) return;
  closeKept_ = false;
  ::PostMessageA(window_, WM_CLOSE, 0, 0);
}

// ---- Scopes ------------------------------------------------------------------------

TBusyGate::Job::Job(TBusyGate& gate) : gate_(gate) { ++gate_.jobs_; }

TBusyGate::Job::~Job() {
  if (--gate_.jobs_ == 0) gate_.CloseIfKeptAndIdle();
}

TBusyGate::Run::Run(TBusyGate& gate) : gate_(gate) {
  if (gate_.runs_++ > 0) return;
  gate_.stopAsked_ = false;
  gate_.crashed_ = false;
  gate_.exceptionsAtStart_ = std::uncaught_exceptions();
  gate_.taskbar_.JobStarted();
  gate_.pointerOverStop_ = false;
  gate_.focusBeforeRun_ = ::GetFocus();
  gate_.drops_.Revoke();
  // Told to Windows when the session is about to end; where it cannot be
  // (before Vista, under Wine), the session waits without a reason.
  ::ShutdownBlockReasonCreate(gate_.window_, OwnText(texts::kSessionEndWaits).c_str());
  ::ShowWindow(gate_.stop_, SW_SHOWNA);
  ::UpdateWindow(gate_.stop_);
  gate_.RefreshCursor();
}

TBusyGate::Run::~Run() {
  if (--gate_.runs_ > 0) return;
  // A click on the stop button gave it the focus: it goes back where it was.
  const HWND stop = gate_.stop_;
  if (::GetFocus() == stop && gate_.focusBeforeRun_ && ::IsWindow(gate_.focusBeforeRun_))
    ::SetFocus(gate_.focusBeforeRun_);
  if (::GetCapture() == stop) ::ReleaseCapture();
  ::ShowWindow(stop, SW_HIDE);
  ::ShutdownBlockReasonDestroy(gate_.window_);
  // Told before the error box, should an error end the job.
  const bool failed = gate_.crashed_ || std::uncaught_exceptions() > gate_.exceptionsAtStart_;
  gate_.taskbar_.JobEnded(failed, gate_.stopAsked_);
  gate_.RefreshCursor();
  gate_.drops_.Register(gate_.window_);
  gate_.CloseIfKeptAndIdle();
}

// ---- While a tool runs ---------------------------------------------------------------

bool TBusyGate::Attend() {
  AttendOnce();
  // The stop button pressed: its release comes within moments, and the click
  // with it. Waited for here, attending, rather than taken after the next
  // batch of output.
  const ULONGLONG pressed = ::GetTickCount64();
  while (!stopAsked_ && ::GetCapture() == stop_ && ::GetTickCount64() - pressed < kPressWaitMs) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, InputWakeFlags() | QS_PAINT | QS_SENDMESSAGE);
    AttendOnce();
  }
  return stopAsked_;
}

void TBusyGate::AttendOnce() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageA(&msg);
  if (DropWaitingInput()) stopAsked_ = true;
  POINT pt;
  const bool overStop = ::GetCursorPos(&pt) && ::WindowFromPoint(pt) == stop_;
  // The window under the pointer is asked again after moves were dropped or
  // the pointer crossed the stop button's edge: Wine does not always ask when
  // a move is dropped, or asks for a place the pointer has left, and the busy
  // pointer stayed over the stop button. Two messages a look.
  if (std::exchange(pointerMoved_, false) || overStop != pointerOverStop_) RefreshCursor();
  pointerOverStop_ = overStop;
}

// The user's input for the program's windows (keyboard, mouse, touch, pen and
// gestures), and files dropped onto them, out of the queue unused, as a
// disabled window would never have taken them. Only the stop survives: the
// mouse's and pointer's messages to the stop button go to it, so that it can
// be clicked or tapped, and Esc is reported.
bool TBusyGate::DropWaitingInput() {
  MSG msg;
  bool escape = false;
  while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) escape = true;
  // Taking a mouse message out of the queue still lets the system tell the
  // window about the pointer (WM_SETCURSOR), so the busy pointer shows.
  const HWND stop = Running() ? stop_ : nullptr;
  bool moved = false;  // since the last look at the pointer
  while (::PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    if (msg.message == WM_MOUSEMOVE) moved = pointerMoved_ = true;
    if (stop) wine::TakePressOnStop(msg, stop, pointerOverStop_ && !moved);
    if (stop && msg.hwnd == stop) ::DispatchMessageA(&msg);
  }
  while (::PeekMessageA(&msg, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE))
    if (msg.message == WM_NCMOUSEMOVE) pointerMoved_ = true;
  // Touch and pen. Pointer messages that no window answers become mouse
  // messages later (Windows 8 and later): dropped too, but the stop
  // button's, which become its click. Touch and gesture data is given back.
  while (::PeekMessageA(&msg, nullptr, WM_TOUCH, WM_POINTERROUTEDRELEASED, PM_REMOVE)) {
    if (msg.message == WM_TOUCH) GiveBack("CloseTouchInputHandle", msg.lParam);
    else if (stop && msg.hwnd == stop) ::DispatchMessageA(&msg);
  }
  while (::PeekMessageA(&msg, nullptr, WM_GESTURE, WM_GESTURE, PM_REMOVE)) GiveBack("CloseGestureInfoHandle", msg.lParam);
  while (::PeekMessageA(&msg, nullptr, WM_DROPFILES, WM_DROPFILES, PM_REMOVE))
    wine::LeaveDropDuringRun(reinterpret_cast<HDROP>(msg.wParam));
  return escape;
}

// Lets the window under the pointer choose the pointer again now.
void TBusyGate::RefreshCursor() const {
  POINT pt;
  if (!::GetCursorPos(&pt)) return;
  const HWND under = ::WindowFromPoint(pt);
  if (!under || ::GetAncestor(under, GA_ROOT) != window_) return;
  const LRESULT hit = ::SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
  ::SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}
