#pragma once
// Files dragged onto a window through OLE, the way the shell and Wine's
// virtual desktop hand a drop to another program's window. The names are
// read while the drop is made, from a copy in the program's own memory;
// they reach the program afterwards, from its message loop.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TDropTarget {
 public:
  using TakesDrops = std::function<bool()>;
  using Dropped = std::function<void(const std::vector<std::wstring>& files)>;

  // `takesDrops` tells whether the window takes files now; `dropped` is
  // called from the message loop with the paths of a drop, folders and
  // names that read empty left out.
  TDropTarget(TakesDrops takesDrops, Dropped dropped);
  TDropTarget(const TDropTarget&) = delete;
  TDropTarget& operator=(const TDropTarget&) = delete;
  ~TDropTarget();

  // Takes drops onto `window` from now on, where drops come through OLE (see
  // wine::TakesDropsThroughOle) and OLE is there to pass them; Revoke stops
  // that. A window that is not registered still gets
  // WM_DROPFILES where it accepts files.
  void Register(HWND window);
  void Revoke();

  // Hands the files of the last drop to `dropped`: the window calls it for
  // the message the drop posted to it.
  void Deliver();
  static constexpr UINT kDroppedMessage = WM_APP + 1;

 private:
  class Target;
  Target* target_;
  HWND window_ = nullptr;
};
