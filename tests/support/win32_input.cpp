#include "support/win32_input.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <mutex>
#include <vector>

#include "support/win32_waits.h"

namespace zun::testing {
namespace {

INPUT MouseInput(DWORD flags, POINT screen) {
  // Rounded up, so that the system's scaling back lands on the same pixel.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = (screen.x * 65536 + width - 1) / width;
  input.mi.dy = (screen.y * 65536 + height - 1) / height;
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input;
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT> input) { SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)); }

DWORD DownFlag(MouseButton button) {
  return button == MouseButton::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN;
}
DWORD UpFlag(MouseButton button) { return button == MouseButton::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP; }

// Sends input with a press in it. The system pairs two presses of a button
// into a double click by place and time alone: a press meant as a click of
// its own, close to the last one, waits out the rest of the double-click
// time, counted from when the last press was sent (and so stamped). Nothing
// else shows when that time is over.
void SendPress(MouseButton button, POINT at, std::vector<INPUT> input) {
  static std::mutex mutex;
  static struct {
    bool any = false;
    MouseButton button = MouseButton::Left;
    POINT at{};
    DWORD sent = 0;
  } last;
  const std::lock_guard lock(mutex);
  if (last.any && last.button == button && std::abs(at.x - last.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
      std::abs(at.y - last.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK)) {
    const DWORD since = GetTickCount() - last.sent;
    const DWORD pairing = GetDoubleClickTime() + 50;
    if (since < pairing) Sleep(pairing - since);
  }
  Send(std::move(input));
  last.any = true;
  last.button = button;
  last.at = at;
  last.sent = GetTickCount();
}

HWND CaptureOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndCapture : nullptr;
}

}  // namespace

void MoveMouse(POINT screen) { Send({MouseInput(0, screen)}); }

void PressMouse(POINT screen, MouseButton button) { SendPress(button, screen, {MouseInput(DownFlag(button), screen)}); }

void ReleaseMouse(POINT screen, MouseButton button) { Send({MouseInput(UpFlag(button), screen)}); }

void Click(POINT screen, MouseButton button) {
  SendPress(button, screen, {MouseInput(DownFlag(button), screen), MouseInput(UpFlag(button), screen)});
}

void PressKeys(std::initializer_list<WORD> keys, bool ctrl) {
  std::vector<INPUT> input;
  if (ctrl) input.push_back(KeyInput(VK_CONTROL, false));
  for (WORD key : keys) {
    input.push_back(KeyInput(key, false));
    input.push_back(KeyInput(key, true));
  }
  if (ctrl) input.push_back(KeyInput(VK_CONTROL, true));
  Send(input);
}

KeyHeld::KeyHeld(WORD key) : key_(key) { Send({KeyInput(key_, false)}); }
KeyHeld::~KeyHeld() { Send({KeyInput(key_, true)}); }

bool HoldsCapture(DWORD thread) { return CaptureOf(thread) != nullptr; }

bool InDragLoop(DWORD thread) {
  const HWND capture = CaptureOf(thread);
  return capture != nullptr && !IsWindowVisible(capture);
}

Hand::Hand(DragMove move) : move_(move), thread_(GetCurrentThreadId()), hand_([this] { Run(); }) {}

Hand::~Hand() {
  if (hand_.joinable()) hand_.join();
}

bool Hand::Finish() {
  if (hand_.joinable()) hand_.join();
  if (problem_.empty()) return true;
  ADD_FAILURE() << problem_;
  return false;
}

void Hand::Run() {
  const auto waitFor = [this](const char* what, const std::function<bool()>& condition) {
    if (!problem_.empty() ||
        PollUntil(condition, std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMilliseconds)))
      return;
    problem_ = std::string("the drag's hand waited ") + std::to_string(kWaitMilliseconds / 1000) + " s for " + what;
  };
  const auto dragLoop = [this] { return InDragLoop(thread_); };
  if (move_.press) {
    PressMouse(move_.from);
    waitFor("the pressed window to take the press (capture the mouse)", [this] { return HoldsCapture(thread_); });
  } else {
    waitFor("the drag's loop to start", dragLoop);
  }
  // No pause between the moves: the windows take them in order, each at its place.
  constexpr int kSteps = 12;
  for (int i = 1; i <= kSteps; ++i)
    MoveMouse({move_.from.x + (move_.to.x - move_.from.x) * i / kSteps,
               move_.from.y + (move_.to.y - move_.from.y) * i / kSteps});
  if (move_.press && move_.dragStarts) waitFor("the drag's loop to start", dragLoop);
  if (move_.escapeFirst) PressKeys({VK_ESCAPE});
  ReleaseMouse(move_.to);  // whatever went wrong: a drag's loop left running would never end
  released_ = true;
}

void DragWithMouse(const DragMove& move) {
  Hand hand(move);
  // Longer than the hand's own waits, which say better what went wrong.
  WaitUntil("the hand to release the button", [&] { return hand.Released(); }, 3 * kWaitMilliseconds);
  hand.Finish();
  WaitForIdle();
}

}  // namespace zun::testing
