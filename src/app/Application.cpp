#include "app/Application.h"

#include <commctrl.h>

#include <exception>

#include "app/ErrorText.h"
#include "ui/Main.h"

TApplication Application;

TApplication::TApplication() = default;
TApplication::~TApplication() = default;

void TApplication::Initialize(HINSTANCE instance) {
  instance_ = instance;
  char path[MAX_PATH + 1] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  Title = DefaultTitle(path);

  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
}

void TApplication::CreateForm() { mainForm_ = std::make_unique<TMainForm>(instance_); }

namespace {

int ShowCommandFor(int requested) {
  switch (requested) {
    case SW_SHOWMAXIMIZED:
    case SW_SHOWMINNOACTIVE:
      return requested;
    default:
      return SW_SHOWNORMAL;
  }
}

}  // namespace

void TApplication::Run(int requestedShow) {
  const HWND main = mainForm_->Handle();
  mainForm_->Show(ShowCommandFor(requestedShow));
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (::IsWindow(main) && ::IsDialogMessageA(main, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void TApplication::HandleException() {
  try {
    throw;
  } catch (const std::exception& e) {
    ShowError(e.what());
  } catch (...) {
    ShowError("");
  }
}

void TApplication::ShowError(const std::string& message) {
  HWND owner = mainForm_ && ::IsWindow(mainForm_->Handle()) ? mainForm_->Handle() : nullptr;
  ::MessageBoxA(owner, WithClosingDot(message).c_str(), Title.c_str(), MB_OK | MB_ICONSTOP);
}
