#include "app/Wine.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "app/WindowsPaths.h"

namespace wine {

bool Present() {
  static const bool present = !windowspaths::kTaken &&
                              ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
  return present;
}

// ---- The output area -------------------------------------------------------------

LRESULT TextLength(HWND edit) { return ::SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0); }

void SetRedraw(HWND edit, bool redraw) {
  ::SendMessageW(edit, WM_SETREDRAW, redraw, 0);
  if (Present()) ::DefWindowProcW(edit, WM_SETREDRAW, redraw, 0);
}

namespace {

// The first room given: beyond the size from which Wine's heap keeps a block
// of its own (1 MB), whose room it keeps when the block shrinks.
constexpr std::size_t kFirstRoom = std::size_t{1} << 20;

}  // namespace

bool MakeRoom(HWND edit, std::size_t& room, std::size_t characters) {
  if (!Present() || characters < room) return false;
  const std::size_t wanted = std::max(kFirstRoom, 2 * (characters + 1));
  // The handle is the program's to use between the control's messages (the
  // control does not free it with itself after that, which matters only at
  // the program's end).
  const auto text = reinterpret_cast<HLOCAL>(::SendMessageW(edit, EM_GETHANDLE, 0, 0));
  if (!text) return false;
  const SIZE_T used = ::LocalSize(text);
  // Where there is no such room (the 32-bit program's address space), the
  // control grows its buffer as it can, and says when it cannot.
  if (!::LocalReAlloc(text, wanted * sizeof(wchar_t), LMEM_MOVEABLE)) return false;
  // Back to the size the control gave it: the heap keeps the room.
  ::LocalReAlloc(text, used, LMEM_MOVEABLE);
  room = wanted;
  return true;
}

// ---- Drops -----------------------------------------------------------------------

bool TakesDropsThroughOle() { return Present(); }

namespace {

// How much memory of the program a drop handle stands for: a block of its
// heap, as the system makes drops, or a region that starts at that very
// address; 0 when it is neither.
SIZE_T OwnSize(HDROP drop) {
  if (const SIZE_T size = ::GlobalSize(drop)) return size;
  MEMORY_BASIC_INFORMATION region{};
  if (!::VirtualQuery(drop, &region, sizeof region) || region.State != MEM_COMMIT ||
      region.AllocationBase != drop || !(region.Protect & (PAGE_READONLY | PAGE_READWRITE)))
    return 0;
  return region.RegionSize;
}

// Whether the names of a drop, each ended by a zero, end with an empty one
// within `size` bytes.
bool NamesEndWithin(const unsigned char* names, SIZE_T size, bool wide) {
  const SIZE_T unit = wide ? 2 : 1;
  bool atNameStart = true;
  for (SIZE_T at = 0; at + unit <= size; at += unit) {
    const bool zero = names[at] == 0 && (!wide || names[at + 1] == 0);
    if (zero && atNameStart) return true;
    atNameStart = zero;
  }
  return false;
}

}  // namespace

bool IsOwnDrop(HDROP drop) {
  const SIZE_T size = OwnSize(drop);
  if (size < sizeof(DROPFILES)) return false;
  const auto* bytes = static_cast<const unsigned char*>(::GlobalLock(drop));
  if (!bytes) return false;
  DROPFILES header;
  std::memcpy(&header, bytes, sizeof header);
  const bool whole = header.pFiles >= sizeof(DROPFILES) && header.pFiles < size &&
                     (header.fWide == TRUE || header.fWide == FALSE) &&
                     NamesEndWithin(bytes + header.pFiles, size - header.pFiles, header.fWide);
  ::GlobalUnlock(drop);
  return whole;
}

void LeaveDropDuringRun(HDROP drop) {
  if (!Present() && IsOwnDrop(drop)) ::DragFinish(drop);
}

// ---- While a tool runs -----------------------------------------------------------

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
