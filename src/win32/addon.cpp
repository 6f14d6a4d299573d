#include "win32/addon.h"

#include <shellapi.h>

#include <cstring>
#include <ctime>

#include "base/error_location.h"
#include "base/scope_guards.h"
#include "base/reference_codes.h"
#include "base/texts.h"
#include "host/host_messages.h"
#include "host/host_version.h"
#include "win32/module.h"
#include "win32/resource_ids.h"
#include "win32/visual_styles.h"

namespace zun::win32 {
namespace {

std::string Text(const char* text) { return text ? text : ""; }

void ShowErrorBox(HWND owner, const char* prefix, const char* text) noexcept {
  try {
    MessageBoxA(owner, (std::string(prefix) + text).c_str(), texts::dialog::kError,
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
    MessageBoxA(owner, prefix, texts::dialog::kError, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
}

Addon* g_instance = nullptr;

}  // namespace

Addon::Addon(Ports ports)
    : ports_(ports),
      adapter_(HostAdapter::Ports{*this, ports.files, ports.profile, ports.memory, ports.clock, prompt_, ports.cursor,
                                  random_, dialogs_, clipboard_, notifier_, messenger_, memoryProbe_}) {}

int32_t Addon::HostWindowMessenger::RequestIndexRoom(uintptr_t replyWindow, int32_t count) {
  const HWND reply = reinterpret_cast<HWND>(replyWindow);
  if (reply == nullptr || !IsWindow(reply) || count < 0) return 0;
  // Sent, and waited for: the host sizes EntryIndices before we write it.
  return static_cast<int32_t>(SendMessageA(reply, kMsgRequestIndexRoom, static_cast<WPARAM>(count), 0));
}

void Addon::HostWindowMessenger::PostOffer() { PostMessageA(addon_.hostWindow_, kMsgTakeOfferedEntries, 0, 0); }

void Addon::SavedFileNotifier::DatabaseSaved(const std::string& path) {
  DragDropRecord* record = addon_.adapter_.Slots().DragDrop();
  if (record == nullptr) return;
  path_ = path;
  record->TransferName = path_.c_str();
  PostMessageA(addon_.hostWindow_, kMsgDatabaseSaved, 0, 0);
}

Addon::~Addon() {
  // The windows go first; nothing may reach their views meanwhile.
  adapter_.SetViews(Views{});
  DestroyWindows();
}

Addon& Addon::Instance() {
  if (g_instance == nullptr) {
    static Win32ProfileStore profile;
    static Win32SharedMemory memory;
    static Win32Clock clock;
    static Win32ScreenCursor cursor;
    g_instance = new Addon(Ports{PlatformFileSystem(), profile, memory, clock, cursor});
    SetUnexpectedErrorHandler([](const char* what) {
      Instance().Errors().ReportError(std::string(texts::failure::kUnexpected) + what);
    });
  }
  return *g_instance;
}

void Addon::ReleaseInstance() {
  delete g_instance;
  g_instance = nullptr;
}

void Addon::ClockSeededRandom::SeedFromClock() {
  Seed(static_cast<uint32_t>(std::time(nullptr)) ^ GetTickCount());
}

void Addon::DestroyWindows() {
  mainPage_.reset();
  DestroyMessagePage();
}

void Addon::FreeGameViews() {
  if (mainPage_) mainPage_->FreeGameViews();
}

void Addon::DestroyMessagePage() {
  if (messagePage_ && messagePage_->Running()) messagePage_->Abandon();
  messagePage_.reset();
}

int32_t Addon::PromptForwarder::ShowMessagePage(std::string_view text, std::string_view caption, uint8_t iconKind,
                                                std::span<const int32_t> results,
                                                std::span<const std::string> buttons) {
  if (const std::shared_ptr<MessageDialog> dialog = addon_.messagePage_)
    return dialog->ShowMessagePage(text, caption, iconKind, results, buttons);
  return ShowSystemMessageBox(addon_.HostWindow(), text, caption, iconKind, results);
}

uint8_t Addon::PluginData(PluginDescription* record, const char* folder, const char* prefix) noexcept {
  return adapter_.PluginData(record, Text(folder), Text(prefix));
}

uint8_t Addon::AddonData(const char* path) noexcept {
  // The host learns nothing from the result (always 0); a file that cannot
  // be written is left as it was rather than thrown at the host.
  try {
    const std::vector<uint8_t> bitmap = AddonIconBitmapFile();
    if (auto out = ports_.files.BeginReplace(Text(path))) {
      if (out->Write(bitmap.data(), bitmap.size())) out->Commit();
    }
  } catch (...) {
  }
  return 0;
}

uint8_t Addon::Run(HWND hostWindow, HWND* addonWindow, const char* folder, const char* prefix,
                   const char* version) noexcept {
  // A start from inside the start is refused (by the adapter too) and must not
  // take over the handles of the start in progress.
  if (starting_) return 0;
  hostWindow_ = hostWindow;
  addonWindow_ = addonWindow;
  uint8_t started = 0;
  {
    const FlagScope starting(starting_);
    started = adapter_.Start(Text(folder), Text(prefix), Text(version));
  }
  addonWindow_ = nullptr;  // the host's variable is written once, not kept
  if (started == 0 && addonWindow != nullptr) *addonWindow = nullptr;  // the window handed over is gone
  return started;
}

HWND Addon::DialogOwner() const noexcept {
  if (!mainPage_) return hostWindow_;
  // A window of ours that the main window owns (the check window) keeps the
  // keyboard after its dialog closes, as a dialog's owner gets it back.
  HWND active = GetActiveWindow();
  if (active != nullptr && GetWindow(active, GW_OWNER) == mainPage_->Handle()) return active;
  return mainPage_->Handle();
}

void Addon::RefuseVersion(const std::string& message) { ShowErrorBox(hostWindow_, "", message.c_str()); }

void Addon::CreateWindows(HWND hostWindow) {
  InitCommonControlsOnce();
  const VisualStylesScope styles;
  hostWindow_ = hostWindow;  // the add-on's windows belong to the host's application
  messagePage_ = std::shared_ptr<MessageDialog>(MakeWindow<MessageDialog>(hostWindow_));
  mainPage_ = MakeWindow<MainWindow>(adapter_, ports_.cursor, hostWindow_);
}

void Addon::HandOverWindow() {
  if (addonWindow_ != nullptr) *addonWindow_ = mainPage_->Handle();
}

void Addon::BuildGameViews() {
  const VisualStylesScope styles;
  mainPage_->BuildGameViews();
}

void Addon::ShowMainWindow() { mainPage_->ShowStep(); }

void Addon::AnnounceStarted() { PostMessageA(mainPage_->Handle(), kMsgAddonStarted, 0, 0); }

void Addon::ShowStartError(const std::string& message) { ShowErrorBox(hostWindow_, "", message.c_str()); }

uint8_t Addon::DraggedDroppedFiles(const void* message) noexcept {
  try {
    EnterOperation(codes::kShellFilesDropped);
    std::vector<std::string> names;
    // The drop handle is the message's first parameter (offset 8 in the
    // 32-bit host); the handle stays the host's.
    const bool read = adapter_.Guarded(texts::failure::kShellDrop, [&] {
      if (message != nullptr) names = DroppedFileNames(reinterpret_cast<HDROP>(static_cast<const MSG*>(message)->wParam));
    });
    if (read) adapter_.FilesDropped(names);
  } catch (...) {
  }
  return 1;
}

std::vector<uint8_t> AddonIconBitmapFile() {
  HRSRC found = FindResourceA(ModuleInstance(), MAKEINTRESOURCEA(IDB_ADDON_ICON), MAKEINTRESOURCEA(2) /*RT_BITMAP*/);
  if (found == nullptr) throw std::runtime_error("The add-on's icon is missing from its resources.");
  const DWORD size = SizeofResource(ModuleInstance(), found);
  const auto* dib = static_cast<const uint8_t*>(LockResource(LoadResource(ModuleInstance(), found)));
  if (dib == nullptr || size < sizeof(BITMAPINFOHEADER)) throw std::runtime_error("The add-on's icon is damaged.");
  BITMAPINFOHEADER info;
  std::memcpy(&info, dib, sizeof info);
  const DWORD colours = info.biClrUsed != 0 ? info.biClrUsed : (info.biBitCount <= 8 ? 1u << info.biBitCount : 0);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfSize = sizeof header + size;
  header.bfOffBits = sizeof header + info.biSize + colours * sizeof(RGBQUAD);
  std::vector<uint8_t> file(sizeof header + size);
  std::memcpy(file.data(), &header, sizeof header);
  std::memcpy(file.data() + sizeof header, dib, size);
  return file;
}

}  // namespace zun::win32
