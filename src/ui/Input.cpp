#include "ui/Input.h"

#include "app/Owned.h"
#include "ui/ListRules.h"

bool DropWaitingInput(HWND stopButton) {
  MSG msg;
  bool escape = false;
  while (::PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) escape = true;
  // Taking a mouse message out of the queue still lets the system tell the
  // window about the pointer (WM_SETCURSOR), so the busy pointer shows.
  while (::PeekMessageA(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
    if (stopButton && msg.hwnd == stopButton) ::DispatchMessageA(&msg);
  while (::PeekMessageA(&msg, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
  }
  while (::PeekMessageA(&msg, nullptr, WM_DROPFILES, WM_DROPFILES, PM_REMOVE)) {
    const UniqueDrop unused(reinterpret_cast<HDROP>(msg.wParam));
  }
  return escape;
}

std::vector<std::wstring> DroppedFiles(HDROP drop) {
  std::vector<std::wstring> dropped;
  const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
    std::wstring path(length + 1, L'\0');
    path.resize(::DragQueryFileW(drop, i, path.data(), length + 1));
    dropped.push_back(path);
  }
  return FilesOnly(dropped, [](const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  });
}
