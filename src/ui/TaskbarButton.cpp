#include "ui/TaskbarButton.h"

void TTaskbarButton::Attach(HWND window) {
  window_ = window;
  createdMessage_ = ::RegisterWindowMessageW(L"TaskbarButtonCreated");
  if (createdMessage_) ::ChangeWindowMessageFilterEx(window, createdMessage_, MSGFLT_ALLOW, nullptr);
}

void TTaskbarButton::Detach() {
  list_.Reset();
  window_ = nullptr;
}

bool TTaskbarButton::Created(UINT msg) {
  if (!createdMessage_ || msg != createdMessage_) return false;
  list_.Reset();
  ITaskbarList3* list = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(&list))))
    return true;
  list_.Reset(list);
  if (FAILED(list_.Get()->HrInit())) {
    list_.Reset();
    return true;
  }
  Show();
  return true;
}

void TTaskbarButton::JobStarted() {
  state_ = TBPF_INDETERMINATE;
  Show();
}

void TTaskbarButton::Progress(unsigned long long done, unsigned long long total) {
  state_ = TBPF_NORMAL;
  done_ = done;
  total_ = total;
  Show();
}

void TTaskbarButton::JobEnded(bool failed, bool stopped) {
  state_ = failed ? TBPF_ERROR : TBPF_NOPROGRESS;
  // A failure in red shows the whole bar.
  done_ = total_ = 1;
  Show();
  if (stopped || !window_ || ::GetForegroundWindow() == window_) return;
  FLASHWINFO flash{};
  flash.cbSize = sizeof flash;
  flash.hwnd = window_;
  flash.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
  ::FlashWindowEx(&flash);
}

void TTaskbarButton::Activated() {
  if (state_ != TBPF_ERROR) return;
  state_ = TBPF_NOPROGRESS;
  Show();
}

void TTaskbarButton::Show() {
  ITaskbarList3* list = list_.Get();
  if (!list) return;
  list->SetProgressState(window_, state_);
  if (state_ == TBPF_NORMAL || state_ == TBPF_ERROR) list->SetProgressValue(window_, done_, total_);
}
