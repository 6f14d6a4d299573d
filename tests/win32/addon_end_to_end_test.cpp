// The add-on DLL as a host sees it: loaded with LoadLibrary, driven through
// its five exports, inside a host environment that publishes a sample game
// and the six slots. What is checked is what the host can see: the bytes of
// the description record, the windows, the published user database, the
// messages and the files written.

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

#include "host/host_messages.h"
#include "support/test_files.h"
#include "support/win32_person.h"
#include "win32/window_text.h"
#include "zunhost/addon_library.h"
#include "zunhost/host_environment.h"
#include "zunhost/shell_drop.h"

namespace zun {
namespace {

using testing::DialogClicker;
using testing::SourcePath;
using testing::TempFolder;

class AddonEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = CreateWindowExA(0, "STATIC", "Test Host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_TRUE(environment_.LoadGame(SourcePath("samples/TwinPool.dat")));
    ASSERT_TRUE(environment_.CreateSlots(host_)) << environment_.LastError();
    ASSERT_TRUE(library_.Load(testing::PlatformPath(ADDON_DLL))) << library_.ErrorText();
  }

  void TearDown() override {
    library_.Unload();  // the add-on's windows go with it
    DestroyWindow(host_);
  }

  const devhost::AddonExports& Addon() const { return library_.Exports(); }

  uint8_t Start(const char* version, HWND* addonWindow) {
    *addonWindow = nullptr;
    return Addon().RunAddon(host_, 0, reinterpret_cast<AddonWindowHandle*>(addonWindow), folder_.Path().c_str(),
                            kPrefix, version);
  }

  std::string Setting(const char* key) const {
    char value[512] = {};
    GetPrivateProfileStringA("E2E ZUN Plugins", key, "<missing>", value, sizeof value,
                             (folder_ / "User_DBase_Builder.ini").c_str());
    return value;
  }

