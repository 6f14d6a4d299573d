// The add-on used as a person uses it: the real DLL in a host environment,
// driven by mouse and keyboard input and by answering its dialogs, with what
// the person sees (the list's rows, the grids' pixels, the tool buttons) and
// what the host sees (the published database) read back after each step.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "core/command_table.h"
#include "support/win32_person.h"
#include "support/win32_waits.h"
#include "support/win32_windows.h"
#include "model/sl5_file.h"
#include "model/user_database.h"
#include "host/host_messages.h"
#include "support/test_files.h"
#include "win32/ole_drag_drop.h"
#include "win32/window_text.h"
#include "zunhost/addon_library.h"
#include "zunhost/host_environment.h"
#include "zunhost/host_log.h"
#include "zunhost/peer_database.h"
#include "shell_files_data.h"
#include "zunhost/shell_drop.h"

namespace zun {
namespace {

using testing::ClassOf;
using testing::Descendants;
using testing::DialogClicker;
using testing::SourcePath;
using testing::TempFolder;
using testing::VisibleTopLevel;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(200, 200, 200);
constexpr int kCellSize = 17;
constexpr int kCellPitch = 18;

// ---- Looking at windows ------------------------------------------------------------

std::vector<HWND> DescendantsOfClass(HWND window, const char* windowClass) {
  std::vector<HWND> found;
  for (HWND child : Descendants(window))
    if (ClassOf(child) == windowClass) found.push_back(child);
  return found;
}

// Lets this thread's windows handle their messages for a while.
void PumpFor(int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  do {
    testing::Pump();
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
  testing::Pump();
}

// ---- Input as a person gives it ------------------------------------------------------

void MouseAt(POINT screen, DWORD downFlag, DWORD upFlag) {
  SetCursorPos(screen.x, screen.y);
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input[3] = {};
  for (INPUT& i : input) i.type = INPUT_MOUSE;
  input[0].mi.dx = (screen.x * 65536 + width - 1) / width;
  input[0].mi.dy = (screen.y * 65536 + height - 1) / height;
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input[1].mi.dwFlags = downFlag;
  input[2].mi.dwFlags = upFlag;
  SendInput(3, input, sizeof(INPUT));
}

void ClickScreen(POINT screen) { MouseAt(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

// One mouse event: a move to `screen` (null: where it is) with these button flags.
void MouseEvent(const POINT* screen, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (screen != nullptr) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (screen->x * 65536 + width - 1) / width;
    input.mi.dy = (screen->y * 65536 + height - 1) / height;
    input.mi.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  SendInput(1, &input, sizeof input);
}

// A person's drag: the left button pressed at `from`, the pointer moved to
// `to` in small steps, a pause there, then (or first Escape) the release.
// The hand is a thread of its own: the drag's modal loop runs on this one,
// which keeps handling messages until the hand is done.
void DragWithMouse(POINT from, POINT to, bool escapeFirst = false) {
  std::atomic<bool> done{false};
  std::thread hand([&] {
    MouseEvent(&from, 0);
    Sleep(100);
    MouseEvent(nullptr, MOUSEEVENTF_LEFTDOWN);
    Sleep(150);
    constexpr int kSteps = 12;
    for (int i = 1; i <= kSteps; ++i) {
      const POINT at{from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps};
      MouseEvent(&at, 0);
      Sleep(40);
    }
    Sleep(300);  // over the target: it is asked whether it takes the drop
    if (escapeFirst) {
      INPUT key[2] = {};
      for (INPUT& k : key) {
        k.type = INPUT_KEYBOARD;
        k.ki.wVk = VK_ESCAPE;
      }
      key[1].ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(2, key, sizeof(INPUT));
      Sleep(300);
    }
    MouseEvent(nullptr, MOUSEEVENTF_LEFTUP);
    Sleep(300);
    done = true;
  });
  while (!done) {
    testing::Pump();
    Sleep(5);
  }
  hand.join();
  PumpFor(300);
}

POINT ScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

void Keys(std::initializer_list<WORD> keys, bool ctrl = false) {
  std::vector<INPUT> input;
  const auto key = [&](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(i);
  };
  if (ctrl) key(VK_CONTROL, false);
  for (WORD k : keys) {
    key(k, false);
    key(k, true);
  }
  if (ctrl) key(VK_CONTROL, true);
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// ---- A person answering what the add-on shows ------------------------------------------

// What a person saw in one window before acting on it.
struct Seen {
  std::string windowClass;
  std::string caption;
  std::string text;  // the labels' texts, joined by "|"
  std::vector<std::string> buttons;
  std::map<std::string, UINT> menuStates;  // a menu's items and their MFS_ states
  std::map<std::string, bool> menuPictures;  // whether an item shows a picture
};

// Does its steps in order on a thread of its own: each step waits for a
// visible window of its class (a new one, or the last one shown again) and
// acts on it. A step whose window does not come within a few seconds is not
// done, and none after it.
class Person {
 public:
  struct Step {
    std::string windowClass;
    std::function<bool(HWND, Seen&)> act;
  };

  // Generous: in the emulated 32-bit machine the first common dialog of a
  // run takes many seconds to appear. The wait only costs a failing test.
  explicit Person(std::vector<Step> steps, int waitMilliseconds = 45000)
      : steps_(std::move(steps)), wait_(waitMilliseconds), thread_([this] { Run(); }) {}
  ~Person() { Done(); }
  Person(const Person&) = delete;
  Person& operator=(const Person&) = delete;

  // Stops waiting for windows that have not come (for steps that must not be needed).
  void Stop() {
    stop_ = true;
    Done();
  }
  // Waits for the thread; true when every step was done.
  bool Done() {
    if (thread_.joinable()) thread_.join();
    return done_ == steps_.size();
  }
  const std::vector<Seen>& seen() const { return seen_; }
  const Seen& At(size_t index) const {
    static const Seen none;
    return index < seen_.size() ? seen_[index] : none;
  }

 private:
  void Run() {
    HWND previous = nullptr;
    std::vector<HWND> previousButtons;
    for (const Step& step : steps_) {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(wait_);
      // The window acted on last goes away before the next is looked for:
      // the message dialog is one window shown again for each question, and
      // a menu's own submenu stands beside it.
      HWND found = nullptr;
      while (found == nullptr && !stop_ && std::chrono::steady_clock::now() < deadline) {
        Sleep(20);
        const bool isMenu = step.windowClass == "#32768";
        const HWND other = isMenu ? previous : nullptr;
        if (!isMenu && previous != nullptr && IsWindow(previous) && IsWindowVisible(previous) &&
            std::all_of(previousButtons.begin(), previousButtons.end(), [](HWND b) { return IsWindow(b) != FALSE; }))
          continue;  // still the last question: its buttons go when it closes
        found = VisibleTopLevel(step.windowClass, other);
      }
      if (found == nullptr) return;
      Sleep(60);  // a person looks first: the window lays itself out and paints
      Seen seen;
      seen.windowClass = step.windowClass;
      seen.caption = win32::WindowText(found);
      for (HWND child : Descendants(found)) {
        const std::string kind = ClassOf(child);
        if (_stricmp(kind.c_str(), "Static") == 0 && IsWindowVisible(child)) {
          if (!seen.text.empty()) seen.text += "|";
          seen.text += win32::WindowText(child);
        } else if (_stricmp(kind.c_str(), "Button") == 0 && IsWindowVisible(child)) {
          seen.buttons.push_back(win32::WindowText(child));
        }
      }
      const bool ok = step.act(found, seen);
      seen_.push_back(seen);
      if (!ok) return;
      ++done_;
      previous = found;
      previousButtons.clear();
      for (HWND child : Descendants(found))
        if (_stricmp(ClassOf(child).c_str(), "Button") == 0) previousButtons.push_back(child);
    }
  }

  std::vector<Step> steps_;
  int wait_;
  std::vector<Seen> seen_;
  std::atomic<size_t> done_{0};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Clicks the button of a message dialog with this caption.
Person::Step Answer(std::string button) {
  return {kMessageDialogClass, [button](HWND dialog, Seen&) {
            for (HWND child : Descendants(dialog))
              if (_stricmp(ClassOf(child).c_str(), "Button") == 0 && win32::WindowText(child) == button) {
                SendMessageA(child, BM_CLICK, 0, 0);
                return true;
              }
            return false;
          }};
}

// Types a file name into a common open or save dialog and presses its
// Open or Save button; or cancels it when the name is empty.
Person::Step TypeFileName(std::string name) {
  return {"#32770", [name](HWND dialog, Seen&) {
            if (name.empty()) {
              SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
              return true;
            }
            HWND edit = nullptr;
            for (int id : {0x480 /* edt1 */, 0x47C /* cmb13 */}) {
              HWND control = GetDlgItem(dialog, id);
              if (control == nullptr || !IsWindowVisible(control)) continue;
              edit = ClassOf(control) == "Edit" ? control : FindWindowExA(control, nullptr, "Edit", nullptr);
              if (edit != nullptr) break;
            }
            if (edit == nullptr) {
              for (HWND child : Descendants(dialog))
                if (ClassOf(child) == "Edit" && IsWindowVisible(child)) {
                  edit = child;
                  break;
                }
            }
            if (edit == nullptr) return false;
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            const HWND ok = GetDlgItem(dialog, IDOK);
            if (ok == nullptr) return false;
            SendMessageA(ok, BM_CLICK, 0, 0);
            return true;
          }};
}

std::string MenuItemCaption(HMENU menu, int position) {
  char text[256] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  std::string caption = text;
  return caption.substr(0, caption.find('\t'));
}

// Notes the items of an open popup menu, then clicks the one with this
// caption (as shown before any shortcut) with the mouse; `first` runs before
// the click. An empty caption closes the menu with Escape.
Person::Step ChooseMenuItem(std::string caption, std::function<void()> first = {}) {
  return {"#32768", [caption, first](HWND menuWindow, Seen& seen) {
            const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
            if (menu == nullptr) return false;
            int target = -1;
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
              MENUITEMINFOA info{};
              info.cbSize = sizeof info;
              info.fMask = MIIM_STATE | MIIM_BITMAP | MIIM_FTYPE;
              GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
              if ((info.fType & MFT_SEPARATOR) != 0) continue;
              const std::string text = MenuItemCaption(menu, i);
              seen.menuStates[text] = info.fState;
              seen.menuPictures[text] = info.hbmpItem != nullptr;
              if (text == caption) target = i;
            }
            if (first) first();
            if (caption.empty()) {
              PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
              return true;
            }
            if (target < 0) {
              PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
              return false;
            }
            RECT item{};
            if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(target), &item)) return false;
            ClickScreen({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
            return true;
          }};
}

// ---- Pixels on the screen ------------------------------------------------------------

// A rectangle of the screen as it shows now.
class ScreenPicture {
 public:
  ScreenPicture(POINT topLeft, int width, int height) : width_(width), height_(height) {
    pixels_.resize(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, topLeft.x, topLeft.y, SRCCOPY);
    GdiFlush();
    const auto* words = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < pixels_.size(); ++i)
      pixels_[i] = RGB((words[i] >> 16) & 0xFF, (words[i] >> 8) & 0xFF, words[i] & 0xFF);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  std::vector<COLORREF> pixels_;
};

// A cell as a picture of 17 x 17 pixels.
using CellPixels = std::vector<COLORREF>;

CellPixels CellOnScreen(HWND grid, int column, int row) {
  // What was painted reaches the screen once the window's messages have run.
  UpdateWindow(grid);
  PumpFor(80);
  const ScreenPicture picture(ScreenPoint(grid, column * kCellPitch, row * kCellPitch), kCellSize, kCellSize);
  CellPixels cell;
  for (int y = 0; y < kCellSize; ++y)
    for (int x = 0; x < kCellSize; ++x) cell.push_back(picture.At(x, y));
  return cell;
}

// The colour most of the cell shows: its background, whatever its text.
COLORREF Background(const CellPixels& cell) {
  std::map<COLORREF, int> counts;
  for (COLORREF c : cell) ++counts[c];
  COLORREF best = 0;
  int most = -1;
  for (const auto& [colour, count] : counts)
    if (count > most) {
      best = colour;
      most = count;
    }
  return best;
}

// A grey cell with `text` written as the grids write a ball's text: at 2, 1
// in `font`, the background showing through.
CellPixels DrawnCell(const char* text, HFONT font) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kCellSize, kCellSize);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HBRUSH grey = CreateSolidBrush(kGrey);
  const RECT all{0, 0, kCellSize, kCellSize};
  FillRect(memory, &all, grey);
  HGDIOBJ oldFont = SelectObject(memory, font);
  SetBkMode(memory, TRANSPARENT);
  SetTextColor(memory, GetSysColor(COLOR_BTNTEXT));
  ExtTextOutA(memory, 2, 1, ETO_CLIPPED, &all, text, static_cast<UINT>(strlen(text)), nullptr);
  CellPixels cell;
  for (int y = 0; y < kCellSize; ++y)
    for (int x = 0; x < kCellSize; ++x) cell.push_back(GetPixel(memory, x, y));
  SelectObject(memory, oldFont);
  SelectObject(memory, oldBitmap);
  DeleteObject(grey);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return cell;
}

// How many pixels differ in whether they show ink (anything but the background).
int InkDifference(const CellPixels& a, const CellPixels& b) {
  const COLORREF backA = Background(a);
  const COLORREF backB = Background(b);
  int differ = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    if ((a[i] != backA) != (b[i] != backB)) ++differ;
  return differ;
}

// ---- The add-on in its host -------------------------------------------------------------

std::vector<int> Numbers(const TZUN_Database_Structure& entry) {
  std::vector<int> numbers;
  for (int32_t s = 0; s < entry.Numbers.size(); ++s)
    for (int8_t n : entry.Numbers[s]) numbers.push_back(n);
  return numbers;
}

// Ends whatever the add-on still shows modally once a test has run far too
// long, so that a question nobody answers fails the test instead of hanging it.
class Watchdog {
 public:
  explicit Watchdog(int seconds) : thread_([this, seconds] { Watch(seconds); }) {}
  ~Watchdog() {
    stop_ = true;
    thread_.join();
  }
  bool Fired() const { return fired_; }

 private:
  void Watch(int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!stop_ && std::chrono::steady_clock::now() < deadline) Sleep(50);
    while (!stop_) {
      for (const char* kind : {"#32768", "#32770", kMessageDialogClass})
        if (HWND window = VisibleTopLevel(kind)) {
          fired_ = true;
          fprintf(stderr, "watchdog: closing %s \"%s\"\n", kind, win32::WindowText(window).c_str());
          if (std::string(kind) == "#32768")
            PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
          else if (std::string(kind) == "#32770")
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
          else
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
      Sleep(200);
    }
  }

  std::atomic<bool> stop_{false};
  std::atomic<bool> fired_{false};
  std::thread thread_;
};

class UserSession : public ::testing::Test {
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
  void Start(const char* game = "samples/Lotto649.dat") {
    ASSERT_TRUE(environment_.LoadGame(SourcePath(game)));
    ASSERT_TRUE(environment_.CreateSlots(host_)) << environment_.LastError();
    ASSERT_TRUE(library_.Load(testing::PlatformPath(ADDON_DLL))) << library_.ErrorText();
    ASSERT_EQ(Addon().RunAddon(host_, 0, reinterpret_cast<AddonWindowHandle*>(&main_), folder_.Path().c_str(),
                               "Session ", "0.39"),
              1);
    ASSERT_TRUE(IsWindow(main_));
    SetForegroundWindow(main_);
    PumpFor(100);
    const auto bars = DescendantsOfClass(main_, "ToolbarWindow32");
    ASSERT_EQ(bars.size(), 1u);
    toolBar_ = bars[0];
    const auto lists = DescendantsOfClass(main_, "SysListView32");
    ASSERT_EQ(lists.size(), 1u);
    list_ = lists[0];
    grids_ = DescendantsOfClass(main_, "TZUN_BallGrid");
    ASSERT_FALSE(grids_.empty());
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
    ClickScreen(ScreenPoint(grids_[0], cell.x * kCellPitch + 8, cell.y * kCellPitch + 8));
    PumpFor(40);
  }
  COLORREF BallColour(int number) {
    const POINT cell = CellOfBall(number);
    return Background(CellOnScreen(grids_[0], cell.x, cell.y));
  }
  void PickSix(std::initializer_list<int> numbers) {
    for (int n : numbers) ClickBall(n);
  }

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
    ClickScreen(ScreenPoint(toolBar_, r.left + 12, (r.top + r.bottom) / 2));
    PumpFor(60);
  }
  void OpenFileMenu() {
    const RECT r = ButtonRect(CommandId::Load);
    ClickScreen(ScreenPoint(toolBar_, r.right - 4, (r.top + r.bottom) / 2));
    PumpFor(60);
  }

  // ---- The list
  int Rows() const { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }
  std::string Text(int row, int column) const { return testing::ListItemText(list_, row, column); }
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
    if (ctrl) {
      INPUT down{};
      down.type = INPUT_KEYBOARD;
      down.ki.wVk = VK_CONTROL;
      SendInput(1, &down, sizeof down);
    }
    ClickScreen(p);
    if (ctrl) {
      INPUT up{};
      up.type = INPUT_KEYBOARD;
      up.ki.wVk = VK_CONTROL;
      up.ki.dwFlags = KEYEVENTF_KEYUP;
      SendInput(1, &up, sizeof up);
    }
    PumpFor(60);
  }
  void RightClickRow(int row) {
    MouseAt(RowPoint(row), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    PumpFor(60);
  }
  void ClickHeader(int column) {
    const auto header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
    RECT r{};
    SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
    // Two clicks in one place come as a double click: a person clicking a
    // header twice to reverse it waits that long.
    Sleep(GetDoubleClickTime() + 50);
    ClickScreen(ScreenPoint(header, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
    PumpFor(60);
  }

  // A shell drop of these files, handed over as a host forwards WM_DROPFILES.
  uint8_t Drop(const std::vector<std::string>& files) {
    HGLOBAL drop = devhost::MakeShellDrop(files);
    MSG message{};
    message.hwnd = host_;
    message.message = WM_DROPFILES;
    message.wParam = reinterpret_cast<WPARAM>(drop);
    const uint8_t result = Addon().DraggedDroppedFiles(&message);
    PumpFor(40);
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
    const auto bytes = testing::ReadBytes(path);
    EXPECT_TRUE(ParseSl5(database, bytes, false, "saved"));
    std::vector<std::vector<int>> entries;
    for (int32_t i = 0; i < database.Entries.size(); ++i) entries.push_back(Numbers(database.Entries[i]));
    return entries;
  }

  Watchdog watchdog_{120};
  TempFolder folder_;
  HWND host_ = nullptr;
  HWND main_ = nullptr;
  HWND toolBar_ = nullptr;
  HWND list_ = nullptr;
  std::vector<HWND> grids_;
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
    PumpFor(100);
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
    ClickScreen(ScreenPoint(button, r.right / 2, r.bottom / 2));
    PumpFor(100);
  }
  const DragDropRecord& Record() { return environment_.DragDrop(); }

  int roomRequests_ = 0;
  devhost::HostLog log_;
  devhost::PeerDatabase peer_{environment_, log_};
};

// ---- The ball grids ------------------------------------------------------------------------

TEST_F(UserSession, BallsChosenWithTheMouseAndArrowKeysTurnRedAndACompletePickEnablesAdd) {
  Start();
  EXPECT_EQ(ButtonStates(), "100011") << "Load, Quick Pick and Clear at first";

  // Ball 5 shows "05": its cell is a grey cell with "05" written in the
  // window's font, not "5".
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(list_, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  const POINT five = CellOfBall(5);
  const CellPixels shown = CellOnScreen(grids_[0], five.x, five.y);
  EXPECT_EQ(Background(shown), kGrey);
  ASSERT_GT(InkDifference(DrawnCell("05", font), DrawnCell("5", font)), 0);
  EXPECT_LE(InkDifference(shown, DrawnCell("05", font)), 2);
  EXPECT_GT(InkDifference(shown, DrawnCell("5", font)), 4) << "the number has a leading zero";

  PickSix({5, 12, 23, 34, 45});
  for (int n : {5, 12, 23, 34, 45}) EXPECT_EQ(BallColour(n), kRed) << "ball " << n;
  EXPECT_EQ(BallColour(6), kGrey);
  EXPECT_EQ(BallColour(46), kGrey);
  EXPECT_FALSE(Enabled(CommandId::Add)) << "five of six";

  // The grid holds the focus and its current cell is ball 45: the arrow
  // keys move it and choose where it lands.
  Keys({VK_RIGHT});
  PumpFor(60);
  EXPECT_EQ(BallColour(46), kRed) << "Right moved onto 46 and chose it";
  EXPECT_EQ(ButtonStates(), "110011") << "six of six: Add";
  Keys({VK_UP});
  PumpFor(60);
  EXPECT_EQ(BallColour(36), kGrey) << "a seventh ball is not taken";
  EXPECT_TRUE(Enabled(CommandId::Add));

  ClickBall(12);
  EXPECT_EQ(BallColour(12), kGrey) << "a chosen ball clicked again is freed";
  EXPECT_FALSE(Enabled(CommandId::Add));
  ClickBall(7);
  EXPECT_EQ(BallColour(7), kRed) << "and the freed place takes another";
  EXPECT_TRUE(Enabled(CommandId::Add));
  EXPECT_EQ(PublishedCount(), 0) << "picking stores nothing";

  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 1);
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{5, 7, 23, 34, 45, 46})) << "stored ascending";
  EXPECT_EQ(PublishedSource(0), "");
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Text(0, 0), "1");
  EXPECT_EQ(Text(0, 1), "05 - 07 - 23 - 34 - 45 - 46");
  EXPECT_EQ(ButtonStates(), "110011") << "the picks stay after Add; nothing is selected";

