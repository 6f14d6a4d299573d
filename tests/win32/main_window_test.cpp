#include "win32/main_window.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "addon_fixture.h"
#include "host/host_messages.h"
#include "support/win32_person.h"
#include "win32/window_text.h"
#include "zunhost/host_environment.h"

namespace zun::win32 {
namespace {

using testing::AddonFixture;

RECT ScreenRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

int Width(const RECT& r) { return r.right - r.left; }

TEST(MainWindow, FirstRunOpensAtTheDefaultPlaceWithTheMinimumWidth) {
  AddonFixture f;
  f.addon.CreateWindows(nullptr);
  MainWindow& window = *f.addon.MainPage();
  window.ShowStep();
  const RECT r = ScreenRect(window.Handle());
  EXPECT_EQ(r.left, 70);
  EXPECT_EQ(r.top, 70);
  EXPECT_EQ(Width(r), 778) << "the stored width 517 is below the minimum";
  EXPECT_EQ(r.bottom - r.top, 381);
  EXPECT_EQ(WindowText(window.Handle()), "User Database Builder");

  EXPECT_EQ(Width(ScreenRect(window.Frame("TMainFrame_UDBase_Buttons"))), 104);
  EXPECT_EQ(Width(ScreenRect(window.Frame("TMainFrame_UDBase_Selections"))), 150);
  EXPECT_EQ(Width(ScreenRect(window.Frame("ZUN_Splitter"))), 7);
  EXPECT_NE(window.Frame("TMainFrame_UDBase_List"), nullptr);
  EXPECT_EQ(ScreenRect(window.ProgressBar()).bottom - ScreenRect(window.ProgressBar()).top, 16);
  EXPECT_EQ(SendMessageA(window.ProgressBar(), PBM_GETRANGE, FALSE, 0), 100);
  EXPECT_EQ(window.FileLabel(), "---");
}

TEST(MainWindow, TheCaptionButtonOnlyHidesAndShowingAgainRestoresThePlace) {
  AddonFixture f;
  f.addon.CreateWindows(nullptr);
  MainWindow& window = *f.addon.MainPage();
  window.ShowStep();
  SetWindowPos(window.Handle(), nullptr, 200, 150, 900, 420, SWP_NOZORDER);
  SendMessageA(window.Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_TRUE(IsWindow(window.Handle())) << "hidden, not destroyed";
  EXPECT_EQ(f.SettingsValue("Visible"), "<missing>") << "hiding writes no settings";
  MoveWindow(window.Handle(), 0, 0, 800, 300, FALSE);  // whatever happens while hidden
  EXPECT_EQ(SendMessageA(window.Handle(), kMsgShowWindow, 0, 0), 1);
  EXPECT_TRUE(IsWindowVisible(window.Handle()));
  const RECT r = ScreenRect(window.Handle());
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 150);
  EXPECT_EQ(Width(r), 900);
  EXPECT_EQ(r.bottom - r.top, 420);
}

TEST(MainWindow, ClosingForGoodWritesTheSettingsDetachesAndEndsTheDialog) {
  AddonFixture f;
  // A host with its game and slots, and a recent file in the settings.
  devhost::HostEnvironment host;
  ASSERT_TRUE(host.LoadGame(testing::SourcePath("samples/Lotto649.dat")));
  ASSERT_TRUE(host.CreateSlots(nullptr)) << host.LastError();
  WritePrivateProfileStringA("Test ZUN Plugins", "Fast Load 1", "C:\\picks\\mine.sl5",
                             (f.folder / "User_DBase_Builder.ini").c_str());
  HWND handle = nullptr;
  ASSERT_EQ(f.addon.Run(nullptr, &handle, f.folder.Path().c_str(), "Test ", "0.39"), 1);
  EXPECT_EQ(f.addon.Slots().AttachedCount(), 6);
  MainWindow& window = *f.addon.MainPage();
  SetWindowPos(window.Handle(), nullptr, 120, 90, 850, 400, SWP_NOZORDER);
  EXPECT_EQ(SendMessageA(window.Handle(), kMsgCloseForGood, 0, 0), 1);
  EXPECT_TRUE(f.addon.Closing());
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_EQ(f.SettingsValue("Visible"), "1");
  EXPECT_EQ(f.SettingsValue("Left"), "120");
  EXPECT_EQ(f.SettingsValue("Top"), "90");
  EXPECT_EQ(f.SettingsValue("Width"), "850");
  EXPECT_EQ(f.SettingsValue("Height"), "400");
  EXPECT_EQ(f.SettingsValue("SelectionWidth"), "150");
  EXPECT_EQ(f.SettingsValue("Fast Load 1"), "C:\\picks\\mine.sl5");
  EXPECT_EQ(f.SettingsValue("Fast Load 15"), "") << "all fifteen keys are written";
  EXPECT_EQ(f.addon.Slots().AttachedCount(), 0);
  EXPECT_EQ(f.addon.MessagePage(), nullptr);
}

TEST(MainWindow, ClosingForGoodWhileHiddenRecordsItWasNotVisible) {
  AddonFixture f;
  f.addon.CreateWindows(nullptr);
  MainWindow& window = *f.addon.MainPage();
  window.ShowStep();
  SendMessageA(window.Handle(), WM_CLOSE, 0, 0);
  SendMessageA(window.Handle(), kMsgCloseForGood, 0, 0);
  EXPECT_EQ(f.SettingsValue("Visible"), "0");
}

TEST(MainWindow, ASecondStartReopensWhereTheUserLeftItPerPrefix) {
  testing::TempFolder shared;
  {
    AddonFixture first("One ", &shared);
    first.addon.CreateWindows(nullptr);
    first.addon.MainPage()->ShowStep();
    SetWindowPos(first.addon.MainPage()->Handle(), nullptr, 300, 200, 1000, 500, SWP_NOZORDER);
    SendMessageA(first.addon.MainPage()->Handle(), kMsgCloseForGood, 0, 0);
  }
  AddonFixture again("One ", &shared);
  again.addon.CreateWindows(nullptr);
  again.addon.MainPage()->ShowStep();
  const RECT r = ScreenRect(again.addon.MainPage()->Handle());
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(Width(r), 1000);

  AddonFixture other("Two ", &shared);
  other.addon.CreateWindows(nullptr);
  EXPECT_EQ(other.addon.MainPage()->StoredGeometry(), WindowGeometry{}) << "another prefix starts from defaults";
}

TEST(MainWindow, TheHostSwitchesTheHourglass) {
  AddonFixture f;
  f.addon.CreateWindows(nullptr);
  const HWND window = f.addon.MainPage()->Handle();
  EXPECT_EQ(SendMessageA(window, kMsgHourglassOn, 0, 0), 1);
  EXPECT_TRUE(f.cursor.IsBusy());
  EXPECT_EQ(SendMessageA(window, kMsgHourglassOff, 0, 0), 1);
  EXPECT_FALSE(f.cursor.IsBusy());
}

TEST(MainWindow, TheSplitterChangesTheSelectionWidth) {
  AddonFixture f;
  f.addon.CreateWindows(nullptr);
  MainWindow& window = *f.addon.MainPage();
  window.ShowStep();
  const HWND splitter = window.Frame("ZUN_Splitter");
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 10));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3 + 40, 10));
  SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(3 + 40, 10));
  EXPECT_EQ(window.SelectionWidth(), 190);
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 10));
  // Left of the window: the x coordinate travels as a negative 16-bit value.
  const WORD farLeft = static_cast<WORD>(3 - 500);
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(farLeft, 10));
  SendMessageA(splitter, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(window.SelectionWidth(), 65) << "never below its minimum";
  SendMessageA(window.Handle(), kMsgCloseForGood, 0, 0);
  EXPECT_EQ(f.SettingsValue("SelectionWidth"), "65");
}

