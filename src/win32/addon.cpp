#include "win32/addon.h"

#include <shellapi.h>

#include <cstring>
#include <ctime>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "shell/host_messages.h"
#include "shell/host_version.h"
#include "win32/module.h"
#include "win32/resource_ids.h"

namespace zun::win32 {
namespace {

std::string Text(const char* text) { return text ? text : ""; }

void ShowErrorBox(HWND owner, const char* prefix, const char* text) noexcept {
  try {
    MessageBoxA(owner, (std::string(prefix) + text).c_str(), "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  } catch (...) {
    MessageBoxA(owner, prefix, "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  }
}

Addon* g_instance = nullptr;

}  // namespace

Addon::Addon(Ports ports)
    : ports_(ports), errors_(ports.files, ports.clock, prompt_, ports.cursor), slots_(ports.memory) {}

Addon::~Addon() {
  TearDown();
  // The host keeps its slot after we are gone: it must not point at a
  // database that is freed with us.
  HostSlots::WithdrawUserDatabase(ports_.memory, session_.Database());
}

Addon& Addon::Instance() {
  if (g_instance == nullptr) {
    static Win32ProfileStore profile;
    static Win32SharedMemory memory;
    static Win32Clock clock;
    static Win32ScreenCursor cursor;
    g_instance = new Addon(Ports{PlatformFileSystem(), profile, memory, clock, cursor});
    SetUnexpectedErrorHandler([](const char* what) {
      Instance().Errors().ReportError(std::string("Error in User DBase Builder: ") + what);
    });
  }
  return *g_instance;
}

void Addon::ReleaseInstance() {
  delete g_instance;
  g_instance = nullptr;
}

void Addon::TearDown() {
  mainPage_.reset();
  DestroyMessagePage();
  slots_.Detach();
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
  bool visible = false;
  try {
    visible = ReadVisible(ports_.profile, SettingsLocation::For(Text(folder), Text(prefix)));
  } catch (...) {
    visible = false;  // never fails: unreadable settings mean "not visible"
  }
  if (record != nullptr) FillPluginDescription(*record, visible);
  return visible ? 1 : 0;
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
  // A host that starts the add-on again from inside the start (a message
  // handled while the window is shown) is refused, not let in halfway.
  if (starting_) return 0;
  struct Starting {
    bool& flag;
    explicit Starting(bool& f) : flag(f) { flag = true; }
    ~Starting() { flag = false; }
  } starting(starting_);
  try {
    const std::string hostVersion = Text(version);
    if (!IsSupportedHostVersion(hostVersion)) {
      ShowErrorBox(hostWindow, "", VersionMismatchMessage(hostVersion).c_str());
      return 0;  // nothing created, nothing attached
    }
    TearDown();  // a host that starts the add-on again gets fresh windows
    errors_.SetHost(Text(folder), Text(prefix));
    CreateWindows(hostWindow);
    if (!slots_.Attach()) {
      // The host's process and its game stay as they are: the add-on just
      // does not start.
      errors_.ReportError("Error Creating Memmory Map File...");
      TearDown();
      return 0;
    }
    if (addonWindow != nullptr) *addonWindow = mainPage_->Handle();
    closing_ = false;
    InitialisePage();
    mainPage_->ShowStep();
    PostMessageA(mainPage_->Handle(), kMsgAddonStarted, 0, 0);
    return 1;
  } catch (const std::exception& e) {
    ShowErrorBox(hostWindow, "Error in Plugin_ZUN: ", e.what());
  } catch (...) {
    ShowErrorBox(hostWindow, "Error in Plugin_ZUN: ", "unknown error");
  }
  TearDown();
  if (addonWindow != nullptr) *addonWindow = nullptr;  // the window handed over is gone
  return 0;
}

void Addon::CreateWindows(HWND hostWindow) {
  hostWindow_ = hostWindow;  // the add-on's windows belong to the host's application
  messagePage_ = std::make_unique<MessageDialog>(hostWindow_);
  mainPage_ = std::make_unique<MainWindow>(*this, hostWindow_);
}

void Addon::InitialisePage() {
  EnterOperation(codes::kInitialisePage);
  session_.Random().seed(static_cast<uint32_t>(std::time(nullptr)) ^ GetTickCount());
  // The ball grids and the list's columns are built here once they exist.
  Guarded("Error while Creating User Database", [&] { session_.CreateUserDatabase(slots_, ports_.files); });
}

uint8_t Addon::CanClose() noexcept {
  try {
    const TZUN_User_Lotto_DBase* database = session_.Database();
    if (database == nullptr || database->Entries.empty() || !session_.DatabaseModified) return 1;
    // Unsaved entries: until the save confirmation exists, refuse rather
    // than let the host throw the user's work away.
    return 0;
  } catch (...) {
    return 0;
  }
}

uint8_t Addon::DraggedDroppedFiles(const void* message) noexcept {
  try {
    EnterOperation(codes::kShellFilesDropped);
    Guarded("Error while adding Entries from File Manager.", [&] {
      if (message == nullptr) return;
      const MSG* msg = static_cast<const MSG*>(message);  // the drop handle is the first parameter, at offset 8
      const auto drop = reinterpret_cast<HDROP>(msg->wParam);
      droppedFiles_.clear();
      const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        std::string name(DragQueryFileA(drop, i, nullptr, 0), '\0');
        DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size() + 1));
        droppedFiles_.push_back(std::move(name));
      }
      // The drop intake takes the database files among them once it exists;
      // the handle stays the host's.
    });
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