  ClickButton(CommandId::Clear);
  EXPECT_EQ(BallColour(5), kGrey);
  EXPECT_EQ(BallColour(46), kGrey);
  EXPECT_EQ(ButtonStates(), "100011");
  EXPECT_EQ(PublishedCount(), 1);
}

// ---- The list --------------------------------------------------------------------------------

TEST_F(UserSession, HeaderClicksSortTheRowsAndApplySortMakesTheShownOrderTheDatabaseOrder) {
  Start();
  const std::vector<int> a{20, 21, 22, 23, 24, 25}, b{1, 2, 3, 4, 5, 6}, c{40, 41, 42, 43, 44, 45};
  for (const auto& pick : {a, b, c}) {
    for (int n : pick) ClickBall(n);
    ClickButton(CommandId::Add);
    ClickButton(CommandId::Clear);
  }
  ASSERT_EQ(PublishedCount(), 3);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"1", "2", "3"})) << "added rows come at the end";

  ClickHeader(0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"3", "2", "1"})) << "Seq. again: descending";
  ClickHeader(0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"1", "2", "3"}));
  ClickHeader(1);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"2", "1", "3"})) << "by the numbers, still ascending";
  EXPECT_EQ(Text(0, 1), "01 - 02 - 03 - 04 - 05 - 06");
  ClickHeader(1);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"3", "1", "2"})) << "the same header reverses";
  EXPECT_EQ(PublishedNumbers(0), a) << "sorting the rows leaves the database alone";

  // One row selected shows its entry on the grid; Apply and Delete come on.
  ClickRow(1);
  EXPECT_TRUE(Selected(1));
  EXPECT_FALSE(Selected(0));
  EXPECT_EQ(BallColour(20), kRed);
  EXPECT_EQ(BallColour(40), kGrey);
  EXPECT_EQ(ButtonStates(), "111111");
  // A second row with Ctrl: both selected, the grid keeps what it shows.
  ClickRow(2, true);
  EXPECT_TRUE(Selected(1));
  EXPECT_TRUE(Selected(2));
  EXPECT_EQ(BallColour(20), kRed);
  EXPECT_EQ(BallColour(1), kGrey);
  EXPECT_TRUE(Enabled(CommandId::Delete));

  {
    Person person({ChooseMenuItem("Apply Sort")});
    RightClickRow(1);
    ASSERT_TRUE(person.Done());
    PumpFor(60);
  }
  EXPECT_EQ(Captions(), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(Text(0, 1), "40 - 41 - 42 - 43 - 44 - 45");
  EXPECT_EQ(Text(2, 1), "01 - 02 - 03 - 04 - 05 - 06");
  ASSERT_EQ(PublishedCount(), 3);
  EXPECT_EQ(PublishedNumbers(0), c) << "the shown order is now the database order";
  EXPECT_EQ(PublishedNumbers(1), a);
  EXPECT_EQ(PublishedNumbers(2), b);
  EXPECT_TRUE(Selected(1) && Selected(2)) << "the selected entries stay selected";

  // In natural order the popup offers no Apply Sort.
  Person look({ChooseMenuItem("")});
  RightClickRow(0);
  ASSERT_TRUE(look.Done());
  PumpFor(60);
  const auto& states = look.At(0).menuStates;
  EXPECT_TRUE(states.count("Select All"));
  const auto applySort = states.find("Apply Sort");
  EXPECT_TRUE(applySort == states.end() || (applySort->second & MFS_DISABLED) != 0) << "hidden or at least disabled";
}

