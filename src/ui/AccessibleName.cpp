#include "ui/AccessibleName.h"

void TAccessibleName::Set(HWND control, const std::wstring& name) {
  Clear();
  IAccPropServices* services = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                                reinterpret_cast<void**>(&services))))
    return;
  services_.Reset(services);
  if (FAILED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_NAME,
                                      name.c_str()))) {
    services_.Reset();
    return;
  }
  control_ = control;
}

void TAccessibleName::Clear() {
  if (services_ && control_) {
    MSAAPROPID name = PROPID_ACC_NAME;
    services_.Get()->ClearHwndProps(control_, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, &name, 1);
  }
  control_ = nullptr;
  services_.Reset();
}
