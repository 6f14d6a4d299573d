#pragma once

// Input as a person gives it: SendInput moves the system's pointer and
// presses its buttons and keys, so the windows get what they get from a
// user (hit-testing, capture, double clicks, key states, the drag's loop).
// A press that the system would pair with the one before into a double
// click waits until it no longer would. Every button event carries its own
// place: under Wine each move also moves the X pointer, whose motion comes
// back a little later as moves of its own, and a button event without a
// place would happen wherever the last of those had put the pointer.

#include <windows.h>

#include <atomic>
#include <initializer_list>
#include <string>
#include <thread>

namespace zun::testing {

enum class MouseButton { Left, Right };

void MoveMouse(POINT screen);
// Moves there and presses the button, which stays down.
void PressMouse(POINT screen, MouseButton button = MouseButton::Left);
void ReleaseMouse(POINT screen, MouseButton button = MouseButton::Left);
void Click(POINT screen, MouseButton button = MouseButton::Left);
// Each key down and up in turn, with Ctrl held around them when asked.
void PressKeys(std::initializer_list<WORD> keys, bool ctrl = false);

// A key held down while this lives (Ctrl for a click that adds to a selection).
class KeyHeld {
 public:
  explicit KeyHeld(WORD key);
  ~KeyHeld();
  KeyHeld(const KeyHeld&) = delete;
  KeyHeld& operator=(const KeyHeld&) = delete;

 private:
  WORD key_;
};

// Whether a window of the thread holds the mouse capture, and whether that
// window is a drag's loop: the system's drag captures the mouse for a hidden
// window of its own, where a pressed list captures it for itself.
bool HoldsCapture(DWORD thread);
bool InDragLoop(DWORD thread);

struct DragMove {
  POINT from{};
  POINT to{};
  bool press = true;         // false: the button is held already, for a drag the test runs itself
  bool dragStarts = true;    // whether moving that far starts a drag
  bool escapeFirst = false;  // Escape over the target before the release
};

// A person's hand dragging on a thread of its own: the drag's modal loop
// runs on the thread whose windows are dragged from (the one that made the
// hand), which keeps handling messages while the hand moves. The hand waits
// for the press to be taken before it moves, and for the drag's loop before
// it lets go.
class Hand {
 public:
  explicit Hand(DragMove move);
  ~Hand();
  Hand(const Hand&) = delete;
  Hand& operator=(const Hand&) = delete;

  // The button has been released.
  bool Released() const { return released_; }
  // Waits for the hand; a wait of its that ran out fails the test. True when
  // all went as it should.
  bool Finish();

 private:
  void Run();

  DragMove move_;
  DWORD thread_;
  std::atomic<bool> released_{false};
  std::string problem_;
  std::thread hand_;
};

// The whole drag from this thread: returns once its windows have handled it.
void DragWithMouse(const DragMove& move);

}  // namespace zun::testing
