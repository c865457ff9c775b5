// Program entry: brings up the application and its main window, runs the
// event loop, and shows whatever error escapes them.
#include <windows.h>
#include <ole2.h>

#include "app/Application.h"
#include "app/Wine.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  // For files dragged onto the window through OLE, where they come that way;
  // without it they still come the older way.
  const HRESULT ole = wine::TakesDropsThroughOle() ? ::OleInitialize(nullptr) : E_FAIL;
  try {
    Application.Initialize(instance);
    Application.CreateForm();
    Application.Run(show);
  } catch (...) {
    Application.HandleException();
  }
  if (SUCCEEDED(ole)) ::OleUninitialize();
  return 0;
}
