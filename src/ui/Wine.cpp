#include "ui/Wine.h"

namespace wine {

bool Present() {
  static const bool present = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return present;
}

void TakePressOnStop(MSG& msg, HWND stop, bool seenOnStop) {
  if (!Present()) return;
  if (msg.message != WM_LBUTTONDOWN && msg.message != WM_LBUTTONUP && msg.message != WM_LBUTTONDBLCLK) return;
  POINT at;
  const bool onStop = ::GetCursorPos(&at) && ::WindowFromPoint(at) == stop;
  if (!onStop) {
    RECT rc;
    if (!seenOnStop || !::GetWindowRect(stop, &rc)) return;
    at = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  }
  POINT client = at;
  ::ScreenToClient(stop, &client);
  msg.hwnd = stop;
  msg.pt = at;
  msg.lParam = MAKELPARAM(client.x, client.y);
}

}  // namespace wine
