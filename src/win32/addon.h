#pragma once

// The Win32 side of the add-on: it wires the platform's ports into the
// platform-free host adapter, creates and destroys the windows when the
// adapter's life cycle asks for them, and decodes what the exports receive
// (HWND, HDROP, MSG). The adapter decides; this class only translates.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/message_prompt.h"
#include "platform/seeded_random.h"
#include "core/host_adapter.h"
#include "host/plugin_description.h"
#include "host/settings.h"
#include "win32/main_window.h"
#include "win32/message_dialog.h"
#include "win32/win32_clipboard.h"
#include "win32/win32_file_dialogs.h"
#include "win32/win32_ports.h"

namespace zun::win32 {

class Addon final : private AddonWindows {
 public:
  struct Ports {
    FileSystem& files;
    ProfileStore& profile;
    SharedMemory& memory;
    Clock& clock;
    Win32ScreenCursor& cursor;
  };

  explicit Addon(Ports ports);
  ~Addon() override;
  Addon(const Addon&) = delete;
  Addon& operator=(const Addon&) = delete;

  // The module's add-on, on the Win32 ports; released when the DLL unloads.
  static Addon& Instance();
  static void ReleaseInstance();

  // The exports' work. None of them lets an exception out.
  uint8_t PluginData(PluginDescription* record, const char* folder, const char* prefix) noexcept;
  uint8_t AddonData(const char* path) noexcept;
  uint8_t Run(HWND hostWindow, HWND* addonWindow, const char* folder, const char* prefix, const char* version) noexcept;
  uint8_t CanClose() noexcept { return adapter_.CanClose(); }
  uint8_t DraggedDroppedFiles(const void* message) noexcept;

  // Start-up steps 4 and 5: the message dialog and the main window, owned
  // by the host's application window; the main window reads the settings.
  void CreateWindows(HWND hostWindow);

  HostAdapter& Adapter() { return adapter_; }
  const std::string& HostFolder() const { return adapter_.Errors().HostFolder(); }
  const std::string& HostPrefix() const { return adapter_.Errors().HostPrefix(); }
  SettingsLocation Settings() const { return adapter_.Settings(); }
  HWND HostWindow() const { return hostWindow_; }
  MainWindow* MainPage() const { return mainPage_.get(); }
  MessageDialog* MessagePage() const { return messagePage_.get(); }
  bool Closing() const { return adapter_.Closing(); }
  // Ends a message being shown, if any, and lets the dialog go once that
  // call has returned.
  void DestroyMessagePage();
  const std::vector<std::string>& LastDroppedFiles() const { return adapter_.LastDroppedFiles(); }

  ErrorReporter& Errors() { return adapter_.Errors(); }
  const HostSlots& Slots() const { return adapter_.Slots(); }
  MessagePrompt& Prompt() { return prompt_; }

 private:
  // Questions and reports go to the message dialog while it exists, else to
  // the system's message box (before start and after the close).
  class PromptForwarder final : public MessagePrompt {
   public:
    explicit PromptForwarder(Addon& addon) : addon_(addon) {}
    int32_t ShowMessagePage(std::string_view text, std::string_view caption, uint8_t iconKind,
                            std::span<const int32_t> results, std::span<const std::string> buttons) override;

   private:
    Addon& addon_;
  };

  // A saved file's path goes to the host in the drag-and-drop record's
  // TransferName, announced by message 0x63A to the host's window. The
  // text stays valid until the next save.
  class SavedFileNotifier final : public HostNotifier {
   public:
    explicit SavedFileNotifier(Addon& addon) : addon_(addon) {}
    void DatabaseSaved(const std::string& path) override;

   private:
    Addon& addon_;
    std::string path_;
  };

  // Request 0x595 sent to the record's reply window, and the offer 0x594
  // posted to the host's window.
  class HostWindowMessenger final : public HostMessenger {
   public:
    explicit HostWindowMessenger(Addon& addon) : addon_(addon) {}
    int32_t RequestIndexRoom(uintptr_t replyWindow, int32_t count) override;
    void PostOffer() override;

   private:
    Addon& addon_;
  };

  // Quick picks draw from a generator seeded from the clock at start-up.
  class ClockSeededRandom final : public SeededRandom {
   public:
    void SeedFromClock() override;
  };

  // AddonWindows: what the adapter's life cycle asks of the platform.
  void RefuseVersion(const std::string& message) override;
  void CreateWindows() override { CreateWindows(hostWindow_); }
  void HandOverWindow() override;
  void BuildGameViews() override;
  void ShowMainWindow() override;
  void AnnounceStarted() override;
  void ShowStartError(const std::string& message) override;
  void DestroyWindows() override;
  void FreeGameViews() override;
  void ReleaseMessageDialog() override { DestroyMessagePage(); }
  // The window a file dialog belongs to: the one the person works in.
  HWND DialogOwner() const noexcept;

  Ports ports_;
  PromptForwarder prompt_{*this};
  ClockSeededRandom random_;
  SavedFileNotifier notifier_{*this};
  HostWindowMessenger messenger_{*this};
  Win32MemoryProbe memoryProbe_;
  Win32FileDialogs dialogs_{[this] { return DialogOwner(); }};
  Win32Clipboard clipboard_{[this] { return mainPage_ ? mainPage_->Handle() : nullptr; }};
  HostAdapter adapter_;
  HWND hostWindow_ = nullptr;
  HWND* addonWindow_ = nullptr;  // during a start: where the host wants the window's handle
  bool starting_ = false;
  // Shared with a call in progress, which keeps the dialog alive until its
  // modal loop has returned even if the window closes meanwhile.
  std::shared_ptr<MessageDialog> messagePage_;
  WindowPtr<MainWindow> mainPage_;
};

// The add-on's icon as a Windows bitmap file: the 32 x 32, 256-colour
// bitmap held in the module's resources, behind a file header.
std::vector<uint8_t> AddonIconBitmapFile();


}  // namespace zun::win32
