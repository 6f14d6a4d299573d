#pragma once

// The add-on's module-wide state and what its exports do: the handshake
// with the host, start-up in its fixed order, and the windows' life.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "operations/database_session.h"
#include "platform/file_system.h"
#include "platform/message_prompt.h"
#include "shell/error_reporter.h"
#include "shell/host_slots.h"
#include "shell/plugin_description.h"
#include "shell/settings.h"
#include "win32/main_window.h"
#include "win32/message_dialog.h"
#include "win32/win32_ports.h"

namespace zun::win32 {

class Addon {
 public:
  struct Ports {
    FileSystem& files;
    ProfileStore& profile;
    SharedMemory& memory;
    Clock& clock;
    Win32ScreenCursor& cursor;
  };

  explicit Addon(Ports ports);
  ~Addon();
  Addon(const Addon&) = delete;
  Addon& operator=(const Addon&) = delete;

  // The module's add-on, on the Win32 ports; released when the DLL unloads.
  static Addon& Instance();
  static void ReleaseInstance();

  // The exports' work. None of them lets an exception out.
  uint8_t PluginData(PluginDescription* record, const char* folder, const char* prefix) noexcept;
  uint8_t AddonData(const char* path) noexcept;
  uint8_t Run(HWND hostWindow, HWND* addonWindow, const char* folder, const char* prefix, const char* version) noexcept;
  uint8_t CanClose() noexcept;
  uint8_t DraggedDroppedFiles(const void* message) noexcept;

  // Start-up steps 4 and 5: the message dialog and the main window, owned
  // by the host's application window; the main window reads the settings.
  void CreateWindows(HWND hostWindow);

  // Module-wide state.
  const std::string& HostFolder() const { return errors_.HostFolder(); }
  const std::string& HostPrefix() const { return errors_.HostPrefix(); }
  SettingsLocation Settings() const { return SettingsLocation::For(HostFolder(), HostPrefix()); }
  HWND HostWindow() const { return hostWindow_; }
  MainWindow* MainPage() const { return mainPage_.get(); }
  MessageDialog* MessagePage() const { return messagePage_.get(); }
  bool Closing() const { return closing_; }
  void SetClosing(bool closing) { closing_ = closing; }
  // Ends a message being shown, if any, and lets the dialog go once that
  // call has returned.
  void DestroyMessagePage();
  const std::vector<std::string>& LastDroppedFiles() const { return droppedFiles_; }

  ErrorReporter& Errors() { return errors_; }
  HostSlots& Slots() { return slots_; }
  DatabaseSession& Session() { return session_; }
  Win32ScreenCursor& Cursor() { return ports_.cursor; }
  ProfileStore& Profile() { return ports_.profile; }
  FileSystem& Files() { return ports_.files; }
  MessagePrompt& Prompt() { return prompt_; }

  // Runs one operation under a guard: an error is reported with `message`
  // and the operation is left. Returns whether it finished.
  template <class Work>
  bool Guarded(std::string_view message, Work&& work) {
    try {
      work();
      return true;
    } catch (const std::bad_alloc&) {
      errors_.ReportError(message);
    } catch (const std::exception&) {
      errors_.ReportError(message);
    }
    return false;
  }

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

  void InitialisePage();
  void TearDown();

  Ports ports_;
  PromptForwarder prompt_{*this};
  ErrorReporter errors_;
  HostSlots slots_;
  DatabaseSession session_;
  HWND hostWindow_ = nullptr;
  // Shared with a call in progress, which keeps the dialog alive until its
  // modal loop has returned even if the window closes meanwhile.
  std::shared_ptr<MessageDialog> messagePage_;
  std::unique_ptr<MainWindow> mainPage_;
  bool closing_ = false;
  bool starting_ = false;
  std::vector<std::string> droppedFiles_;
};

// The add-on's icon as a Windows bitmap file: the 32 x 32, 256-colour
// bitmap held in the module's resources, behind a file header.
std::vector<uint8_t> AddonIconBitmapFile();

}  // namespace zun::win32
