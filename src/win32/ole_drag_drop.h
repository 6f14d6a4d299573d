#pragma once

// Entries dragged between windows with OLE drag and drop.
//
// The data object carries one registered clipboard format, "ZUN_DragDrop":
// an HGLOBAL holding the offering window's handle, pointer-sized (4 bytes
// in the 32-bit host, 8 in a 64-bit build). Everything else of the offer
// (kind, map name, entry indexes) is in the drag-and-drop record of the
// host's "Track_DragDrop" slot, filled before the drag starts; a window that
// takes the drop reads the record. The drop target accepts that format
// when its receiver says so, and the shell's files (CF_HDROP).
//
// Both objects live on the thread's apartment only; their reference counts
// follow COM's rules (MakeComObject hands the creator the first reference).

#include <windows.h>

#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "win32/com_object.h"

namespace zun::win32 {

inline constexpr char kDragDropFormatName[] = "ZUN_DragDrop";

// The format's number in this session; 0 when it cannot be registered.
CLIPFORMAT DragDropFormat();

// The names of a shell drop, in drop order.
std::vector<std::string> DroppedFileNames(HDROP drop);

// The offering window an offer's data names: null when `data` does not
// carry the format or its block is not a window handle's size.
HWND OfferingWindow(IDataObject* data);

// What DoDragDrop carries: the format with `source`'s handle (IDataObject),
// and the drag's rules (IDropSource): it goes on while the left button is
// held, drops when it is released, stops on Escape or another button, and
// shows the system's cursors.
class DragOffer final : public ComObject<IDataObject, IDropSource> {
 public:
  explicit DragOffer(HWND source) noexcept : source_(source) {}

  // IDataObject
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override;
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD connection) override;
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA** advises) override;
  // IDropSource
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override;
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override;

 private:
  ~DragOffer() override = default;  // by Release only
  HWND source_;
};

// Runs the platform's drag of `offer` (a copy) and returns the effect the
// drop target chose: DROPEFFECT_NONE when it was cancelled or refused.
DWORD RunDrag(DragOffer& offer);

// What a window does with what is dragged over it.
class DropReceiver {
 public:
  virtual ~DropReceiver() = default;
  // A "ZUN_DragDrop" offer from `source` is over the window: may it drop?
  virtual bool AcceptsOffer(HWND source) = 0;
  // It was dropped. Called inside the offering side's drag: the work is
  // best left for later (a posted message), so that the drag ends at once.
  virtual void TakeOffer(HWND source) = 0;
  // Files of the shell were dropped; a receiver that takes none refuses them.
  virtual bool AcceptsFiles() { return false; }
  virtual void TakeFiles(std::vector<std::string> /*names*/) {}
};

class DropTarget final : public ComObject<IDropTarget> {
 public:
  explicit DropTarget(DropReceiver& receiver) noexcept : receiver_(&receiver) {}

  // No call reaches the receiver any more (it is going away while the
  // system may still hold a reference to this object).
  void Detach() noexcept { receiver_ = nullptr; }

  // IDropTarget
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

 private:
  enum class Carried { Nothing, Offer, Files };
  ~DropTarget() override = default;  // by Release only
  Carried Classify(IDataObject* data) const;
  // The effect for what is carried now, within the effects the source allows.
  DWORD Effect(DWORD allowed) const;

  DropReceiver* receiver_;
  Carried carried_ = Carried::Nothing;
  HWND source_ = nullptr;  // of the offer being dragged
};

// A window's registration as a drop target, with the thread's OLE
// initialisation that it needs. The host's own OLE state is kept: a thread
// the host initialised is initialised once more and given back as it was;
// a thread in the multithreaded apartment cannot take OLE drops and is left
// alone (the window then registers nothing).
class DropRegistration {
 public:
  DropRegistration() = default;
  ~DropRegistration() { Revoke(); }
  DropRegistration(const DropRegistration&) = delete;
  DropRegistration& operator=(const DropRegistration&) = delete;

  // False when the thread cannot take OLE drops or the registration fails.
  bool Register(HWND window, DropReceiver& receiver);
  // Revokes the registration (the window must still exist) and ends our
  // initialisation; doing it twice does nothing. While the module is being
  // unloaded the initialisation is kept: uninitialising under the loader
  // lock can wait on threads that need it.
  void Revoke() noexcept;
  bool Registered() const noexcept { return static_cast<bool>(target_); }

 private:
  HWND window_ = nullptr;
  ComPtr<DropTarget> target_;  // our reference; the system holds its own
  bool initialised_ = false;
};

}  // namespace zun::win32
