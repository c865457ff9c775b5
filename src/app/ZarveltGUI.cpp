// Program entry: brings up the application and its main window, runs the
// event loop, and shows whatever error escapes them.
#include <windows.h>

#include "app/Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  try {
    Application.Initialize(instance);
    Application.CreateForm();
    Application.Run(show);
  } catch (...) {
    Application.HandleException();
  }
  return 0;
}