TEST_F(UserSession, DeleteAsksFirstAndOnlyYesDeletesTheSelectedEntries) {
  Start();
  ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
  ASSERT_EQ(PublishedCount(), 25);
  const std::vector<int> third = PublishedNumbers(2);
  const std::vector<int> fourth = PublishedNumbers(3);
  EXPECT_EQ(ButtonStates(), "100011");

  // Delete with nothing selected: no question, nothing goes.
  {
    Person nobody({Answer("&No")}, 1500);
    SetFocus(list_);
    Keys({VK_DELETE});
    PumpFor(300);
    nobody.Stop();
    EXPECT_EQ(nobody.seen().size(), 0u) << nobody.At(0).caption;
  }
  EXPECT_EQ(PublishedCount(), 25);

  ClickRow(1);
  EXPECT_EQ(ButtonStates(), "111111") << "a selected entry on the grid: Apply and Delete";
  {
    DialogClicker no(kMessageDialogClass, "&No");
    ClickButton(CommandId::Delete);
    ASSERT_TRUE(no.Done());
    EXPECT_EQ(no.caption, "Confirm Deletion");
    EXPECT_EQ(no.text, "Are you Sure you want to delete this Entry?");
    EXPECT_EQ(no.buttons, (std::vector<std::string>{"&Yes", "&No"}));
  }
  PumpFor(40);
  EXPECT_EQ(PublishedCount(), 25) << "No keeps the entry";
  EXPECT_EQ(Rows(), 25);
  EXPECT_TRUE(Selected(1));

  {
    DialogClicker yes(kMessageDialogClass, "&Yes");
    ClickButton(CommandId::Delete);
    ASSERT_TRUE(yes.Done());
  }
  PumpFor(40);
  ASSERT_EQ(PublishedCount(), 24) << "Yes deletes it";
  EXPECT_EQ(PublishedNumbers(1), third) << "the later entries move down";
  ASSERT_EQ(Rows(), 24);
  EXPECT_EQ(Text(1, 0), "2") << "and the rows are numbered again";
  EXPECT_EQ(Text(23, 0), "24");
  EXPECT_EQ(ButtonStates(), "100011") << "nothing selected, the grid cleared";

  // Two rows of a list sorted by Seq. descending: the right entries go and
  // the list keeps its order.
  ClickHeader(0);
  ASSERT_EQ(Text(0, 0), "24");
  ClickRow(20);  // Seq. 4: the fifth entry of the file
  ClickRow(23, true);  // Seq. 1
  ASSERT_EQ(Text(20, 0), "4");
  {
    DialogClicker yes(kMessageDialogClass, "&Yes");
    ClickButton(CommandId::Delete);
    ASSERT_TRUE(yes.Done());
    EXPECT_EQ(yes.text, "Are you Sure you want to delete all selected Entries?");
  }
  PumpFor(40);
  ASSERT_EQ(PublishedCount(), 22);
  EXPECT_EQ(PublishedNumbers(0), third);
  EXPECT_EQ(PublishedNumbers(1), fourth);
  ASSERT_EQ(Rows(), 22);
  EXPECT_EQ(Text(0, 0), "22") << "still descending";
  EXPECT_EQ(Text(21, 0), "1");
  for (int row = 0; row < Rows(); ++row) EXPECT_FALSE(Selected(row)) << row;
  EXPECT_EQ(ButtonStates(), "100011");
}

