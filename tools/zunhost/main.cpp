// zunhost: the development host. Plays the ZUN host's part for the add-on:
// publishes a game and the registry through the named slots, loads the
// add-on's DLL, starts it, answers its requests and prints the exchange.

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "host/host_messages.h"
#include "zunhost/addon_library.h"
#include "zunhost/host_environment.h"
#include "zunhost/host_log.h"
#include "zunhost/host_options.h"
#include "zunhost/host_window.h"
#include "zunhost/message_description.h"
#include "zunhost/peer_database.h"
#include "zunhost/peer_windows.h"

namespace zun::devhost {
namespace {

// The entries the peer database starts with.
constexpr int32_t kPeerSampleEntries = 12;

std::string ProgramPath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) return std::string(path.data(), length);
    path.resize(path.size() * 2);
  }
}

bool EnsureFolder(const std::string& folder) {
  if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Fills in the defaults that depend on where zunhost.exe is.
void CompleteOptions(HostOptions& options) {
  const std::string programFolder = FolderOf(ProgramPath());
  if (options.dll.empty()) options.dll = programFolder + "\\" + kAddonDllName;
  if (options.folder.empty()) options.folder = programFolder + "\\host";
}

int RunHost(HostOptions options) {
  CompleteOptions(options);
  // Declared in the order they must go in reverse: the host window (and
  // with it the add-on's windows) before the add-on's code, the add-on's
  // code before the slots and the game it reads.
  HostLog log;
  HostEnvironment environment;
  AddonLibrary addon;
  PeerDatabase peerDatabase(environment, log);
  PeerWindows peers(environment, log);
  HostWindow window(environment, log);
  std::string error;

  if (!EnsureFolder(options.folder)) {
    log.Line("cannot create the host folder " + options.folder);
    return 1;
  }
  if (!environment.LoadGame(options.gameFile)) {
    log.Line("cannot read the game file " + options.gameFile);
    return 1;
  }
  const TZUN_Lotto_Temp& game = environment.Game();
  log.Line("game: \"" + std::string(game.GameName.view()) + "\", " + std::to_string(game.PlaySets.size()) +
           " play set(s), " + std::to_string(game.Draws.size()) + " draws, from " + options.gameFile);

  // Beside the add-on's usual place (70, 70, some 780 x 380), within the screen.
  const int peerLeft = std::max(0, std::min(860, GetSystemMetrics(SM_CXSCREEN) - 400));
  const RECT peerPlace{peerLeft, 70, peerLeft + 400, 450};
  // The peer database takes its registry entry before the hidden stand-ins
  // are made for the entries left without a window.
  if (!window.Create(error) || !environment.CreateSlots(window.Handle()) ||
      !peerDatabase.Create(options.folder, kPeerSampleEntries, peerPlace, error) || !peers.Create(error)) {
    log.Line(error.empty() ? environment.LastError() : error);
    return 1;
  }
  log.Line("slots: created, replies go to the host window");

  if (!addon.Load(options.dll)) {
    log.Line(addon.ErrorText());
    return 1;
  }
  log.Line("add-on: loaded " + options.dll);
  const AddonExports& exports = addon.Exports();

  // Bytes 13 to 15 are the host's; marked so the print shows they stay.
  PluginDescription record{};
  std::memset(record.NotWritten13, 0xEE, sizeof record.NotWritten13);
  const uint8_t described = exports.PluginData(&record, options.folder.c_str(), options.prefix.c_str());
  log.Line("Plugin_Data: " + std::to_string(described));
  log.Line(DescribePluginRecord(record));

  AddonWindowHandle addonHandle = nullptr;
  const uint8_t started = exports.RunAddon(window.Handle(), 0, &addonHandle, options.folder.c_str(),
                                           options.prefix.c_str(), options.version.c_str());
  const HWND addonWindow = static_cast<HWND>(addonHandle);
  char handleText[32];
  std::snprintf(handleText, sizeof handleText, "0x%lX",
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(addonWindow)));
  log.Line("Run_ZUN_Addon: " + std::to_string(started) + ", add-on window " + handleText);
  if (started == 0) {
    log.Line("the add-on did not start");
    return 1;
  }
  environment.RegisterAddonWindow(addonWindow);
  window.AttachAddon(exports, addonWindow);
  DragAcceptFiles(window.Handle(), TRUE);
  window.DropFiles(options.drops);
  if (!options.screenshot.empty()) window.ScheduleScreenshot(options.screenshot);
  const int exitCode = window.RunMessageLoop();
  log.Line("host: closed, exit code " + std::to_string(exitCode));
  return exitCode;
}

}  // namespace
}  // namespace zun::devhost

int main(int argc, char** argv) {
  using namespace zun::devhost;
  try {
    HostOptions options;
    std::string error;
    if (!ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
      std::fprintf(stderr, "zunhost: %s\n%s\n", error.c_str(), kUsage);
      return 2;
    }
    return RunHost(std::move(options));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zunhost: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zunhost: unexpected error\n");
  }
  return 1;
}
