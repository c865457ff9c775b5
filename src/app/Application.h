#pragma once
#include <windows.h>

#include <memory>
#include <string>

class TMainForm;

// The application object: its title, its main window, the event loop and the
// error box that shows every error no handler caught.
class TApplication {
 public:
  TApplication();
  ~TApplication();

  std::wstring Title;

  void Initialize(HINSTANCE instance);
  void CreateForm();
  // Lets the main window go, and with it what it holds of COM (before COM
  // is uninitialised, however the event loop ended).
  void DestroyForm();
  // Shows the main window as the launching program asked, then dispatches
  // messages until the main window has closed.
  void Run(int requestedShow);

  // Shows the error in flight (call only inside a catch block).
  void HandleException();
  void ShowError(const std::wstring& message);

  HINSTANCE Instance() const { return instance_; }
  TMainForm* MainForm() const { return mainForm_.get(); }

 private:
  HINSTANCE instance_ = nullptr;
  std::unique_ptr<TMainForm> mainForm_;
};

extern TApplication Application;

// Catches whatever a window procedure's body throws and shows it, so that no
// exception unwinds through the system's code.
template <typename F>
LRESULT GuardMessage(F&& body) {
  try {
    return body();
  } catch (...) {
    Application.HandleException();
    return 0;
  }
}