// ---- Files ----------------------------------------------------------------------------------

TEST_F(UserSession, ShellDropsLoadOntoAnEmptyListAndAskWhetherToClearAFilledOne) {
  Start();
  const std::string picks = CopyOfPicks("picks.sl5");
  {
    // An empty list is filled without a question.
    Person nobody({Answer("&Yes")}, 1500);
    EXPECT_EQ(Drop({picks}), 1);
    nobody.Stop();
    EXPECT_EQ(nobody.seen().size(), 0u) << nobody.At(0).caption;
  }
  ASSERT_EQ(PublishedCount(), 25);
  EXPECT_EQ(PublishedSource(0), "picks.sl5");
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{3, 16, 31, 32, 35, 44}));
  EXPECT_EQ(Rows(), 25);
  EXPECT_EQ(Text(24, 1), "01 - 12 - 20 - 23 - 31 - 36");
  EXPECT_EQ(Text(24, 2), "picks.sl5");
  EXPECT_EQ(Addon().CanClose(), 1) << "a loaded file has nothing unsaved";

  {
    Person person({Answer("&No")});
    EXPECT_EQ(Drop({picks}), 1);
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(0).caption, "Confirm Clear");
    EXPECT_EQ(person.At(0).text, "Clear current List of all Entries");
    EXPECT_EQ(person.At(0).buttons, (std::vector<std::string>{"&Yes", "&No", "&Cancel"}));
  }
  EXPECT_EQ(PublishedCount(), 50) << "No appends";
  EXPECT_EQ(Rows(), 50);
  EXPECT_EQ(PublishedNumbers(25), PublishedNumbers(0));

  {
    Person person({Answer("&Cancel")});
    EXPECT_EQ(Drop({picks}), 1);
    ASSERT_TRUE(person.Done());
  }
  EXPECT_EQ(PublishedCount(), 50) << "Cancel leaves the list alone";

  // Unsaved changes: Yes to clearing asks to save first.
  for (int n : {1, 2, 3, 4, 5, 6}) ClickBall(n);
  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 51);
  {
    Person person({Answer("&Yes"), Answer("&No")});
    EXPECT_EQ(Drop({picks}), 1);
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(1).caption, "Confirm Save");
    EXPECT_EQ(person.At(1).text, "Your Database have not been saved, Save it Now?");
  }
  EXPECT_EQ(PublishedCount(), 25) << "Yes clears, then loads";
  EXPECT_EQ(Rows(), 25);
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{3, 16, 31, 32, 35, 44}));
  EXPECT_EQ(ButtonStates(), "100011") << "a load clears the grid and the selection";
}

