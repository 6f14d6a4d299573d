// The drag's objects as the system and other windows use them: the offer's
// data and rules, the drop target's answers for each kind of drag, and
// their reference counts.

#include "win32/ole_drag_drop.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <memory>

#include "shell_files_data.h"

namespace zun::win32 {
namespace {

FORMATETC Format(CLIPFORMAT format, DWORD tymed = TYMED_HGLOBAL) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, tymed};
}

// Holds the first reference of a new object and checks on release that
// nobody kept one.
template <class T>
struct Owned {
  T* object;
  ~Owned() { EXPECT_EQ(object->Release(), 0u) << "a reference was leaked"; }
};

TEST(DragOffer, ItsDataIsTheOfferingWindowsHandleInTheRegisteredFormatOnly) {
  ASSERT_NE(DragDropFormat(), 0);
  char name[64] = {};
  GetClipboardFormatNameA(DragDropFormat(), name, sizeof name);
  EXPECT_STREQ(name, "ZUN_DragDrop");

  const auto window = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x12345678));
  Owned<DragOffer> offer{new DragOffer(window)};
  FORMATETC offered = Format(DragDropFormat());
  EXPECT_EQ(offer.object->QueryGetData(&offered), S_OK);
  STGMEDIUM medium{};
  ASSERT_EQ(offer.object->GetData(&offered, &medium), S_OK);
  ASSERT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  EXPECT_EQ(GlobalSize(medium.hGlobal), sizeof(HWND)) << "pointer-sized: 4 bytes in the 32-bit host";
  HWND held = nullptr;
  std::memcpy(&held, GlobalLock(medium.hGlobal), sizeof held);
  GlobalUnlock(medium.hGlobal);
  EXPECT_EQ(held, window);
  ReleaseStgMedium(&medium);
  EXPECT_EQ(OfferingWindow(offer.object), window);

  for (FORMATETC other : {Format(CF_HDROP), Format(CF_TEXT), Format(DragDropFormat(), TYMED_ISTREAM)}) {
    EXPECT_NE(offer.object->QueryGetData(&other), S_OK);
    EXPECT_NE(offer.object->GetData(&other, &medium), S_OK);
  }

  // The one format is listed, as a receiver that enumerates sees it.
  IEnumFORMATETC* formats = nullptr;
  ASSERT_EQ(offer.object->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
  FORMATETC listed[2] = {};
  ULONG got = 0;
  formats->Next(2, listed, &got);
  ASSERT_EQ(got, 1u);
  EXPECT_EQ(listed[0].cfFormat, DragDropFormat());
  formats->Release();
}

