#include "ui/Controls.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>

#include "app/AppError.h"
#include "app/OwnText.h"
#include "app/Wine.h"
#include "ui/Dialogs.h"
#include "ui/ListRules.h"
#include "ui/MessageText.h"
#include "ui/Texts.h"

// ---- TControl ---------------------------------------------------------------

void TControl::Create(HWND parent, const wchar_t* className, const std::wstring& text, DWORD style,
                      DWORD exStyle, const Box& box, int id, HFONT font) {
  hwnd_ = ::CreateWindowExW(exStyle, className, text.c_str(), style | WS_CHILD, box.left, box.top, box.width,
                            box.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (!hwnd_) throw AppError(L"Cannot create the control " + std::wstring(className));
  ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

std::string TControl::Text() const {
  const int length = ::GetWindowTextLengthA(hwnd_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(hwnd_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void TControl::SetText(const std::string& text) { ::SetWindowTextA(hwnd_, text.c_str()); }

// ---- TButton ----------------------------------------------------------------

void TButton::Click() {
  if (OnClick) OnClick(this);
}

void TButton::SetEnabled(bool enabled) { ::EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

// ---- TMemo ------------------------------------------------------------------

void TMemo::AllowAnyLength() { ::SendMessageW(hwnd_, EM_SETLIMITTEXT, 0, 0); }

void TMemo::TakeBareLineFeeds() {
  // EM_SETEXTENDEDSTYLE and ES_EX_ALLOWEOL_LF, which these headers lack.
  constexpr UINT kSetExtendedStyle = 0x150A;
  constexpr LPARAM kAllowLineFeed = 0x2;
  ::SendMessageW(hwnd_, kSetExtendedStyle, kAllowLineFeed, kAllowLineFeed);
}

namespace {

LRESULT CALLBACK NoTabSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_GETDLGCODE)
    return ::DefSubclassProc(hwnd, msg, wp, lp) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void TMemo::LeaveTabToNavigation() { ::SetWindowSubclass(hwnd_, NoTabSubclass, 1, 0); }

namespace {

constexpr std::size_t kQuietAppendCharacters = 4096;

}  // namespace

bool TMemo::AppendText(const std::wstring& text) {
  // More than a few lines are drawn once they are in, at the next paint:
  // while it appends them, the control would draw its scroll bars and scroll
  // its text at once, which under Wine costs more than the append itself. A
  // line or two it draws as it goes, which is cheaper than drawing it all.
  const bool quiet = text.size() >= kQuietAppendCharacters;
  if (quiet) wine::SetRedraw(hwnd_, false);
  const LRESULT end = wine::TextLength(hwnd_);
  wine::MakeRoom(hwnd_, room_, static_cast<std::size_t>(end) + text.size());
  ::SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(end), end);
  ::SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  // The control takes all of it or nothing when its buffer cannot grow
  // (EN_ERRSPACE); its length tells which.
  const bool took = static_cast<std::size_t>(wine::TextLength(hwnd_) - end) >= text.size();
  if (quiet) {
    wine::SetRedraw(hwnd_, true);
    // Windows' control may not have followed the caret while it did not
    // draw: the view goes to the end, as after any append.
    ::SendMessageW(hwnd_, EM_SCROLLCARET, 0, 0);
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
  }
  return took;
}

bool TMemo::MakeRoomAhead() {
  const auto length = static_cast<std::size_t>(wine::TextLength(hwnd_));
  return wine::MakeRoom(hwnd_, room_, length + length / 3);
}

// ---- TListBox ---------------------------------------------------------------

int TListBox::Count() const { return static_cast<int>(::SendMessageA(hwnd_, LB_GETCOUNT, 0, 0)); }

std::string TListBox::Item(int index) const {
  const LRESULT length = ::SendMessageA(hwnd_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = ::SendMessageA(hwnd_, LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

bool TListBox::Selected(int index) const {
  return ::SendMessageA(hwnd_, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TListBox::SetSelected(int index, bool selected) {
  ::SendMessageA(hwnd_, LB_SETSEL, selected ? TRUE : FALSE, index);
}

void TListBox::SelectAll() { ::SendMessageA(hwnd_, LB_SETSEL, TRUE, -1); }

void TListBox::Delete(int index) { ::SendMessageA(hwnd_, LB_DELETESTRING, static_cast<WPARAM>(index), 0); }

void TListBox::Append(const std::vector<std::string>& items) {
  // Many entries at once are drawn once, when all are in: the list would
  // otherwise redraw itself and its scroll bar for each one, which for
  // thousands of files takes half a minute under Wine.
  const bool many = items.size() > 1;
  if (many) {
    std::size_t bytes = 0;
    for (const std::string& item : items) bytes += item.size() + 1;
    ::SendMessageA(hwnd_, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
    ::SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
  }
  struct RedrawAgain {
    HWND list;
    bool many;
    ~RedrawAgain() {
      if (!many) return;
      ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
      ::InvalidateRect(list, nullptr, TRUE);
    }
  } redrawAgain{hwnd_, many};
  for (const std::string& item : items) {
    const LRESULT result =
        ::SendMessageA(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    if (result == LB_ERR || result == LB_ERRSPACE) throw AppError(texts::kUnableToInsertLine);
  }
}

// ---- TPanel -----------------------------------------------------------------

namespace {

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return ::SendMessageW(::GetParent(hwnd), msg, wp, lp);
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd, &ps);
      RECT rc;
      ::GetClientRect(hwnd, &rc);
      ::DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
      ::EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return ::DefWindowProcW(hwnd, msg, wp, lp);
  }
}

}  // namespace

void TPanel::Register(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = PanelProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw AppError("Cannot register the panel's window class");
}

// ---- File dialogs -----------------------------------------------------------

namespace {

// Characters the open dialog's name field takes: some 35 000 names like
// "63240001.img" in quotes. Typed and pasted names never reach the hook, so
// the name buffer has room for that many from the start; a selection in the
// dialog's list, which may be longer, grows it from the hook.
constexpr std::size_t kOpenNameField = 512 * 1024;
// Beyond the names: the folder's terminating zero, the default extension of a
// single name, the closing zero of several.
constexpr std::size_t kNameBufferSlack = 8;
// A chosen path, with the default extension the dialog adds to a bare name
// (".img") and its terminating zero, must fit in MAX_PATH characters: Windows
// fails the dialog otherwise, and Wine's dialog writes it into buffers of that
// size on its stack without a check.
constexpr std::size_t kDefaultExtensionChars = 4;
// A folder with no path of its own (the computer) is written by its parsing name.
constexpr const wchar_t* kVirtualFolder = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

// One showing of a file dialog, as its hook sees it.
struct DialogSession {
  HWND active;                 // the window that was active when it opened
  bool save;
  std::vector<wchar_t> names;  // the name buffer the dialog fills in
};

// The edit control of the dialog's file-name field: the explorer-style
// dialog's combo box, or a plain edit in older templates.
HWND NameField(HWND dialog) {
  if (const HWND combo = ::GetDlgItem(dialog, cmb13)) {
    if (const auto edit = reinterpret_cast<HWND>(::SendMessageW(combo, CBEM_GETEDITCONTROL, 0, 0))) return edit;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (::GetComboBoxInfo(combo, &info) && info.hwndItem) return info.hwndItem;
  }
  return ::GetDlgItem(dialog, edt1);
}

// Places the dialog centred horizontally over the monitor of the window that
// was active when it opened, one third of the way down.
void PlaceDialog(HWND dialog, HWND active) {
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (!::GetMonitorInfoA(::MonitorFromWindow(active, MONITOR_DEFAULTTONEAREST), &mi)) return;
  RECT rc;
  ::GetWindowRect(dialog, &rc);
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  const RECT& m = mi.rcMonitor;
  const int left = m.left + (m.right - m.left - width) / 2;
  const int top = m.top + (m.bottom - m.top - height) / 3;
  ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The folder the dialog shows, as it joins a name to it.
std::wstring FolderShown(HWND dialog) {
  const auto withZero = ::SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0);
  if (withZero <= 1) return kVirtualFolder;
  std::wstring folder(static_cast<std::size_t>(withZero), L'\0');
  ::SendMessageW(dialog, CDM_GETFOLDERPATH, static_cast<WPARAM>(withZero), reinterpret_cast<LPARAM>(folder.data()));
  folder.resize(folder.find(L'\0'));
  return folder;
}

std::wstring TextOf(HWND control) {
  const int length = ::GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(std::max(0, ::GetWindowTextW(control, text.data(), length + 1))));
  return text;
}

// The save dialog's name field takes no more than a path in the current
// folder can hold. A name typed in another folder that no longer fits is cut
// to fit: it could not be saved here.
void LimitSaveName(HWND dialog) {
  const HWND field = NameField(dialog);
  if (!field) return;
  // What is left of a path for the name beside the folder, the extension and a zero.
  const int limit =
      std::max(1, MAX_PATH - static_cast<int>(JoinedPathChars(FolderShown(dialog), L"", kDefaultExtensionChars)));
  ::SendMessageW(field, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
  std::wstring name = TextOf(field);
  if (name.size() <= static_cast<std::size_t>(limit)) return;
  name.resize(static_cast<std::size_t>(limit));
  ::SetWindowTextW(field, name.c_str());
}

// Refuses a single name whose path would not fit a path, before the dialog
// takes it: Wine's dialog joins it into a MAX_PATH buffer on its stack,
// unchecked. Open, Enter and a double click all reach the dialog as IDOK.
LRESULT CALLBACK RefuseLongNameSubclass(HWND dialog, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(dialog, RefuseLongNameSubclass, id);
  if (msg == WM_COMMAND && LOWORD(wp) == IDOK) {
    try {
      const HWND field = NameField(dialog);
      const std::wstring text = field ? TextOf(field) : std::wstring();
      const auto name = SingleNameInField(text);
      if (name && JoinedPathChars(FolderShown(dialog), *name, kDefaultExtensionChars) > MAX_PATH) {
        ShowMessageDialog(dialog, MessageKind::Error, PathTooLongMessage());
        ::SetFocus(field);
        return 0;
      }
    } catch (...) {
      // Without room for the look, the dialog takes the name as it would.
    }
  }
  return ::DefSubclassProc(dialog, msg, wp, lp);
}

// Gives the dialog a name buffer with room for the names its field holds
// now, for a selection in its list: the dialog copies them without looking
// at the buffer's size under Wine, and fails the choice on Windows.
void MakeRoomForSelection(HWND dialog, OPENFILENAMEW& ofn, DialogSession& session) {
  const auto spec = static_cast<std::size_t>(std::max<LRESULT>(0, ::SendMessageW(dialog, CDM_GETSPEC, 0, 0)));
  const auto folder = static_cast<std::size_t>(std::max<LRESULT>(0, ::SendMessageW(dialog, CDM_GETFOLDERPATH, 0, 0)));
  const std::size_t needed = folder + spec + kNameBufferSlack;
  if (needed <= session.names.size()) return;
  session.names.resize(std::max(needed, 2 * session.names.size()), L'\0');
  ofn.lpstrFile = session.names.data();
  ofn.nMaxFile = static_cast<DWORD>(session.names.size());
}

UINT_PTR CALLBACK FileDialogHook(HWND child, UINT msg, WPARAM, LPARAM lp) {
  if (msg != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lp);
  auto& session = *reinterpret_cast<DialogSession*>(notify->lpOFN->lCustData);
  const HWND dialog = ::GetParent(child);
  try {
    switch (notify->hdr.code) {
      case CDN_INITDONE:
        PlaceDialog(dialog, session.active);
        if (session.save) {
          LimitSaveName(dialog);
        } else {
          if (const HWND field = NameField(dialog)) ::SendMessageW(field, EM_LIMITTEXT, kOpenNameField, 0);
          ::SetWindowSubclass(dialog, RefuseLongNameSubclass, 1, 0);
        }
        break;
      case CDN_FOLDERCHANGE:
        if (session.save) LimitSaveName(dialog);
        break;
      case CDN_SELCHANGE:
        if (!session.save) MakeRoomForSelection(dialog, *notify->lpOFN, session);
        break;
      default:
        break;
    }
  } catch (...) {
    // No room to grow: the dialog goes on with the buffer it has.
  }
  return 0;
}

}  // namespace

TFileDialog::TFileDialog(bool save, DWORD options) : save_(save), options_(options) {}

bool TFileDialog::Execute(HWND owner) {
  Failure = 0;
  const HWND active = ::GetActiveWindow();
  DialogSession session{active ? active : owner, save_, {}};
  session.names.assign(save_ ? MAX_PATH : kOpenNameField + MAX_PATH + kNameBufferSlack, L'\0');
  // The name chosen last, where it is a path the dialog's own buffers take.
  if (FileName.size() < MAX_PATH) FileName.copy(session.names.data(), FileName.size());
  // The filter's zeros inside it go along.
  const std::wstring filter = OwnText(std::string_view(texts::kImgFilter, sizeof texts::kImgFilter));
  const std::wstring extension = OwnText(texts::kImgExtension);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = session.names.data();
  ofn.nMaxFile = static_cast<DWORD>(session.names.size());
  ofn.lpstrDefExt = extension.c_str();
  ofn.Flags = options_ | OFN_EXPLORER | OFN_ENABLEHOOK;
  ofn.lpfnHook = FileDialogHook;
  ofn.lCustData = reinterpret_cast<LPARAM>(&session);

  const BOOL chosen = save_ ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn);
  if (!chosen) {
    Failure = ::CommDlgExtendedError();
    return false;
  }
  // The hook may have given the dialog a larger buffer.
  Files = PathsFromDialog(std::wstring_view(session.names.data(), session.names.size()), ofn.nFileOffset);
  if (Files.empty()) return false;
  FileName = Files.front();
  return true;
}

TOpenDialog::TOpenDialog() : TFileDialog(false, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_ENABLESIZING) {}

TSaveDialog::TSaveDialog() : TFileDialog(true, OFN_HIDEREADONLY | OFN_ENABLESIZING) {}