TEST_F(UserSession, ShellFilesDraggedOntoTheListWithTheMouseLoadAsAShellDropDoes) {
  Start();
  const std::string picks = CopyOfPicks("picks.sl5");
  // The list takes OLE drops itself, so the shell's drag reaches it as
  // CF_HDROP data rather than as WM_DROPFILES through the host.
  testing::ShellFilesData files({picks});
  // The drag's rules (left button held, Escape cancels) are the offer's.
  auto* rules = new win32::DragOffer(nullptr);

  RECT area{};
  GetClientRect(list_, &area);
  const POINT from = ScreenPoint(host_, 5, 5), to = ScreenPoint(list_, area.right / 2, area.bottom / 2);
  DWORD effect = DROPEFFECT_NONE;
  std::thread hand([&] {
    Sleep(300);  // the drag's loop runs by then
    for (int i = 1; i <= 10; ++i) {
      const POINT at{from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10};
      MouseEvent(&at, 0);
      Sleep(40);
    }
    Sleep(300);
    MouseEvent(nullptr, MOUSEEVENTF_LEFTUP);
  });
  MouseEvent(&from, MOUSEEVENTF_LEFTDOWN);
  PumpFor(100);
  EXPECT_EQ(DoDragDrop(&files, rules, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect), DRAGDROP_S_DROP);
  hand.join();
  EXPECT_EQ(rules->Release(), 0u);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  PumpFor(300);
  ASSERT_EQ(PublishedCount(), 25) << "an empty list is filled without a question";
  EXPECT_EQ(PublishedSource(0), "picks.sl5");
  EXPECT_EQ(Rows(), 25);
}

