#pragma once
// A name for a control that has no label before it, for screen readers:
// given to the system's accessible object of the control (Dynamic
// Annotation, IAccPropServices), which every screen reader reads through the
// system. Where that service is missing (Wine answers E_NOTIMPL), the
// control goes without, and nothing fails.
#include <windows.h>
#include <oleacc.h>

#include <string>

#include "app/Owned.h"

class TAccessibleName {
 public:
  TAccessibleName() = default;
  TAccessibleName(const TAccessibleName&) = delete;
  TAccessibleName& operator=(const TAccessibleName&) = delete;
  ~TAccessibleName() { Clear(); }

  void Set(HWND control, const std::wstring& name);
  // Taken back, as a control's annotation must be before the control goes.
  void Clear();

 private:
  UniqueCom<IAccPropServices> services_;
  HWND control_ = nullptr;
};
