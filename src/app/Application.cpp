#include "app/Application.h"

#include <commctrl.h>

#include <exception>

#include "app/AppError.h"
#include "app/ErrorText.h"
#include "ui/Main.h"

TApplication Application;

TApplication::TApplication() = default;
TApplication::~TApplication() = default;

void TApplication::Initialize(HINSTANCE instance) {
  instance_ = instance;
  std::wstring path(32768, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  Title = DefaultTitle(path, [](std::wstring& text) {
    if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  });

  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
}

void TApplication::CreateForm() { mainForm_ = std::make_unique<TMainForm>(instance_); }

void TApplication::DestroyForm() { mainForm_.reset(); }

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
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (::IsWindow(main) && ::IsDialogMessageW(main, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

void TApplication::HandleException() {
  try {
    throw;
  } catch (const AppError& e) {
    ShowError(e.Message());
  } catch (const std::exception& e) {
    ShowError(OwnText(e.what()));
  } catch (...) {
    ShowError(L"");
  }
}

void TApplication::ShowError(const std::wstring& message) {
  HWND owner = mainForm_ && ::IsWindow(mainForm_->Handle()) ? mainForm_->Handle() : nullptr;
  ::MessageBoxW(owner, WithClosingDot(message).c_str(), Title.c_str(), MB_OK | MB_ICONSTOP);
}