TEST_F(UserSession, SaveAsFromTheFileMenuThenNewThenLoadBringsTheEntriesBack) {
  Start();
  for (int n : {11, 12, 13, 14, 15, 16}) ClickBall(n);
  ClickButton(CommandId::Add);
  ClickButton(CommandId::Clear);
  for (int n : {2, 9, 18, 27, 36, 49}) ClickBall(n);
  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 2);

  const std::string path = folder_ / "mine.sl5";
  {
    Person person({ChooseMenuItem("Save SL5 DBase As"), TypeFileName(path)});
    OpenFileMenu();
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(0).menuStates.count("New SL5 DBase"), 1u);
    EXPECT_EQ(person.At(1).caption, "Save to ZUN File (*.sl5)");
  }
  PumpFor(60);
  ASSERT_TRUE(Exists(path));
  EXPECT_EQ(SavedEntries(path),
            (std::vector<std::vector<int>>{{11, 12, 13, 14, 15, 16}, {2, 9, 18, 27, 36, 49}}));
  EXPECT_EQ(PublishedSource(0), "mine.sl5") << "saving names the file in every entry";
  EXPECT_EQ(Text(1, 2), "mine.sl5");
  EXPECT_EQ(Addon().CanClose(), 1) << "saved: nothing to ask";

  {
    Person person({ChooseMenuItem("New SL5 DBase")});
    OpenFileMenu();
    ASSERT_TRUE(person.Done());
  }
  PumpFor(60);
  EXPECT_EQ(PublishedCount(), 0);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(ButtonStates(), "100011");

  {
    Person person({TypeFileName(path)});
    ClickButton(CommandId::Load);
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(0).caption, "Load ZUN File (*.sl5)");
  }
  PumpFor(60);
  ASSERT_EQ(PublishedCount(), 2);
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{11, 12, 13, 14, 15, 16}));
  EXPECT_EQ(PublishedNumbers(1), (std::vector<int>{2, 9, 18, 27, 36, 49}));
  EXPECT_EQ(PublishedSource(1), "mine.sl5");
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Text(1, 1), "02 - 09 - 18 - 27 - 36 - 49");
}