TEST(MainWindow, ClosingForGoodWhileAMessageIsOpenEndsTheMessage) {
  AddonFixture f;
  f.addon.CreateWindows(nullptr);
  // The host's close arrives while a question is on the screen; the
  // question must end with the dialog rather than spin with nothing shown.
  PostMessageA(f.addon.MainPage()->Handle(), kMsgCloseForGood, 0, 0);
  const std::vector<int32_t> results = {kResultYes, kResultNo, kResultCancel};
  const std::vector<std::string> buttons = {"&Yes", "&No", "&Cancel"};
  EXPECT_EQ(f.addon.Prompt().ShowMessagePage("Your Database have not been saved, Save it Now?", "Confirm Save",
                                            kIconConfirmation, results, buttons),
            kResultCancel);
  EXPECT_EQ(f.addon.MessagePage(), nullptr);
  EXPECT_EQ(f.SettingsValue("Visible"), "0");
}

TEST(MainWindow, AReportAfterTheHostWindowWentUsesTheSystemsBox) {
  AddonFixture f;
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                              nullptr);
  f.addon.CreateWindows(host);
  DestroyWindow(host);  // the dialog, owned by the host's window, goes with it
  testing::DialogClicker clicker("#32770", "OK");
  f.addon.Errors().ReportError("Error while Saving ZUN Settings.");
  ASSERT_TRUE(clicker.Done());
  EXPECT_EQ(clicker.caption, "Error");
}

}  // namespace
}  // namespace zun::win32
