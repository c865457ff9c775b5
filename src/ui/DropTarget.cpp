#include "ui/DropTarget.h"

#include <ole2.h>

#include <utility>

#include "app/Wine.h"
#include "ui/Input.h"

class TDropTarget::Target final : public IDropTarget {
 public:
  virtual ~Target() = default;
  Target(TakesDrops takesDrops, Dropped dropped) : takesDrops_(std::move(takesDrops)), dropped_(std::move(dropped)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC files = FilesFormat();
    takes_ = data && data->QueryGetData(&files) == S_OK && takesDrops_();
    return Answer(takes_, effect);
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    if (takes_ && !takesDrops_()) takes_ = false;
    return Answer(takes_, effect);
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    takes_ = false;
    return S_OK;
  }
  // Kept short: the program that hands on the drop waits for it. The files
  // reach the window from its message loop.
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    const bool takes = takes_ && takesDrops_();
    takes_ = false;
    FORMATETC format = FilesFormat();
    STGMEDIUM medium{};
    if (!takes || !data || data->GetData(&format, &medium) != S_OK) {
      if (effect) *effect = DROPEFFECT_NONE;
      return S_OK;
    }
    const auto drop = static_cast<HDROP>(medium.hGlobal);
    std::vector<std::wstring> files;
    if (medium.tymed == TYMED_HGLOBAL && wine::IsOwnDrop(drop)) files = DroppedFiles(drop);
    ::ReleaseStgMedium(&medium);
    if (!files.empty() && window_) {
      files_.insert(files_.end(), files.begin(), files.end());
      ::PostMessageA(window_, kDroppedMessage, 0, 0);
    }
    return Answer(!files.empty(), effect);
  }

  void Deliver() {
    std::vector<std::wstring> files = std::move(files_);
    files_.clear();
    if (!files.empty() && takesDrops_()) dropped_(files);
  }

  HWND window_ = nullptr;

 private:
  static FORMATETC FilesFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

  // The files are listed, never moved: a copy where the source allows it.
  static HRESULT Answer(bool takes, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    if (!takes) *effect = DROPEFFECT_NONE;
    else if (*effect & DROPEFFECT_COPY) *effect = DROPEFFECT_COPY;
    else if (*effect & DROPEFFECT_LINK) *effect = DROPEFFECT_LINK;
    else *effect = DROPEFFECT_NONE;
    return S_OK;
  }

  LONG references_ = 1;
  TakesDrops takesDrops_;
  Dropped dropped_;
  bool takes_ = false;
  std::vector<std::wstring> files_;
};

TDropTarget::TDropTarget(TakesDrops takesDrops, Dropped dropped)
    : target_(new Target(std::move(takesDrops), std::move(dropped))) {}

TDropTarget::~TDropTarget() {
  Revoke();
  target_->Release();
}

void TDropTarget::Register(HWND window) {
  if (!wine::TakesDropsThroughOle()) return;
  if (window_) return;
  if (::RegisterDragDrop(window, target_) != S_OK) return;
  window_ = window;
  target_->window_ = window;
}

void TDropTarget::Revoke() {
  if (!window_) return;
  ::RevokeDragDrop(window_);
  window_ = nullptr;
}

void TDropTarget::Deliver() { target_->Deliver(); }
