#pragma once
// What the taskbar button tells of a job, for a user whose eyes are on
// another window: the job's progress while it runs (for Info o mapi, maps
// done of maps selected), its failure in red until the window is next
// activated or the next job starts, and a flash when it ends while the window
// is not in front. Where the taskbar cannot be asked (no taskbar button, no
// object for it), nothing is shown and nothing fails.
#include <windows.h>
#include <shobjidl.h>

#include "app/Owned.h"

class TTaskbarButton {
 public:
  // Listens for the taskbar's word that the window's button exists, also
  // from a taskbar of lower integrity than an elevated program.
  void Attach(HWND window);
  // The window goes: the taskbar's object is let go.
  void Detach();
  // Whether `msg` is that word: the taskbar's object is made (again, when
  // Explorer has started anew) and what the button showed is put back.
  bool Created(UINT msg);

  void JobStarted();
  void Progress(unsigned long long done, unsigned long long total);
  // A failure shows in red. A job that ends while the window is not in front
  // flashes the button until the user brings the window forward, unless the
  // user stopped it (whether it then failed or not).
  void JobEnded(bool failed, bool stopped);
  // The window was activated: a failure has been seen.
  void Activated();

 private:
  void Show();

  HWND window_ = nullptr;
  UINT createdMessage_ = 0;
  UniqueCom<ITaskbarList3> list_;
  TBPFLAG state_ = TBPF_NOPROGRESS;
  unsigned long long done_ = 0;
  unsigned long long total_ = 0;
};
