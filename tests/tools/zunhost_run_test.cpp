// zunhost.exe end to end, with the stand-in add-on: the exchange it prints
// and the screenshot it takes. Needs a display (the tests run under
// scripts/with-display).

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/test_files.h"
#include "tools/devhost_paths.h"
#include "tools/png_reading.h"
#include "zunhost/host_window.h"
#include "zunhost/win32_scoped.h"

namespace zun::devhost {
namespace {

using zun::testing::FakeAddonDll;
using zun::testing::SourcePath;
using zun::testing::TempFolder;
using zun::testing::ZunhostExe;

struct HostRun {
  DWORD code = 0;
  std::string output;  // stdout and stderr together
};

std::string Quote(const std::string& arg) { return "\"" + arg + "\""; }

// Appends whatever the pipe holds now, without waiting for more.
void Drain(HANDLE pipe, std::string& output) {
  char buffer[4096];
  DWORD available = 0, got = 0;
  while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available != 0 &&
         ReadFile(pipe, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) && got != 0)
    output.append(buffer, got);
}

// Runs zunhost.exe with args, collecting what it prints; a host still
// running after a minute is ended and fails the test. watch, if given, sees
// the output so far each time more arrives. The pipe is read until the
// process ends rather than to its end: under Wine the desktop process that
// the host's first window starts inherits the pipe too.
HostRun RunZunhost(const std::vector<std::string>& args, const std::function<void(const std::string&)>& watch = {}) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 1 << 16)) throw std::runtime_error("CreatePipe failed");
  const UniqueHandle reader(readEnd);
  UniqueHandle writer(writeEnd);
  SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

  std::string commandLine = Quote(ZunhostExe());
  for (const std::string& arg : args) commandLine += " " + Quote(arg);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writer.get();
  startup.hStdError = writer.get();
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
    throw std::runtime_error("cannot start " + commandLine);
  const UniqueHandle processHandle(process.hProcess), thread(process.hThread);
  writer.reset();

  HostRun run;
  const ULONGLONG deadline = GetTickCount64() + 60'000;
  for (;;) {
    const size_t before = run.output.size();
    Drain(reader.get(), run.output);
    if (watch && run.output.size() != before) watch(run.output);
    if (WaitForSingleObject(processHandle.get(), 20) == WAIT_OBJECT_0) break;
    if (GetTickCount64() > deadline) {
      TerminateProcess(processHandle.get(), 99);
      WaitForSingleObject(processHandle.get(), 5'000);
      ADD_FAILURE() << "zunhost did not end within a minute";
      break;
    }
  }
  Drain(reader.get(), run.output);
  GetExitCodeProcess(processHandle.get(), &run.code);
  return run;
}

// Each of the lines appears in output, in this order.
void ExpectInOrder(const std::string& output, const std::vector<std::string>& lines) {
  size_t at = 0;
  for (const std::string& line : lines) {
    const size_t found = output.find(line, at);
    ASSERT_NE(found, std::string::npos) << "missing, or out of order: " << line << "\n--- output:\n" << output;
    at = found + line.size();
  }
}

TEST(Zunhost, ScreenshotRunShowsTheWholeExchangeAndThePicture) {
  const TempFolder folder;
  const std::string shot = folder / "addon.png";
  const HostRun run = RunZunhost(
      {"--dll", FakeAddonDll(), "--folder", folder.Path(), "--screenshot", shot, SourcePath("samples/Lotto649.dat")});
  EXPECT_EQ(run.code, 0u) << run.output;
  ExpectInOrder(
      run.output,
      {
          "game: \"",
          "slots: created",
          "Plugin_Data: 1",
          "Kind \"Addon\", Name \"Fake\", Category \"Test\", ProtocolCode \"FakeAd01\"",
          "bytes 13-15: ee ee ee, Visible 1",  // the host's own bytes stay as the host set them
          "Run_ZUN_Addon: 1",
          "host -> add-on: 0x590 show window (posted)",
          "add-on -> its window: 1525 add-on started",
          "add-on -> host: 0x595 index room requested: 3",
          "answered 1",
          "add-on -> host: 0x594 entries offered: read-only slot \"Fake entries\", 3 indexes, to \"Winning Numbers "
          "Checker\"",
          "routed to \"Winning Numbers Checker\"",
          "host -> \"Winning Numbers Checker\": 0x594 offer taken: read-only slot, 3 indexes (0, 2, 4) of 5 entries",
          "to \"Frequency Charts\"",
          "not routed",
          "add-on -> host: 0x63A database saved: Z:\\fake\\picks.sl5",
          "drop: 2 file(s) on \"Fake Add-on\"",
          "DraggedDropped_Files: 1",
          "screenshot: " + shot,
          "Addon_CanClose_ZUN: 1",
          "host -> add-on: 0x591 close for good (sent)",
          "host: closed, exit code 0",
      });

  // The whole window, frame and all, with the add-on's colour inside.
  const auto image = zun::testing::DecodeStoredPng(zun::testing::ReadBytes(shot));
  EXPECT_EQ(image.width, 320);
  EXPECT_EQ(image.height, 240);
  const size_t centre = (size_t(image.height / 2) * size_t(image.width) + size_t(image.width / 2)) * 3;
  ASSERT_LT(centre + 2, image.rgb.size());
  EXPECT_EQ(image.rgb[centre], 200);
  EXPECT_EQ(image.rgb[centre + 1], 40);
  EXPECT_EQ(image.rgb[centre + 2], 40);
}