TEST(DragOffer, ItsInterfacesShareOneCountAndOthersAreRefused) {
  Owned<DragOffer> offer{new DragOffer(nullptr)};
  IDataObject* data = nullptr;
  IDropSource* source = nullptr;
  IUnknown* unknown = nullptr;
  ASSERT_EQ(offer.object->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&data)), S_OK);
  ASSERT_EQ(data->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(&source)), S_OK);
  ASSERT_EQ(source->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(unknown, static_cast<IUnknown*>(static_cast<IDataObject*>(offer.object)));
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(offer.object->QueryInterface(IID_IDropTarget, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
  EXPECT_EQ(unknown->Release(), 3u);
  EXPECT_EQ(source->Release(), 2u);
  EXPECT_EQ(data->Release(), 1u);
}

TEST(DragOffer, TheDragGoesOnWhileTheLeftButtonIsHeldAndEscapeCancelsIt) {
  Owned<DragOffer> offer{new DragOffer(nullptr)};
  IDropSource& source = *offer.object;
  EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
  EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_LBUTTON | MK_CONTROL), S_OK);
  EXPECT_EQ(source.QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
  EXPECT_EQ(source.QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source.QueryContinueDrag(FALSE, MK_LBUTTON | MK_RBUTTON), DRAGDROP_S_CANCEL);
  EXPECT_EQ(source.GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

// A receiver that answers as told and notes what it was given.
struct ScriptedReceiver final : DropReceiver {
  bool AcceptsOffer(HWND source) override {
    asked = source;
    return acceptOffer;
  }
  void TakeOffer(HWND source) override { offersTaken.push_back(source); }
  bool AcceptsFiles() override { return acceptFiles; }
  void TakeFiles(std::vector<std::string> names) override { files = std::move(names); }

  bool acceptOffer = true;
  bool acceptFiles = true;
  HWND asked = nullptr;
  std::vector<HWND> offersTaken;
  std::vector<std::string> files;
};

TEST(DropTarget, AnOfferIsTakenOnlyWhenTheReceiverAcceptsIt) {
  const auto peer = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x4242));
  Owned<DragOffer> offer{new DragOffer(peer)};
  ScriptedReceiver receiver;
  Owned<DropTarget> target{new DropTarget(receiver)};
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  ASSERT_EQ(target.object->DragEnter(offer.object, MK_LBUTTON, POINTL{}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(receiver.asked, peer) << "the receiver learns who offers";
  effect = DROPEFFECT_MOVE;
  target.object->DragOver(MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE)) << "only a copy is offered to the receiver";

  // The receiver's answer is asked again at every move: the record may change.
  receiver.acceptOffer = false;
  effect = DROPEFFECT_COPY;
  target.object->DragOver(MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_COPY;
  target.object->Drop(offer.object, 0, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(receiver.offersTaken.empty());

  receiver.acceptOffer = true;
  effect = DROPEFFECT_COPY;
  target.object->DragEnter(offer.object, MK_LBUTTON, POINTL{}, &effect);
  target.object->Drop(offer.object, 0, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(receiver.offersTaken, std::vector<HWND>{peer});
}

TEST(DropTarget, ShellFilesGoToTheReceiverAndOtherDataIsRefused) {
  ScriptedReceiver receiver;
  Owned<DropTarget> target{new DropTarget(receiver)};
  testing::ShellFilesData files({"C:\\Picks\\a.sl5", "C:\\Picks\\b.sl4"});
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
  target.object->DragEnter(&files, MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  target.object->Drop(&files, 0, POINTL{}, &effect);
  EXPECT_EQ(receiver.files, (std::vector<std::string>{"C:\\Picks\\a.sl5", "C:\\Picks\\b.sl4"}));
  EXPECT_TRUE(receiver.offersTaken.empty());

  receiver.acceptFiles = false;
  receiver.files.clear();
  effect = DROPEFFECT_COPY;
  target.object->Drop(&files, 0, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_TRUE(receiver.files.empty());

  // No data the window knows: refused.
  effect = DROPEFFECT_COPY;
  target.object->DragEnter(nullptr, MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST(DropTarget, ADetachedTargetAsksNothingAndTakesNothing) {
  Owned<DragOffer> offer{new DragOffer(nullptr)};
  auto receiver = std::make_unique<ScriptedReceiver>();
  DropTarget* target = new DropTarget(*receiver);
  target->AddRef();  // as the system holds it during a drag
  target->Detach();
  receiver.reset();  // the window went away
  DWORD effect = DROPEFFECT_COPY;
  target->DragEnter(offer.object, MK_LBUTTON, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  target->Drop(offer.object, 0, POINTL{}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(target->Release(), 1u);
  EXPECT_EQ(target->Release(), 0u);
}

TEST(DropRegistration, AWindowIsRegisteredOnceAndRevokedBeforeItGoes) {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ScriptedReceiver receiver;
  // The thread's own initialisation, as a host's: the registration adds
  // one and gives it back.
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  {
    DropRegistration registration;
    ASSERT_TRUE(registration.Register(window, receiver));
    EXPECT_TRUE(registration.Registered());
    // The system keeps one registration per window: a second is refused.
    Owned<DropTarget> other{new DropTarget(receiver)};
    EXPECT_EQ(RegisterDragDrop(window, other.object), DRAGDROP_E_ALREADYREGISTERED);
    registration.Revoke();
    EXPECT_FALSE(registration.Registered());
    registration.Revoke();  // twice does nothing
    EXPECT_EQ(RegisterDragDrop(window, other.object), S_OK) << "the window is free again";
    EXPECT_EQ(RevokeDragDrop(window), S_OK);
  }
  DestroyWindow(window);
  OleUninitialize();
}

}  // namespace
}  // namespace zun::win32
