#include "win32/ole_drag_drop.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <utility>

#include "win32/module.h"

namespace zun::win32 {
namespace {

FORMATETC OfferFormat() { return FORMATETC{DragDropFormat(), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

FORMATETC FilesFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool IsOfferFormat(const FORMATETC& format) {
  return format.cfFormat == DragDropFormat() && format.cfFormat != 0 && format.dwAspect == DVASPECT_CONTENT &&
         (format.tymed & TYMED_HGLOBAL) != 0;
}

bool Carries(IDataObject* data, FORMATETC format) { return data != nullptr && data->QueryGetData(&format) == S_OK; }

}  // namespace

CLIPFORMAT DragDropFormat() {
  static const auto format = static_cast<CLIPFORMAT>(RegisterClipboardFormatA(kDragDropFormatName));
  return format;
}

HWND OfferingWindow(IDataObject* data) {
  FORMATETC format = OfferFormat();
  STGMEDIUM medium{};
  if (data == nullptr || format.cfFormat == 0 || data->GetData(&format, &medium) != S_OK) return nullptr;
  HWND window = nullptr;
  if (medium.tymed == TYMED_HGLOBAL && GlobalSize(medium.hGlobal) == sizeof window) {
    if (const void* bytes = GlobalLock(medium.hGlobal)) {
      std::memcpy(&window, bytes, sizeof window);
      GlobalUnlock(medium.hGlobal);
    }
  }
  ReleaseStgMedium(&medium);
  return window;
}

std::vector<std::string> DroppedFileNames(HDROP drop) {
  std::vector<std::string> names;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::string name(DragQueryFileA(drop, i, nullptr, 0), '\0');
    DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
    names.push_back(std::move(name));
  }
  return names;
}


// ---- The offer ------------------------------------------------------------------

HRESULT DragOffer::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (format == nullptr || medium == nullptr) return E_INVALIDARG;
  if (!IsOfferFormat(*format)) return DV_E_FORMATETC;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof source_);
  if (block == nullptr) return E_OUTOFMEMORY;
  void* bytes = GlobalLock(block);
  std::memcpy(bytes, &source_, sizeof source_);
  GlobalUnlock(block);
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = block;
  medium->pUnkForRelease = nullptr;  // the receiver frees the block
  return S_OK;
}

HRESULT DragOffer::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

HRESULT DragOffer::QueryGetData(FORMATETC* format) {
  if (format == nullptr) return E_INVALIDARG;
  return IsOfferFormat(*format) ? S_OK : DV_E_FORMATETC;
}

HRESULT DragOffer::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
  if (out == nullptr) return E_INVALIDARG;
  out->ptd = nullptr;
  return DATA_S_SAMEFORMATETC;
}

HRESULT DragOffer::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

HRESULT DragOffer::EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) {
  if (formats == nullptr) return E_INVALIDARG;
  *formats = nullptr;
  if (direction != DATADIR_GET) return E_NOTIMPL;
  FORMATETC offered = OfferFormat();
  return SHCreateStdEnumFmtEtc(1, &offered, formats);
}

HRESULT DragOffer::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT DragOffer::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
HRESULT DragOffer::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

HRESULT DragOffer::QueryContinueDrag(BOOL escapePressed, DWORD keys) {
  if (escapePressed || (keys & (MK_RBUTTON | MK_MBUTTON)) != 0) return DRAGDROP_S_CANCEL;
  if ((keys & MK_LBUTTON) == 0) return DRAGDROP_S_DROP;
  return S_OK;
}

HRESULT DragOffer::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

DWORD RunDrag(DragOffer& offer) {
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT result = DoDragDrop(&offer, &offer, DROPEFFECT_COPY, &effect);
  return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

// ---- The target ------------------------------------------------------------------

DropTarget::Carried DropTarget::Classify(IDataObject* data) const {
  if (Carries(data, OfferFormat())) return Carried::Offer;
  if (Carries(data, FilesFormat())) return Carried::Files;
  return Carried::Nothing;
}

DWORD DropTarget::Effect(DWORD allowed) const {
  if ((allowed & DROPEFFECT_COPY) == 0 || receiver_ == nullptr) return DROPEFFECT_NONE;
  try {
    // The record is read at every move: it is what decides, and another
    // drag may have rewritten it since this one entered.
    if (carried_ == Carried::Offer) return receiver_->AcceptsOffer(source_) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    if (carried_ == Carried::Files) return receiver_->AcceptsFiles() ? DROPEFFECT_COPY : DROPEFFECT_NONE;
  } catch (...) {
  }
  return DROPEFFECT_NONE;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  carried_ = Classify(data);
  source_ = carried_ == Carried::Offer ? OfferingWindow(data) : nullptr;
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  *effect = Effect(*effect);
  return S_OK;
}

HRESULT DropTarget::DragLeave() {
  carried_ = Carried::Nothing;
  source_ = nullptr;
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
  if (effect == nullptr) return E_INVALIDARG;
  carried_ = Classify(data);
  source_ = carried_ == Carried::Offer ? OfferingWindow(data) : nullptr;
  *effect = Effect(*effect);
  const Carried carried = carried_;
  const HWND source = source_;
  DragLeave();
  if (*effect == DROPEFFECT_NONE || receiver_ == nullptr) return S_OK;
  try {
    if (carried == Carried::Offer) {
      receiver_->TakeOffer(source);
    } else if (carried == Carried::Files) {
      FORMATETC format = FilesFormat();
      STGMEDIUM medium{};
      if (data->GetData(&format, &medium) != S_OK) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
      }
      std::vector<std::string> names;
      try {
        names = DroppedFileNames(static_cast<HDROP>(medium.hGlobal));
      } catch (...) {
        ReleaseStgMedium(&medium);
        throw;
      }
      ReleaseStgMedium(&medium);
      receiver_->TakeFiles(std::move(names));
    }
  } catch (...) {
    // Nothing unwinds into the system's drag; the drop is refused.
    *effect = DROPEFFECT_NONE;
  }
  return S_OK;
}

// ---- The registration -------------------------------------------------------------

bool DropRegistration::Register(HWND window, DropReceiver& receiver) {
  Revoke();
  // S_FALSE: the thread was initialised already, and counts one more.
  const HRESULT initialised = OleInitialize(nullptr);
  if (FAILED(initialised)) return false;  // RPC_E_CHANGED_MODE: the host chose the other apartment
  initialised_ = true;
  ComPtr<DropTarget> target = MakeComObject<DropTarget>(receiver);
  if (!target || RegisterDragDrop(window, target.get()) != S_OK) {
    target.reset();
    Revoke();
    return false;
  }
  window_ = window;
  target_ = std::move(target);
  return true;
}

void DropRegistration::Revoke() noexcept {
  if (target_) {
    target_->Detach();
    if (IsWindow(window_)) RevokeDragDrop(window_);
    target_.reset();
    window_ = nullptr;
  }
  if (initialised_ && !ModuleUnloading()) OleUninitialize();
  initialised_ = false;
}

}  // namespace zun::win32