TEST(Zunhost, MenuCommandsReachTheAddonAndExitClosesItOnce) {
  const TempFolder folder;
  bool commanded = false;
  const HostRun run =
      RunZunhost({"--dll", FakeAddonDll(), "--folder", folder.Path(), SourcePath("samples/Lotto649.dat")},
                 [&](const std::string& output) {
                   if (commanded || output.find("DraggedDropped_Files") == std::string::npos) return;
                   // Posted in one go: the host takes them in this order.
                   const HWND host = FindWindowA(kHostWindowClass, kHostWindowCaption);
                   ASSERT_NE(host, nullptr);
                   for (const int command : {kShowAddon, kHourglassOn, kHourglassOff, kCloseAddon, kShowAddon, kExit})
                     PostMessageA(host, WM_COMMAND, static_cast<WPARAM>(command), 0);
                   commanded = true;
                 });
  EXPECT_TRUE(commanded);
  EXPECT_EQ(run.code, 0u) << run.output;
  ExpectInOrder(run.output, {
                                "host -> add-on: 0x590 show window (posted)",
                                "host -> add-on: 0x59C hourglass on (posted)",
                                "host -> add-on: 0x59D hourglass off (posted)",
                                "Addon_CanClose_ZUN: 1",
                                "host -> add-on: 0x591 close for good (sent)",
                                "host: no add-on window for 0x590 show window",
                                "host: closed, exit code 0",
                            });
  // Exit does not close an add-on that is closed already.
  EXPECT_EQ(run.output.find("Addon_CanClose_ZUN", run.output.find("Addon_CanClose_ZUN") + 1), std::string::npos);
}

TEST(Zunhost, EndsWithAReasonWhenTheAddonCannotRun) {
  const TempFolder folder;
  const std::string game = SourcePath("samples/Lotto649.dat");
  const std::string hostFolder = folder / "host";

  // The stand-in refuses any version but 0.39; the host folder is made first.
  const HostRun refused = RunZunhost({"--dll", FakeAddonDll(), "--folder", hostFolder, "--version", "0.40", game});
  EXPECT_EQ(refused.code, 1u);
  ExpectInOrder(refused.output, {"Plugin_Data: 1", "Run_ZUN_Addon: 0", "the add-on did not start"});
  EXPECT_NE(GetFileAttributesA(hostFolder.c_str()), INVALID_FILE_ATTRIBUTES);

  const HostRun missing = RunZunhost({"--dll", folder / "none.dll", "--folder", hostFolder, game});
  EXPECT_EQ(missing.code, 1u);
  ExpectInOrder(missing.output, {"cannot load " + (folder / "none.dll")});

  const HostRun noGame = RunZunhost({"--dll", FakeAddonDll(), "--folder", hostFolder, folder / "none.dat"});
  EXPECT_EQ(noGame.code, 1u);
  ExpectInOrder(noGame.output, {"cannot read the game file"});

  const HostRun usage = RunZunhost({"--dll"});
  EXPECT_EQ(usage.code, 2u);
  ExpectInOrder(usage.output, {"zunhost: --dll needs a value", "usage: zunhost"});
}

}  // namespace
}  // namespace zun::devhost
