#pragma once
// Move-only owners of operating-system objects: each closes its object once,
// in its destructor, on every path out of the scope that holds it.
#include <windows.h>
#include <shellapi.h>

#include <utility>

template <typename T, typename Traits>
class Owned {
 public:
  Owned() = default;
  explicit Owned(T value) : value_(value) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : value_(std::exchange(other.value_, Traits::Invalid())) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.value_, Traits::Invalid()));
    return *this;
  }
  ~Owned() { Reset(); }

  T Get() const { return value_; }
  explicit operator bool() const { return value_ != Traits::Invalid(); }
  // For out-parameters of API calls: releases what is held and hands out the slot.
  T* Receive() {
    Reset();
    return &value_;
  }
  void Reset(T value = Traits::Invalid()) {
    if (value_ != Traits::Invalid()) Traits::Close(value_);
    value_ = value;
  }

 private:
  T value_ = Traits::Invalid();
};

struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
using UniqueHandle = Owned<HANDLE, KernelHandleTraits>;

template <typename G>
struct GdiTraits {
  static G Invalid() { return nullptr; }
  static void Close(G g) { ::DeleteObject(g); }
};
using UniqueFont = Owned<HFONT, GdiTraits<HFONT>>;

// A COM interface, released once.
template <typename I>
struct ComTraits {
  static I* Invalid() { return nullptr; }
  static void Close(I* object) { object->Release(); }
};
template <typename I>
using UniqueCom = Owned<I*, ComTraits<I>>;

// Files dropped onto a window, given back with DragFinish.
struct DropTraits {
  static HDROP Invalid() { return nullptr; }
  static void Close(HDROP drop) { ::DragFinish(drop); }
};
using UniqueDrop = Owned<HDROP, DropTraits>;

// A device context taken with GetDC, given back with ReleaseDC.
class ScreenDC {
 public:
  ScreenDC() : dc_(::GetDC(nullptr)) {}
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  ~ScreenDC() {
    if (dc_) ::ReleaseDC(nullptr, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Selects a GDI object into a DC for the life of the scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (old_) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};
