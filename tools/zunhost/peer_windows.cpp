#include "zunhost/peer_windows.h"

#include <exception>

#include "host/host_messages.h"
#include "win32/window_text.h"
#include "zunhost/host_environment.h"
#include "zunhost/host_log.h"
#include "zunhost/message_description.h"

namespace zun::devhost {
namespace {

constexpr char kPeerClass[] = "ZUN_Dev_Peer_Window";
// Enough indexes to recognise an offer by; the count says the rest.
constexpr int32_t kIndexesShown = 10;

bool RegisterPeerClass(WNDPROC procedure) {
  WNDCLASSA windowClass{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kPeerClass, &windowClass)) return true;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kPeerClass;
  return RegisterClassA(&windowClass) != 0;
}


}  // namespace

bool PeerWindows::Create(std::string& error) {
  if (!RegisterPeerClass(&Procedure)) {
    error = "cannot register the peer window class";
    return false;
  }
  std::vector<std::string> captions;
  for (const PluginWindow* entry : environment_.Registry().Windows())
    if (entry->IsOpen && entry->Handle == 0) captions.emplace_back(entry->Caption.view());
  for (const std::string& caption : captions) {
    UniqueWindow window(CreateWindowExA(0, kPeerClass, caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!window) {
      error = "cannot create the window \"" + caption + "\"";
      return false;
    }
    SetWindowLongPtrA(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    environment_.AttachWindow(caption, window.get());
    windows_.push_back(std::move(window));
  }
  return true;
}

LRESULT CALLBACK PeerWindows::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PeerWindows*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr || message != kMsgTakeOfferedEntries) return DefWindowProcA(window, message, wParam, lParam);
  try {
    self->TakeOffer(window);
  } catch (const std::exception& e) {
    self->log_.Line(std::string("error in a peer window: ") + e.what());
  } catch (...) {
    self->log_.Line("error in a peer window");
  }
  return 1;
}

void PeerWindows::TakeOffer(HWND window) {
  const DragDropRecord& record = environment_.DragDrop();
  std::string indexes;
  const int32_t count = record.EntryIndices.size();
  for (int32_t i = 0; i < count && i < kIndexesShown; ++i)
    indexes += (i == 0 ? "" : ", ") + std::to_string(record.EntryIndices[i]);
  if (count > kIndexesShown) indexes += ", ...";
  std::string line = "host -> \"" + win32::WindowText(window) +
                     "\": 0x594 offer taken: " + TransferKindName(record.TransferKind) + ", " + std::to_string(count) +
                     " indexes";
  if (count != 0) line += " (" + indexes + ")";
  if (const TZUN_User_Lotto_DBase* database = environment_.PublishedUserDatabase())
    line += " of " + std::to_string(database->Entries.size()) + " entries";
  log_.Line(line);
}

}  // namespace zun::devhost
