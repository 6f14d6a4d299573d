// A stand-in add-on for testing the development host without the real
// one. At the interface it behaves as an add-on does: it opens the host's
// slots by name, reads the game and the plug-ins menu, publishes a user
// database, and once started makes two offers (one to an open window, one
// to a closed one), reports a save and has two files dropped on its window
// (which the host must hand to DraggedDropped_Files). Its window is one flat colour, so a
// screenshot of it can be checked pixel by pixel. Refuses any host version
// but 0.39.

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cstring>
#include <memory>
#include <string_view>

#include "model/user_database.h"
#include "host/host_messages.h"
#include "host/host_records.h"
#include "host/host_slots.h"
#include "win32/addon_exports.h"
#include "zunhost/win32_scoped.h"

namespace {

using namespace zun;
using devhost::UniqueGdiObject;
using devhost::UniqueHandle;
using devhost::UniqueView;

constexpr char kClass[] = "ZUN_Fake_Addon";
constexpr COLORREF kColour = RGB(200, 40, 40);  // the tests look for this colour
constexpr UINT kOfferToClosedWindow = WM_APP + 1;
constexpr UINT kReportSave = WM_APP + 2;
constexpr char kDroppedFiles[] = "C:\\picks\\a.sl5\0C:\\picks\\b.sl4\0";  // and the list's final zero
constexpr int32_t kEntries = 5;

HINSTANCE module = nullptr;
UniqueGdiObject background;
HWND hostWindow = nullptr;
HWND ownWindow = nullptr;
std::array<UniqueHandle, kHostSlots.size()> mappings;
std::array<UniqueView, kHostSlots.size()> views;
std::unique_ptr<TZUN_User_Lotto_DBase> database;

const void* PointerIn(size_t slot) {
  const void* pointer;
  std::memcpy(&pointer, views[slot].get(), sizeof pointer);
  return pointer;
}
void Publish(const TZUN_User_Lotto_DBase* published) { std::memcpy(views[1].get(), &published, sizeof published); }
DragDropRecord& Record() { return *static_cast<DragDropRecord*>(views[5].get()); }

void CloseSlots() {
  for (size_t i = views.size(); i-- > 0;) {
    views[i].reset();
    mappings[i].reset();
  }
}

// Opens the slots by name, as the add-on does: all of them or none.
bool OpenSlots() {
  for (size_t i = 0; i < kHostSlots.size(); ++i) {
    mappings[i].reset(OpenFileMappingA(FILE_MAP_WRITE, FALSE, kHostSlots[i].name));
    if (mappings[i]) views[i].reset(MapViewOfFile(mappings[i].get(), FILE_MAP_WRITE, 0, 0, kSlotSize));
    if (!views[i]) {
      CloseSlots();
      return false;
    }
  }
  return true;
}

// The plug-ins menu entry whose window has this caption, as an add-on finds it.
const WindowLocator* MenuEntry(std::string_view caption) {
  const auto* groups = static_cast<const PluginGroup*>(PointerIn(2));
  for (const WindowLocator& locator : CountedArray(static_cast<const WindowLocator*>(PointerIn(4)))) {
    const PluginWindow* window = ResolveLocator(groups, locator);
    if (window != nullptr && window->Caption.view() == caption) return &locator;
  }
  return nullptr;
}

// Offers entries 0, 2, 4 to the window named by caption.
void Offer(std::string_view caption, const char* name) {
  const WindowLocator* target = MenuEntry(caption);
  if (target == nullptr) return;
  DragDropRecord& record = Record();
  record.SourceWindow = reinterpret_cast<HostWindowHandle>(ownWindow);
  record.SendToParams[0] = target->Group;
  record.SendToParams[1] = target->SubGroup;
  record.SendToParams[2] = target->Node;
  record.SendToParams[3] = target->Window;
  record.SendToInSubGroup = target->InSubGroup;
  record.TransferKind = static_cast<int32_t>(TransferKind::ReadOnlySlot);
  record.TransferName = name;
  if (SendMessageA(reinterpret_cast<HWND>(record.ReplyWindow), kMsgRequestIndexRoom, 3, 0) != 1 ||
      record.EntryIndices.size() != 3)
    return;
  for (int32_t i = 0; i < 3; ++i) record.EntryIndices[i] = 2 * i;
  PostMessageA(hostWindow, kMsgTakeOfferedEntries, 0, 0);
}

// Posts a WM_DROPFILES as the system does when files are dropped on window.
// The drop belongs to whoever takes the message: the host finishes it.
void PostDrop(HWND window) {
  const HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + sizeof kDroppedFiles);
  if (drop == nullptr) return;
  auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
  files->pFiles = sizeof(DROPFILES);
  std::memcpy(files + 1, kDroppedFiles, sizeof kDroppedFiles);
  GlobalUnlock(drop);
  if (!PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) GlobalFree(drop);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Each step is posted after the last one's message to the host, so the
  // host reads the record before it changes.
  switch (message) {
    case kMsgAddonStarted:
      Offer("Winning Numbers Checker", "Fake entries");
      PostMessageA(window, kOfferToClosedWindow, 0, 0);
      return 1;
    case kOfferToClosedWindow:
      Offer("Frequency Charts", "Fake entries to a closed window");
      PostMessageA(window, kReportSave, 0, 0);
      return 1;
    case kReportSave:
      Record().TransferName = "Z:\\fake\\picks.sl5";
      PostMessageA(hostWindow, kMsgDatabaseSaved, 0, 0);
      PostDrop(window);
      return 1;
    case kMsgShowWindow: ShowWindow(window, SW_SHOWNORMAL); return 1;
    case kMsgHourglassOn:
    case kMsgHourglassOff: return 1;
    case kMsgCloseForGood: DestroyWindow(window); return 1;
    case WM_DESTROY:
      ownWindow = nullptr;
      Publish(nullptr);
      database.reset();
      CloseSlots();
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

extern "C" {

__declspec(dllexport) uint8_t __stdcall Plugin_Data(PluginDescription* record, const char*, const char*) {
  record->Kind = "Addon";
  record->Name = "Fake";
  record->Category = "Test";
  record->Byte12 = 1;
  record->ProtocolCode = "FakeAd01";
  record->Visible = 1;
  record->Byte21 = 0;
  record->Byte22 = 1;
  record->Byte23 = 0;
  return 1;
}

__declspec(dllexport) uint8_t __stdcall Addon_Data(const char*) { return 1; }

__declspec(dllexport) uint8_t __stdcall Run_ZUN_Addon(AddonWindowHandle host, int32_t, AddonWindowHandle* addonWindow,
                                                      const char*, const char*, const char* version) {
  *addonWindow = nullptr;
  if (std::string_view(version) != "0.39" || !OpenSlots()) return 0;
  const auto* game = static_cast<const TZUN_Lotto_DBase*>(PointerIn(0));
  if (game == nullptr || game->GameName.view().empty()) {
    CloseSlots();
    return 0;
  }
  hostWindow = static_cast<HWND>(host);

  database = std::make_unique<TZUN_User_Lotto_DBase>();
  database->Entries.resize(kEntries);
  Publish(database.get());

  if (!background) background.reset(CreateSolidBrush(kColour));
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = module;
  windowClass.hbrBackground = static_cast<HBRUSH>(background.get());
  windowClass.lpszClassName = kClass;
  RegisterClassA(&windowClass);
  ownWindow = CreateWindowExA(0, kClass, "Fake Add-on", WS_OVERLAPPEDWINDOW, 70, 70, 320, 240, nullptr, nullptr, module,
                              nullptr);
  if (ownWindow == nullptr) return 0;
  PostMessageA(ownWindow, kMsgAddonStarted, 0, 0);
  *addonWindow = ownWindow;
  return 1;
}

__declspec(dllexport) uint8_t __stdcall Addon_CanClose_ZUN() { return 1; }

// Takes the drop the host passes on: the drop handle is the MSG's wParam
// (offset 8 in the 32-bit host). 1 when it holds the two files the stand-in
// dropped.
__declspec(dllexport) uint8_t __stdcall DraggedDropped_Files(const void* message) {
  HDROP drop;
  std::memcpy(&drop, static_cast<const char*>(message) + offsetof(MSG, wParam), sizeof drop);
  char first[MAX_PATH] = {};
  if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) != 2 || DragQueryFileA(drop, 0, first, sizeof first) == 0) return 0;
  return std::string_view(first) == kDroppedFiles ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) module = instance;
  if (reason == DLL_PROCESS_DETACH) UnregisterClassA(kClass, module);
  return TRUE;
}

}  // extern "C"