  static constexpr const char* kPrefix = "E2E ";
  TempFolder folder_;
  HWND host_ = nullptr;
  devhost::HostEnvironment environment_;
  devhost::AddonLibrary library_;
};

TEST_F(AddonEndToEnd, DescribesItselfInTheRecordTheHostReads) {
  // The host's 24-byte record; in the 64-bit build each pointer takes 8.
  uint8_t record[HostLayout(24, 48)];
  std::memset(record, 0xEE, sizeof record);
  EXPECT_EQ(Addon().PluginData(reinterpret_cast<PluginDescription*>(record), folder_.Path().c_str(), kPrefix), 0);
  const auto text = [&](size_t offset) {
    const char* p;
    std::memcpy(&p, record + offset, sizeof p);
    return std::string(p);
  };
  constexpr size_t kPointer = sizeof(void*);
  EXPECT_EQ(text(0), "Addon");
  EXPECT_EQ(text(kPointer), "Builder");
  EXPECT_EQ(text(2 * kPointer), "Other");
  const size_t flags = 3 * kPointer;
  EXPECT_EQ(record[flags], 1);
  EXPECT_EQ(record[flags + 1], 0xEE);
  EXPECT_EQ(record[flags + 2], 0xEE);
  EXPECT_EQ(record[flags + 3], 0xEE);
  const std::string code = text(HostLayout(16, 32));
  ASSERT_EQ(code.size(), 8u);
  EXPECT_TRUE(isdigit(static_cast<unsigned char>(code[6])) && isdigit(static_cast<unsigned char>(code[7])));
  const size_t visible = HostLayout(20, 40);
  EXPECT_EQ(record[visible], 0) << "no settings file: not visible";
  EXPECT_EQ(record[visible + 1], 0);
  EXPECT_EQ(record[visible + 2], 1);
  EXPECT_EQ(record[visible + 3], 0);

  WritePrivateProfileStringA("E2E ZUN Plugins", "Visible", "1", (folder_ / "User_DBase_Builder.ini").c_str());
  EXPECT_EQ(Addon().PluginData(reinterpret_cast<PluginDescription*>(record), folder_.Path().c_str(), kPrefix), 1);
  EXPECT_EQ(record[visible], 1);
}

TEST_F(AddonEndToEnd, RefusesAnotherHostVersionWithAMessageAndNoWindow) {
  std::string shown;
  DialogClicker clicker("#32770", "OK", [&](HWND box) {
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message box's text
    shown = text;
  });
  HWND addonWindow;
  EXPECT_EQ(Start("0.39 ", &addonWindow), 0);
  ASSERT_TRUE(clicker.Done());
  EXPECT_EQ(shown, "Error in User DBase Builder: ZUN Version does not match\r0.39 :: 0.39 ");
  EXPECT_EQ(addonWindow, nullptr);
  EXPECT_EQ(FindWindowA(kMainWindowClass, nullptr), nullptr);
  EXPECT_EQ(environment_.PublishedUserDatabase(), nullptr);
}

TEST_F(AddonEndToEnd, StartsShowsItsWindowAndPublishesAnEmptyDatabaseForTheGame) {
  HWND addonWindow;
  ASSERT_EQ(Start("0.39", &addonWindow), 1);
  ASSERT_TRUE(IsWindow(addonWindow));
  EXPECT_TRUE(IsWindowVisible(addonWindow));
  EXPECT_EQ(win32::WindowText(addonWindow), "User Database Builder");
  EXPECT_EQ(GetWindow(addonWindow, GW_OWNER), host_) << "the window belongs to the host's application";

  // The start is announced to the host's loop with message 1525.
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, addonWindow, kMsgAddonStarted, kMsgAddonStarted, PM_REMOVE));

  const TZUN_User_Lotto_DBase* database = environment_.PublishedUserDatabase();
  ASSERT_NE(database, nullptr);
  const auto& game = environment_.Game();
  ASSERT_EQ(database->NumberSets.size(), game.PlaySets.size());
  for (int32_t s = 0; s < game.PlaySets.size(); ++s) {
    const auto& copy = database->NumberSets[s];
    const auto& play = game.PlaySets[s];
    EXPECT_EQ(copy.SetName.view(), play.SetName.view());
    EXPECT_EQ(copy.NumberCount, play.NumberCount);
    EXPECT_EQ(copy.SecondaryCount, play.SecondaryCount);
    EXPECT_EQ(copy.HighestNumber, play.HighestNumber);
    EXPECT_EQ(copy.OwnPool, play.OwnPool);
    EXPECT_EQ(copy.Grid.Columns.Count, play.Grid.Columns.Count);
    EXPECT_EQ(copy.Grid.NumberLabels.Labels.size(), play.Grid.NumberLabels.Labels.size());
  }
  EXPECT_EQ(database->PlayFlag, game.PlayFlag);
  EXPECT_EQ(database->Entries.size(), 0);
  EXPECT_EQ(Addon().CanClose(), 1) << "nothing to lose";
}

TEST_F(AddonEndToEnd, TheSelectionFrameScrollsGridsThatDoNotFitIt) {
  HWND addonWindow;
  ASSERT_EQ(Start("0.39", &addonWindow), 1);
  const HWND frame = FindWindowExA(addonWindow, nullptr, "TMainFrame_UDBase_Selections", nullptr);
  ASSERT_NE(frame, nullptr);
  // The two grids stand side by side: far wider than the frame's first width.
  std::vector<HWND> grids;
  for (HWND grid = FindWindowExA(frame, nullptr, "TZUN_BallGrid", nullptr); grid != nullptr;
       grid = FindWindowExA(frame, grid, "TZUN_BallGrid", nullptr))
    grids.push_back(grid);
  ASSERT_EQ(grids.size(), 2u);
  const auto inFrame = [&](HWND grid) {
    RECT r{};
    GetWindowRect(grid, &r);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&r), 2);
    return r;
  };
  RECT client{};
  GetClientRect(frame, &client);
  ASSERT_GT(inFrame(grids[1]).right, client.right) << "the second grid is cut at first";
  EXPECT_NE(GetWindowLongA(frame, GWL_STYLE) & WS_HSCROLL, 0) << "so the frame shows a horizontal scroll bar";
  EXPECT_EQ(GetWindowLongA(frame, GWL_STYLE) & WS_VSCROLL, 0) << "and no vertical one: the grids are not too high";
  for (HWND grid : grids) EXPECT_EQ(GetWindowLongA(grid, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

  SendMessageA(frame, WM_HSCROLL, SB_RIGHT, 0);
  GetClientRect(frame, &client);
  EXPECT_LE(inFrame(grids[1]).right, client.right) << "scrolled to the right end, the last column shows";
  EXPECT_GT(inFrame(grids[1]).right, client.right - 18) << "and no further";
  SendMessageA(frame, WM_HSCROLL, SB_LEFT, 0);
  EXPECT_EQ(inFrame(grids[0]).left, 5) << "back at the start";

  // Wide enough for both grids: the bar goes away.
  SetWindowPos(addonWindow, nullptr, 0, 0, 1400, 500, SWP_NOZORDER | SWP_NOMOVE);
  const HWND splitter = FindWindowExA(addonWindow, nullptr, "ZUN_Splitter", nullptr);
  SendMessageA(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 10));
  SendMessageA(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3 + 900, 10));
  SendMessageA(splitter, WM_LBUTTONUP, 0, MAKELPARAM(3 + 900, 10));
  EXPECT_EQ(GetWindowLongA(frame, GWL_STYLE) & WS_HSCROLL, 0);
  GetClientRect(frame, &client);
  EXPECT_LE(inFrame(grids[1]).right, client.right);
}

