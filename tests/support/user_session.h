#pragma once

// The add-on used as a person uses it: the real DLL in a host environment,
// driven by mouse and keyboard input and by answering its dialogs, with what
// the person sees (the list's rows, the grids' pixels, the tool buttons) and
// what the host sees (the published database) read back after each step.
// The fixture of the session tests; ADDON_DLL names the DLL under test.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/command_table.h"
#include "host/host_messages.h"
#include "model/sl5_file.h"
#include "model/user_database.h"
#include "support/test_files.h"
#include "support/win32_input.h"
#include "support/win32_person.h"
#include "support/win32_pixels.h"
#include "support/win32_waits.h"
#include "support/win32_watchdog.h"
#include "support/win32_windows.h"
#include "zunhost/addon_library.h"
#include "zunhost/host_environment.h"
#include "zunhost/host_log.h"
#include "zunhost/peer_database.h"
#include "zunhost/png_writer.h"
#include "zunhost/screen_capture.h"
#include "zunhost/shell_drop.h"

namespace zun::testing {

using ::testing::Test;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(200, 200, 200);
constexpr int kCellSize = 17;
constexpr int kCellPitch = 18;

inline std::vector<int> Numbers(const TZUN_Database_Structure& entry) {
  std::vector<int> numbers;
  for (int32_t s = 0; s < entry.Numbers.size(); ++s)
    for (int8_t n : entry.Numbers[s]) numbers.push_back(n);
  return numbers;
}

// Clicks the button of a message dialog with this caption.
inline Person::Step Answer(std::string button) { return PressButton(kMessageDialogClass, std::move(button)); }

class UserSession : public Test {
 protected:
  void SetUp() override {
    host_ = CreateWindowExA(0, "STATIC", "Test Host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                            nullptr, nullptr);
    // A window wide enough for the grids and the list, where nothing covers it.
    Setting("Left", "0");
    Setting("Top", "0");
    Setting("Width", "980");
    Setting("Height", "560");
    Setting("SelectionWidth", "250");
  }

  void TearDown() override {
    EXPECT_FALSE(watchdog_.Fired()) << "a window the test did not answer was closed";
    library_.Unload();
    DestroyWindow(host_);
  }

  void Setting(const char* key, const std::string& value) {
    WritePrivateProfileStringA("Session ZUN Plugins", key, value.c_str(),
                               (folder_ / "User_DBase_Builder.ini").c_str());
  }

  // Loads the DLL into a host with this sample game and starts it as the host does.
  void Start(const char* game = "samples/Lotto649.dat") { StartWithGame(SourcePath(game)); }
  void StartWithGame(const std::string& gamePath) {
    ASSERT_TRUE(environment_.LoadGame(gamePath));
    ASSERT_TRUE(environment_.CreateSlots(host_)) << environment_.LastError();
    ASSERT_TRUE(library_.Load(PlatformPath(ADDON_DLL))) << library_.ErrorText();
    ASSERT_EQ(Addon().RunAddon(host_, 0, reinterpret_cast<AddonWindowHandle*>(&main_), folder_.Path().c_str(),
                               "Session ", "0.39"),
              1);
    ASSERT_TRUE(IsWindow(main_));
    SetForegroundWindow(main_);
    WaitForIdle();
    const auto bars = DescendantsOfClass(main_, "ToolbarWindow32");
    ASSERT_EQ(bars.size(), 1u);
    toolBar_ = bars[0];
    const auto lists = DescendantsOfClass(main_, "SysListView32");
    ASSERT_EQ(lists.size(), 1u);
    list_ = lists[0];
    grids_ = DescendantsOfClass(main_, "TZUN_BallGrid");
    ASSERT_FALSE(grids_.empty());
  }

  // The players' guide takes its pictures from the sessions: with
  // ZUN_GUIDE_PICTURES naming a folder, the window as it is now goes there.
  static void SaveGuidePicture(HWND window, const char* name) {
    const char* folder = std::getenv("ZUN_GUIDE_PICTURES");
    if (folder == nullptr) return;
    devhost::RgbImage image;
    std::string error;
    ASSERT_TRUE(devhost::CaptureWindow(window, image, error)) << error;
    ASSERT_TRUE(devhost::WriteWholeFile(std::string(folder) + "\\" + name,
                                        devhost::EncodePng(image.width, image.height, image.rgb)));
  }

  // A click as a person makes it, and all it sets off handled.
  void ClickAt(POINT screen, MouseButton button = MouseButton::Left) {
    Click(screen, button);
    WaitForIdle();
  }

  const devhost::AddonExports& Addon() const { return library_.Exports(); }
  const TZUN_User_Lotto_DBase& Published() const { return *environment_.PublishedUserDatabase(); }
  int PublishedCount() const {
    const auto* database = environment_.PublishedUserDatabase();
    return database == nullptr ? -1 : database->Entries.size();
  }
  std::vector<int> PublishedNumbers(int entry) const { return Numbers(Published().Entries[entry]); }
  std::string PublishedSource(int entry) const { return std::string(Published().Entries[entry].Source.view()); }

  // ---- The ball grid of set 0
  POINT CellOfBall(int number) const {
    const auto& set = environment_.Game().PlaySets[0];
    const int columns = set.Grid.Columns.Count;
    const int index = number - set.LowestNumber;
    return {index % columns, index / columns};
  }
  void ClickBall(int number) {
    const POINT cell = CellOfBall(number);
    ClickAt(ScreenPoint(grids_[0], cell.x * kCellPitch + 8, cell.y * kCellPitch + 8));
  }
  void PickBalls(std::initializer_list<int> numbers) {
    for (int n : numbers) ClickBall(n);
  }
  // The ball's cell as the screen shows it, once its painting is there.
  Picture BallOnScreen(int number) {
    const POINT cell = CellOfBall(number);
    UpdateWindow(grids_[0]);
    WaitForIdle();
    return Picture::OfScreen(ScreenPoint(grids_[0], cell.x * kCellPitch, cell.y * kCellPitch), kCellSize, kCellSize);
  }
  // The colour most of the cell shows: its background, whatever its text.
  COLORREF BallColour(int number) { return BallOnScreen(number).MostCommon(); }

  // ---- The tool bar
  bool Enabled(CommandId id) const {
    return SendMessageA(toolBar_, TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0;
  }
  // "LACDQC": which of Load, Add, Apply, Delete, Quick Pick and Clear are enabled (1) or not (0).
  std::string ButtonStates() const {
    std::string states;
    for (CommandId id : {CommandId::Load, CommandId::Add, CommandId::Apply, CommandId::Delete, CommandId::QuickPick,
                         CommandId::Clear})
      states += Enabled(id) ? '1' : '0';
    return states;
  }
  RECT ButtonRect(CommandId id) const {
    const auto index = SendMessageA(toolBar_, TB_COMMANDTOINDEX, static_cast<WPARAM>(id), 0);
    RECT r{};
    SendMessageA(toolBar_, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  void ClickButton(CommandId id) {
    const RECT r = ButtonRect(id);
    // Load's right end is its drop-down arrow: its command is on the left.
    ClickAt(ScreenPoint(toolBar_, r.left + 12, (r.top + r.bottom) / 2));
  }
  void OpenFileMenu() {
    const RECT r = ButtonRect(CommandId::Load);
    ClickAt(ScreenPoint(toolBar_, r.right - 4, (r.top + r.bottom) / 2));
  }

  // ---- The list
  int Rows() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }
  std::string Text(int row, int column) const { return ListItemText(list_, row, column); }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int row = 0; row < Rows(); ++row) captions.push_back(Text(row, 0));
    return captions;
  }
  bool Selected(int row) const {
    return (SendMessageA(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
  }
  POINT RowPoint(int row) const {
    SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return ScreenPoint(list_, r.left + 10, (r.top + r.bottom) / 2);
  }
  void ClickRow(int row, bool ctrl = false) {
    const POINT p = RowPoint(row);
    {
      std::optional<KeyHeld> held;
      if (ctrl) held.emplace(VK_CONTROL);
      Click(p);
    }
    WaitForIdle();
  }
  void RightClickRow(int row) { ClickAt(RowPoint(row), MouseButton::Right); }
  // Delete pressed in the list and its question answered Yes; false when
  // no question came.
  bool DeleteWithYes() {
    DialogClicker yes(kMessageDialogClass, "&Yes");
    SetFocus(list_);
    PressKeys({VK_DELETE});
    WaitForIdle();
    return yes.Done();
  }
  void ClickHeader(int column) {
    const auto header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
    RECT r{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
    // Every other click a little aside: two clicks in one place would be a
    // double click, and a person clicking a header twice to reverse it means
    // two clicks.
    const int aside = (++headerClicks_ % 2 == 0 ? 1 : -1) * GetSystemMetrics(SM_CXDOUBLECLK);
    ClickAt(ScreenPoint(header, (r.left + r.right) / 2 + aside, (r.top + r.bottom) / 2));
  }

  // A shell drop of these files, handed over as a host forwards WM_DROPFILES.
  uint8_t Drop(const std::vector<std::string>& files) {
    HGLOBAL drop = devhost::MakeShellDrop(files);
    MSG message{};
    message.hwnd = host_;
    message.message = WM_DROPFILES;
    message.wParam = reinterpret_cast<WPARAM>(drop);
    const uint8_t result = Addon().DraggedDroppedFiles(&message);
    WaitForIdle();
    GlobalFree(drop);
    return result;
  }

  // The sample of 25 picks for the 6-from-49 game, copied where the test may change it.
  std::string CopyOfPicks(const std::string& name) {
    const std::string path = folder_ / name;
    CopyFileA(SourcePath("samples/Lotto649-picks.sl5").c_str(), path.c_str(), FALSE);
    return path;
  }

  bool Exists(const std::string& path) const { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  // The entries of a saved file, each as its numbers.
  std::vector<std::vector<int>> SavedEntries(const std::string& path) const {
    TZUN_User_Lotto_DBase database;
    const auto bytes = ReadBytes(path);
    EXPECT_TRUE(ParseSl5(database, bytes, false, "saved"));
    std::vector<std::vector<int>> entries;
    for (int32_t i = 0; i < database.Entries.size(); ++i) entries.push_back(Numbers(database.Entries[i]));
    return entries;
  }

  Watchdog watchdog_{120, {kMessageDialogClass}};
  TempFolder folder_;
  HWND host_ = nullptr;
  HWND main_ = nullptr;
  HWND toolBar_ = nullptr;
  HWND list_ = nullptr;
  std::vector<HWND> grids_;
  int headerClicks_ = 0;
  devhost::HostEnvironment environment_;
  devhost::AddonLibrary library_;

  // ---- Another user database in the host
 protected:
  // The host's part in an exchange from now on: room for indexes (0x595)
  // and offers routed to their target (0x594).
  void AnswerAsHost() { SetWindowSubclass(host_, HostAnswers, 1, reinterpret_cast<DWORD_PTR>(this)); }
  static LRESULT CALLBACK HostAnswers(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR self) {
    auto& session = *reinterpret_cast<UserSession*>(self);
    if (message == kMsgRequestIndexRoom) {
      ++session.roomRequests_;  // each drag and Send To asks once
      return session.environment_.AnswerIndexRequest(wParam);
    }
    if (message == kMsgTakeOfferedEntries) {
      session.environment_.RouteOffer();
      return 1;
    }
    return DefSubclassProc(window, message, wParam, lParam);
  }
  // The peer database, right of the add-on's window, with six entries of its own.
  void StartPeer() {
    environment_.RegisterAddonWindow(main_);  // offers to the add-on are routed to its window
    std::string error;
    ASSERT_TRUE(peer_.Create(folder_.Path(), 6, RECT{990, 0, 1275, 420}, error)) << error;
    WaitForIdle();
  }
  int PeerCount() const { return peer_.Database().Entries.size(); }
  std::vector<int> PeerNumbers(int entry) const { return Numbers(peer_.Database().Entries[entry]); }
  std::string PeerSource(int entry) const { return std::string(peer_.Database().Entries[entry].Source.view()); }
  POINT PeerLinePoint(int line) const {
    RECT r{};
    SendMessageA(peer_.List(), LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
    return ScreenPoint(peer_.List(), r.left + 20, (r.top + r.bottom) / 2);
  }
  void ClickPeerButton(devhost::PeerCommand command) {
    const HWND button = GetDlgItem(peer_.Handle(), command);
    RECT r{};
    GetClientRect(button, &r);
    ClickAt(ScreenPoint(button, r.right / 2, r.bottom / 2));
  }
  const DragDropRecord& Record() { return environment_.DragDrop(); }

  int roomRequests_ = 0;
  devhost::HostLog log_;
  devhost::PeerDatabase peer_{environment_, log_};
};

}  // namespace zun::testing