TEST_F(UserSession, ReopeningAFileThatIsGoneDoesNothing) {
  const std::string kept = CopyOfPicks("kept.sl5");
  const std::string gone = CopyOfPicks("gone.sl5");
  Setting("Fast Load 1", gone);
  Setting("Fast Load 2", kept);
  Start();

  // Removed before the menu opens: marked as missing, and not offered.
  DeleteFileA(gone.c_str());
  {
    Person person({ChooseMenuItem("Reopen"), ChooseMenuItem("", [] {}), ChooseMenuItem("")});
    OpenFileMenu();
    person.Done();
    const auto& items = person.At(1).menuStates;
    ASSERT_EQ(items.count("gone.sl5"), 1u);
    ASSERT_EQ(items.count("kept.sl5"), 1u);
    EXPECT_NE(items.at("gone.sl5") & MFS_DISABLED, 0u);
    EXPECT_EQ(items.at("kept.sl5") & MFS_DISABLED, 0u);
    EXPECT_TRUE(person.At(1).menuPictures.at("gone.sl5")) << "the missing-file picture";
    EXPECT_FALSE(person.At(1).menuPictures.at("kept.sl5"));
  }
  // Escape closes one menu level at a time; whatever is still open goes now.
  PumpFor(100);
  for (HWND menu = VisibleTopLevel("#32768"); menu != nullptr; menu = VisibleTopLevel("#32768")) {
    SendMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpFor(60);
    if (menu == VisibleTopLevel("#32768")) break;
  }
  EXPECT_EQ(PublishedCount(), 0);

  // Gone while the menu shows, with an unsaved entry: the save question
  // comes first; then nothing is loaded and the entry stays.
  CopyFileA(kept.c_str(), gone.c_str(), FALSE);
  for (int n : {1, 2, 3, 4, 5, 6}) ClickBall(n);
  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 1);
  {
    Person person({ChooseMenuItem("Reopen"), ChooseMenuItem("gone.sl5", [&] { DeleteFileA(gone.c_str()); }),
                   Answer("&No")});
    OpenFileMenu();
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(2).caption, "Confirm Save");
    PumpFor(300);
    EXPECT_EQ(VisibleTopLevel(kMessageDialogClass), nullptr) << "no message about the missing file";
  }
  EXPECT_EQ(PublishedCount(), 1);
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Rows(), 1);

  // A recent file that is there loads.
  {
    Person person({ChooseMenuItem("Reopen"), ChooseMenuItem("kept.sl5"), Answer("&No")});
    OpenFileMenu();
    ASSERT_TRUE(person.Done());
  }
  PumpFor(60);
  EXPECT_EQ(PublishedCount(), 25);
  EXPECT_EQ(PublishedSource(0), "kept.sl5");
}

// ---- Entries between windows ----------------------------------------------------------------

TEST_F(UserSession, SelectedRowsDraggedOntoThePeerDatabaseArriveThereAndStayHere) {
  Start();
  AnswerAsHost();
  StartPeer();
  ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
  ASSERT_EQ(Rows(), 25);
  ClickRow(1);
  ClickRow(3, true);
  ClickRow(4, true);
  const std::vector<std::vector<int>> dragged = {PublishedNumbers(1), PublishedNumbers(3), PublishedNumbers(4)};
  const POINT intoPeer = PeerLinePoint(2);

  DragWithMouse(RowPoint(3), intoPeer);
  ASSERT_EQ(PeerCount(), 9) << peer_.Status();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(PeerNumbers(6 + i), dragged[static_cast<size_t>(i)]) << "in display order";
    EXPECT_EQ(PeerSource(6 + i), "picks.sl5");
  }
  EXPECT_EQ(peer_.Status(), "Received 3 entries from \"User Database Builder\"");
  EXPECT_EQ(peer_.Lines().size(), 9u) << "the peer shows what arrived";
  EXPECT_EQ(Record().TransferKind, 2);
  EXPECT_STREQ(Record().TransferName, "ZUN_Mem_Map_UDBase");
  EXPECT_EQ(Record().SourceWindow, reinterpret_cast<HostWindowHandle>(main_));
  EXPECT_EQ(PublishedCount(), 25) << "a drag copies";
  EXPECT_TRUE(Selected(1) && Selected(3) && Selected(4) && !Selected(2)) << "the dragged rows stay selected";

  EXPECT_EQ(roomRequests_, 1);

  // Escape while over the peer: the drag ends with nothing dropped.
  DragWithMouse(RowPoint(4), intoPeer, true);
  EXPECT_EQ(roomRequests_, 2) << "a drag was started";
  EXPECT_EQ(PeerCount(), 9);

  // Our own rows dropped back on our own list: refused, nothing changes.
  DragWithMouse(RowPoint(3), RowPoint(12));
  EXPECT_EQ(roomRequests_, 3);
  EXPECT_EQ(PublishedCount(), 25);
  EXPECT_EQ(Rows(), 25);
  EXPECT_EQ(VisibleTopLevel(kMessageDialogClass), nullptr);

  // Short of the drag distance the press stays a click: no drag.
  DragWithMouse(RowPoint(3), POINT{RowPoint(3).x + 10, RowPoint(3).y + 10});
  EXPECT_EQ(roomRequests_, 3);
  EXPECT_EQ(PeerCount(), 9);
}

TEST_F(UserSession, ThePeersRowsDraggedOntoTheListAreAppendedInItsOrder) {
  Start();
  AnswerAsHost();
  StartPeer();
  ClickScreen(PeerLinePoint(2));
  PumpFor(60);
  MouseEvent(nullptr, 0);
  {
    INPUT ctrl{};
    ctrl.type = INPUT_KEYBOARD;
    ctrl.ki.wVk = VK_CONTROL;
    SendInput(1, &ctrl, sizeof ctrl);
    ClickScreen(PeerLinePoint(5));
    ctrl.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &ctrl, sizeof ctrl);
    PumpFor(100);
  }
  ASSERT_EQ(SendMessageA(peer_.List(), LB_GETSELCOUNT, 0, 0), 2);

  RECT listArea{};
  GetClientRect(list_, &listArea);
  DragWithMouse(PeerLinePoint(5), ScreenPoint(list_, listArea.right / 2, listArea.bottom / 2));
  ASSERT_EQ(PublishedCount(), 2);
  EXPECT_EQ(PublishedNumbers(0), PeerNumbers(2));
  EXPECT_EQ(PublishedNumbers(1), PeerNumbers(5));
  EXPECT_EQ(PublishedSource(0), "peer 3");
  EXPECT_EQ(PublishedSource(1), "peer 6");
  EXPECT_EQ(Rows(), 2);
  EXPECT_EQ(Text(1, 2), "peer 6");
  EXPECT_EQ(peer_.Status(), "Dragged 2 entries: taken");
  EXPECT_EQ(PeerCount(), 6);

  // Dropped on the ball grids instead: not a place that takes entries.
  DragWithMouse(PeerLinePoint(5), ScreenPoint(grids_[0], 30, 30));
  EXPECT_EQ(PublishedCount(), 2);
  EXPECT_EQ(peer_.Status(), "Dragged 2 entries: not taken");
}