TEST_F(AddonEndToEnd, ClosingForGoodWritesTheSettingsAndAReopenUsesThem) {
  HWND addonWindow;
  ASSERT_EQ(Start("0.39", &addonWindow), 1);
  SetWindowPos(addonWindow, nullptr, 150, 110, 820, 360, SWP_NOZORDER);
  EXPECT_EQ(SendMessageA(addonWindow, kMsgCloseForGood, 0, 0), 1);
  EXPECT_FALSE(IsWindowVisible(addonWindow));
  EXPECT_EQ(Setting("Visible"), "1");
  EXPECT_EQ(Setting("Left"), "150");
  EXPECT_EQ(Setting("Width"), "820");
  EXPECT_EQ(Setting("Fast Load 15"), "");

  library_.Unload();
  ASSERT_TRUE(library_.Load(testing::PlatformPath(ADDON_DLL)));
  ASSERT_EQ(Start("0.39", &addonWindow), 1);
  RECT r;
  GetWindowRect(addonWindow, &r);
  EXPECT_EQ(r.left, 150);
  EXPECT_EQ(r.top, 110);
  EXPECT_EQ(r.right - r.left, 820);
}

TEST_F(AddonEndToEnd, WritesItsIconAsAWindowsBitmap) {
  const std::string path = folder_ / "icon.bmp";
  EXPECT_EQ(Addon().AddonData(path.c_str()), 0) << "always 0";
  const auto bytes = testing::ReadBytes(path);
  ASSERT_GE(bytes.size(), 14u + 40u + 1024u + 32u * 32u);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[1], 'M');
  BITMAPINFOHEADER info;
  std::memcpy(&info, bytes.data() + 14, sizeof info);
  EXPECT_EQ(info.biWidth, 32);
  EXPECT_EQ(info.biHeight, 32);
  EXPECT_EQ(info.biBitCount, 8);
  uint32_t offBits;
  std::memcpy(&offBits, bytes.data() + 10, 4);
  EXPECT_EQ(offBits, 14u + 40u + 256u * 4u);
}

TEST_F(AddonEndToEnd, FilesDroppedOnTheHostAreAlwaysAnsweredWithOne) {
  HWND addonWindow;
  ASSERT_EQ(Start("0.39", &addonWindow), 1);
  HGLOBAL drop = devhost::MakeShellDrop({"C:\\notes.txt", "C:\\picture.png"});
  MSG message{};
  message.hwnd = host_;
  message.message = WM_DROPFILES;
  message.wParam = reinterpret_cast<WPARAM>(drop);
  EXPECT_EQ(Addon().DraggedDroppedFiles(&message), 1);
  EXPECT_NE(GlobalSize(drop), 0u) << "the handle is still the host's";
  GlobalFree(drop);
  EXPECT_EQ(environment_.PublishedUserDatabase()->Entries.size(), 0);
}

}  // namespace
}  // namespace zun

namespace zun {
namespace {

TEST(AddonVersion, TheDllNamesItsProductAndVersion) {
  const std::string dll = testing::PlatformPath(ADDON_DLL);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(dll.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(dll.c_str(), 0, size, info.data()));
  char* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904E4\\ProductName", reinterpret_cast<void**>(&text),
                             &length));
  EXPECT_STREQ(text, "User Database Builder");
  VS_FIXEDFILEINFO* fixed = nullptr;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1u);
}

}  // namespace
}  // namespace zun
