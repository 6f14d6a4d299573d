#pragma once

// Ends whatever this process still shows modally once a test has run far too
// long (popup menus with Escape, dialogs with Cancel, windows of the given
// classes with WM_CLOSE), so that a question nobody answers fails the test
// instead of hanging the run.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace zun::testing {

class Watchdog {
 public:
  Watchdog(int seconds, std::vector<std::string> alsoClose);
  ~Watchdog();
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

  // Whether it had to close anything.
  bool Fired() const { return fired_; }

 private:
  void Watch(int seconds);

  std::vector<std::string> classes_;
  HANDLE stop_;
  std::atomic<bool> fired_{false};
  std::thread thread_;
};

}  // namespace zun::testing
