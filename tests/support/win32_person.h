#pragma once

// A person answering what the program shows, on a thread of their own while
// the test's thread runs the program's modal loops: each step waits for a
// visible window of its class in this process, fully painted, notes what it
// shows and acts on it. A step whose window does not come, or that cannot
// act, ends the steps; Done() then fails the test saying which and why.

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace zun::testing {

// What a person saw in one window before acting on it.
struct Seen {
  std::string windowClass;
  std::string caption;
  std::string text;                          // the visible labels' texts, joined by "|"
  std::vector<std::string> buttons;          // the captions of its buttons
  std::map<std::string, UINT> menuStates;    // a menu's items and their MFS_ states
  std::map<std::string, bool> menuPictures;  // whether an item shows a picture
  RECT windowRect{};
  RECT clientRect{};
  RECT labelRect{};  // the first visible label, in client coordinates
};

class Person {
 public:
  struct Step {
    std::string windowClass;
    std::function<bool(HWND, Seen&)> act;  // false: it could not
  };

  // Generous: in the emulated 32-bit machine the first common dialog of a
  // run takes many seconds to appear. The wait only costs a failing test.
  explicit Person(std::vector<Step> steps, int waitSeconds = 45);
  ~Person();
  Person(const Person&) = delete;
  Person& operator=(const Person&) = delete;

  // Stops waiting for windows that have not come, for steps that must not
  // be needed; steps not done then are no failure.
  void Stop();
  // Waits for the thread; true when every step was done.
  bool Done();
  const std::vector<Seen>& seen() const { return seen_; }
  const Seen& At(size_t index) const;

 private:
  void Run();

  std::vector<Step> steps_;
  int waitSeconds_;
  std::vector<Seen> seen_;
  size_t done_ = 0;
  std::string problem_;
  bool reported_ = false;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Clicks the button with this caption in a window of the class.
Person::Step PressButton(std::string windowClass, std::string caption);
// Types a file name into a common open or save dialog and presses its Open
// or Save button; or cancels the dialog when the name is empty.
Person::Step TypeFileName(std::string name);
// Notes the items of an open popup menu, then clicks the one with this
// caption (as shown before any shortcut) with the mouse; `first` runs before
// the click. An empty caption closes the menu with Escape.
Person::Step ChooseMenuItem(std::string caption, std::function<void()> first = {});

// One dialog answered: clicks the button with this caption (or closes the
// window through the system when no caption is given); lookFirst, when
// given, runs once the dialog is up and before it is clicked.
class DialogClicker {
 public:
  DialogClicker(std::string windowClass, std::string button, std::function<void(HWND)> lookFirst = {});
  // Waits for the click; true when it was made. Fills in what was seen.
  bool Done();

  std::string caption;
  std::string text;
  std::vector<std::string> buttons;
  RECT windowRect{};
  RECT clientRect{};
  RECT labelRect{};

 private:
  Person person_;
};

}  // namespace zun::testing
