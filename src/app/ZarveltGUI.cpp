// Program entry: brings up the application and its main window, runs the
// event loop, and shows whatever error escapes them.
#include <windows.h>
#include <ole2.h>

#include "app/Application.h"
#include "app/Wine.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  // COM, for the taskbar button's progress and the output area's name for
  // screen readers; OLE on top of it for files dragged onto the window,
  // where they come that way (without it they still come the older way).
  const bool ole = wine::TakesDropsThroughOle();
  const HRESULT com = ole ? ::OleInitialize(nullptr)
                          : ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  try {
    Application.Initialize(instance);
    Application.CreateForm();
    Application.Run(show);
  } catch (...) {
    Application.HandleException();
  }
  Application.DestroyForm();
  if (SUCCEEDED(com)) {
    if (ole) ::OleUninitialize();
    else ::CoUninitialize();
  }
  return 0;
}
