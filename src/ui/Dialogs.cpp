#include "ui/Dialogs.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "app/Application.h"
#include "app/Owned.h"
#include "app/OwnText.h"
#include "ui/CodePage.h"
#include "ui/DialogIds.h"
#include "ui/MessageText.h"
#include "ui/Texts.h"

namespace {

void CentreOnScreen(HWND dialog) {
  RECT rc;
  ::GetWindowRect(dialog, &rc);
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  ::SetWindowPos(dialog, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Runs a dialog procedure's body; an exception ends the dialog and is shown.
template <typename F>
INT_PTR GuardDialog(HWND dialog, F&& body) {
  try {
    return body();
  } catch (...) {
    ::EndDialog(dialog, IDCANCEL);
    Application.HandleException();
    return TRUE;
  }
}

// ---- Message dialog -----------------------------------------------------------

struct MessageData {
  MessageKind kind;
  const std::wstring* text;
  UniqueFont font;
};

std::wstring CaptionOf(MessageKind kind) {
  return OwnText(kind == MessageKind::Error ? texts::kErrorCaption : texts::kWarningCaption);
}

// Puts `bytes` on the open clipboard in `format`; the clipboard owns them then.
void PutOnClipboard(UINT format, const void* bytes, std::size_t size) {
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return;
  if (void* locked = ::GlobalLock(memory)) {
    std::memcpy(locked, bytes, size);
    ::GlobalUnlock(memory);
  }
  if (!::SetClipboardData(format, memory)) ::GlobalFree(memory);
}

// The copy as wide text, and as 8-bit text in the system's code page for
// programs that ask for that (the system would make it from the wide text
// through the keyboard's code page instead).
void CopyMessage(HWND dialog, const MessageData& data) {
  const std::wstring copy = MessageDialogCopy(CaptionOf(data.kind), *data.text, OwnText(texts::kOk));
  const std::string narrow = Shown(copy);
  if (!::OpenClipboard(dialog)) return;
  ::EmptyClipboard();
  PutOnClipboard(CF_UNICODETEXT, copy.c_str(), (copy.size() + 1) * sizeof(wchar_t));
  PutOnClipboard(CF_TEXT, narrow.c_str(), narrow.size() + 1);
  ::CloseClipboard();
}

// Ctrl+C reaches the focused OK button as the character 3.
LRESULT CALLBACK CopyKeySubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  if (msg == WM_CHAR && wp == 3) {
    CopyMessage(::GetParent(hwnd), *reinterpret_cast<const MessageData*>(ref));
    return 0;
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

// Lays the dialog out around its text: icon at the left, the text beside it
// no wider than half the screen, the button centred below.
void LayOutMessage(HWND dialog, MessageData& data) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  data.font.Reset(::CreateFontIndirectW(&metrics.lfMessageFont));
  const HWND icon = ::GetDlgItem(dialog, IDC_MESSAGE_ICON);
  const HWND text = ::GetDlgItem(dialog, IDC_MESSAGE_TEXT);
  const HWND ok = ::GetDlgItem(dialog, IDOK);
  for (HWND control : {text, ok})
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(data.font.Get()), FALSE);

  RECT textRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  {
    ScreenDC screen;
    SelectedObject selected(screen.Get(), data.font.Get());
    ::DrawTextW(screen.Get(), data.text->c_str(), static_cast<int>(data.text->size()), &textRect,
                DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  }
  RECT units{0, 0, 4, 8};  // dialog units to pixels
  ::MapDialogRect(dialog, &units);
  const int margin = units.right * 2;
  const int iconSize = ::GetSystemMetrics(SM_CXICON);
  const int buttonWidth = ::MulDiv(50, units.right, 4);
  const int buttonHeight = ::MulDiv(14, units.bottom, 8);
  const int textLeft = margin + iconSize + margin;
  const int textHeight = std::max<int>(textRect.bottom, iconSize);
  const int clientWidth = std::max<int>(textLeft + textRect.right + margin, buttonWidth + 2 * margin);
  const int buttonTop = margin + textHeight + margin;
  const int clientHeight = buttonTop + buttonHeight + margin;

  ::MoveWindow(icon, margin, margin, iconSize, iconSize, FALSE);
  ::MoveWindow(text, textLeft, margin + (textHeight - textRect.bottom) / 2, textRect.right,
               textRect.bottom, FALSE);
  ::MoveWindow(ok, (clientWidth - buttonWidth) / 2, buttonTop, buttonWidth, buttonHeight, FALSE);

  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongW(dialog, GWL_EXSTYLE)));
  ::SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK MessageProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  return GuardDialog(dialog, [&]() -> INT_PTR {
    switch (msg) {
      case WM_INITDIALOG: {
        auto& data = *reinterpret_cast<MessageData*>(lp);
        ::SetWindowTextW(dialog, CaptionOf(data.kind).c_str());
        const HICON icon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(
                                                    data.kind == MessageKind::Error ? IDI_HAND : IDI_EXCLAMATION));
        ::SendDlgItemMessageW(dialog, IDC_MESSAGE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        ::SetDlgItemTextW(dialog, IDC_MESSAGE_TEXT, data.text->c_str());
        LayOutMessage(dialog, data);
        CentreOnScreen(dialog);
        ::SetWindowSubclass(::GetDlgItem(dialog, IDOK), CopyKeySubclass, 1, reinterpret_cast<DWORD_PTR>(&data));
        ::MessageBeep(data.kind == MessageKind::Error ? MB_ICONHAND : MB_ICONEXCLAMATION);
        return TRUE;
      }
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) ::EndDialog(dialog, LOWORD(wp));
        return TRUE;
      case WM_DESTROY:
        ::RemoveWindowSubclass(::GetDlgItem(dialog, IDOK), CopyKeySubclass, 1);
        return FALSE;
      default:
        return FALSE;
    }
  });
}