TEST_F(UserSession, OffersByMessageOfEachKindAreTakenAsTheirKindSays) {
  Start();
  AnswerAsHost();
  StartPeer();

  // Kind 1: the map is opened and closed, nothing is copied or asked.
  ClickPeerButton(devhost::kOfferReadOnly);
  PumpFor(200);
  EXPECT_EQ(PublishedCount(), 0);
  EXPECT_EQ(VisibleTopLevel(kMessageDialogClass), nullptr);
  EXPECT_FALSE(Exists(folder_ / "zun.log")) << "nothing to report";

  ClickPeerButton(devhost::kOfferEntries);
  PumpFor(200);
  ASSERT_EQ(PublishedCount(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(PublishedNumbers(i), PeerNumbers(i));
  EXPECT_EQ(Rows(), 6);

  // Kind 3: the file of the offered entries, appended after "No".
  {
    Person person({Answer("&No")});
    ClickPeerButton(devhost::kOfferFile);
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(0).caption, "Confirm Clear");
  }
  PumpFor(200);
  ASSERT_EQ(PublishedCount(), 12);
  EXPECT_EQ(PublishedNumbers(11), PeerNumbers(5));
  EXPECT_EQ(PublishedSource(11), "peer-offer.sl5");
}

TEST_F(UserSession, SendToThePeerIsPostedWhetherOrNotTheHostMadeRoom) {
  Start();
  AnswerAsHost();
  StartPeer();
  ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
  ClickRow(0);
  ClickRow(2, true);

  environment_.RefuseIndexRoom(true);
  {
    Person person({ChooseMenuItem("Send To"), ChooseMenuItem(devhost::kPeerDatabase)});
    RightClickRow(2);
    ASSERT_TRUE(person.Done());
  }
  PumpFor(200);
  EXPECT_EQ(peer_.Status(), "Received 0 entries from \"User Database Builder\"") << "offered, with no indexes";
  EXPECT_EQ(PeerCount(), 6);

  environment_.RefuseIndexRoom(false);
  {
    Person person({ChooseMenuItem("Send To"), ChooseMenuItem(devhost::kPeerDatabase)});
    RightClickRow(2);
    ASSERT_TRUE(person.Done());
  }
  PumpFor(200);
  EXPECT_EQ(peer_.Status(), "Received 2 entries from \"User Database Builder\"");
  ASSERT_EQ(PeerCount(), 8);
  EXPECT_EQ(PeerNumbers(6), PublishedNumbers(0));
  EXPECT_EQ(PeerNumbers(7), PublishedNumbers(2));
  EXPECT_EQ(peer_.Lines().back().substr(0, 3), "8. ");
}

// ---- The host's close ---------------------------------------------------------------------

TEST_F(UserSession, TheHostsCloseOffersToSaveUnsavedEntries) {
  Start();
  for (int n : {7, 14, 21, 28, 35, 42}) ClickBall(n);
  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 1);
  const auto filesNow = folder_.Names();

  {
    Person person({Answer("&Cancel")});
    EXPECT_EQ(Addon().CanClose(), 0) << "Cancel: the host must not close";
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(0).caption, "Confirm Save");
    EXPECT_EQ(person.At(0).text, "Your Database have not been saved, Save it Now?");
    EXPECT_EQ(person.At(0).buttons, (std::vector<std::string>{"&Yes", "&No", "&Cancel"}));
  }
  EXPECT_TRUE(IsWindowVisible(main_));
  EXPECT_EQ(PublishedCount(), 1);
  EXPECT_EQ(folder_.Names(), filesNow) << "nothing written";

  {
    Person person({Answer("&No")});
    EXPECT_EQ(Addon().CanClose(), 1) << "No: close without saving";
    ASSERT_TRUE(person.Done());
  }
  EXPECT_EQ(folder_.Names(), filesNow);
  EXPECT_EQ(PublishedCount(), 1);

  {
    // Yes with no file yet asks for a name; cancelling that keeps the host open.
    Person person({Answer("&Yes"), TypeFileName("")});
    EXPECT_EQ(Addon().CanClose(), 0);
    ASSERT_TRUE(person.Done());
  }
  EXPECT_EQ(folder_.Names(), filesNow);

  const std::string path = folder_ / "closing.sl5";
  {
    Person person({Answer("&Yes"), TypeFileName(path)});
    EXPECT_EQ(Addon().CanClose(), 1) << "Yes: saved, the host may close";
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(1).caption, "Save to ZUN File (*.sl5)");
  }
  ASSERT_TRUE(Exists(path));
  EXPECT_EQ(SavedEntries(path), (std::vector<std::vector<int>>{{7, 14, 21, 28, 35, 42}}));
  EXPECT_EQ(Addon().CanClose(), 1) << "nothing unsaved now: no question";

  // With a current file, Yes saves there without asking for a name.
  ClickButton(CommandId::Clear);
  for (int n : {1, 10, 20, 30, 40, 49}) ClickBall(n);
  ClickButton(CommandId::Add);
  {
    Person person({Answer("&Yes")});
    EXPECT_EQ(Addon().CanClose(), 1);
    ASSERT_TRUE(person.Done());
  }
  EXPECT_EQ(SavedEntries(path),
            (std::vector<std::vector<int>>{{7, 14, 21, 28, 35, 42}, {1, 10, 20, 30, 40, 49}}));
}

}  // namespace
}  // namespace zun
