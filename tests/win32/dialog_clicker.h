#pragma once

// Answers a modal dialog as a person would: a watcher thread waits for a
// visible top-level window of a class in this process, notes what it shows,
// then clicks the button with a caption (or closes the window through the
// system when no caption is given).

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace zun::testing {

class DialogClicker {
 public:
  // lookFirst, when given, runs on the watcher thread once the dialog is up
  // and before it is clicked.
  DialogClicker(std::string windowClass, std::string button, std::function<void(HWND)> lookFirst = {});
  ~DialogClicker();
  DialogClicker(const DialogClicker&) = delete;
  DialogClicker& operator=(const DialogClicker&) = delete;

  // Waits for the watcher to finish; true when it clicked.
  bool Done();

  std::string caption;
  std::string text;                  // the texts of the dialog's labels, joined by "|"
  std::vector<std::string> buttons;  // the captions of its buttons
  RECT windowRect{};
  RECT clientRect{};
  RECT labelRect{};  // the first label, in client coordinates

 private:
  void Watch();
  std::string windowClass_;
  std::string button_;
  std::function<void(HWND)> lookFirst_;
  std::atomic<bool> clicked_{false};
  std::thread thread_;
};

// Lets the windows of this thread handle what is waiting for them.
void Pump();

// Looking at windows as a person would see them.
std::string ClassOf(HWND window);
std::vector<HWND> Descendants(HWND window);
// A visible top-level window of this process of the class, other than `other`.
HWND VisibleTopLevel(const std::string& windowClass, HWND other = nullptr);
// The text a list view shows in a cell.
std::string ListItemText(HWND list, int row, int column);

}  // namespace zun::testing