// ---- Prompt dialog ------------------------------------------------------------

// The prompt is a wide dialog, so that its message loop hands the field the
// letters as typed, whatever the code page lacks.
struct PromptData {
  std::wstring caption;
  std::wstring prompt;
  const std::wstring* initial;
  std::wstring answer;
  UniqueFont font;
};

constexpr int kPromptLimit = 255;

// The prompt is drawn in "MS Sans Serif" 8 pt. Where the system's code page
// is not Windows-1250, that is a bitmap font of the system's code page
// without č, š and ž; there its TrueType successor of the same design and
// size takes its place, which every Windows since 2000 has, or where it is
// not installed (Wine), Tahoma, the main window's font. None on Windows-1250.
UniqueFont PromptFontOutside1250() {
  if (::GetACP() == 1250) return {};
  ScreenDC screen;
  const int height = -::MulDiv(8, ::GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
  for (const wchar_t* face : {L"Microsoft Sans Serif", L"Tahoma"}) {
    UniqueFont font(::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
    if (!font) continue;
    wchar_t chosen[LF_FACESIZE] = {};
    {
      SelectedObject selected(screen.Get(), font.Get());
      ::GetTextFaceW(screen.Get(), LF_FACESIZE, chosen);
    }
    if (::lstrcmpiW(chosen, face) == 0) return font;
  }
  return {};
}

INT_PTR CALLBACK PromptProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
  return GuardDialog(dialog, [&]() -> INT_PTR {
    switch (msg) {
      case WM_INITDIALOG: {
        auto& data = *reinterpret_cast<PromptData*>(lp);
        ::SetWindowLongPtrW(dialog, DWLP_USER, lp);
        ::SetWindowTextW(dialog, data.caption.c_str());
        data.font = PromptFontOutside1250();
        if (data.font)
          for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(data.font.Get()), FALSE);
        ::SetDlgItemTextW(dialog, IDC_PROMPT_TEXT, data.prompt.c_str());
        const HWND field = ::GetDlgItem(dialog, IDC_PROMPT_FIELD);
        ::SendMessageW(field, EM_LIMITTEXT, kPromptLimit, 0);
        ::SetWindowTextW(field, data.initial->c_str());
        ::SendMessageW(field, EM_SETSEL, 0, -1);
        CentreOnScreen(dialog);
        ::SetFocus(field);
        return FALSE;  // the focus is set
      }
      case WM_COMMAND:
        if (LOWORD(wp) == IDOK) {
          auto& data = *reinterpret_cast<PromptData*>(::GetWindowLongPtrW(dialog, DWLP_USER));
          wchar_t text[kPromptLimit + 1] = {};
          ::GetDlgItemTextW(dialog, IDC_PROMPT_FIELD, text, kPromptLimit + 1);
          data.answer = text;
          ::EndDialog(dialog, IDOK);
        } else if (LOWORD(wp) == IDCANCEL) {
          ::EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
      default:
        return FALSE;
    }
  });
}

}  // namespace

void ShowMessageDialog(HWND owner, MessageKind kind, const std::wstring& text) {
  MessageData data{kind, &text, UniqueFont()};
  ::DialogBoxParamW(Application.Instance(), MAKEINTRESOURCEW(IDD_MESSAGE), owner, MessageProc,
                    reinterpret_cast<LPARAM>(&data));
}

std::optional<std::wstring> PromptDialog(HWND owner, const std::wstring& caption, const std::wstring& prompt,
                                         const std::wstring& initial) {
  PromptData data{caption, prompt, &initial, {}, {}};
  const INT_PTR result = ::DialogBoxParamW(Application.Instance(), MAKEINTRESOURCEW(IDD_PROMPT), owner,
                                           PromptProc, reinterpret_cast<LPARAM>(&data));
  if (result != IDOK) return std::nullopt;
  return data.answer;
}
