#include "support/win32_waits.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace zun::testing {
namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point After(int milliseconds) { return Clock::now() + std::chrono::milliseconds(milliseconds); }

}  // namespace

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool WaitUntil(const std::string& what, const std::function<bool()>& condition, int timeoutMilliseconds) {
  const auto deadline = After(timeoutMilliseconds);
  for (;;) {
    Pump();
    if (condition()) return true;
    if (Clock::now() >= deadline) {
      ADD_FAILURE() << "waited " << timeoutMilliseconds / 1000.0 << " s for " << what;
      return false;
    }
    // Any message wakes the thread at once; what other threads change is
    // looked at again after a short while.
    MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void WaitForIdle() {
  // Quiet: no input, posted or sent message and nothing to paint for this
  // long. Timers are handled but do not count, or a blinking caret would
  // never let the thread be quiet.
  constexpr DWORD kQuietMilliseconds = 30;
  constexpr DWORD kWakers = QS_INPUT | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT | QS_HOTKEY;
  const auto deadline = After(kWaitMilliseconds);
  for (;;) {
    // Under Wine a PeekMessage that finds nothing also puts what the
    // windows painted on the screen.
    Pump();
    if (MsgWaitForMultipleObjectsEx(0, nullptr, kQuietMilliseconds, kWakers, MWMO_INPUTAVAILABLE) == WAIT_TIMEOUT)
      return;
    if (Clock::now() >= deadline) {
      ADD_FAILURE() << "waited " << kWaitMilliseconds / 1000.0 << " s for this thread's messages to settle";
      return;
    }
  }
}

bool PollUntil(const std::function<bool()>& condition, std::chrono::steady_clock::time_point deadline,
               const std::atomic<bool>* stop) {
  for (;;) {
    if (condition()) return true;
    if ((stop != nullptr && *stop) || Clock::now() >= deadline) return false;
    Sleep(10);  // how often it looks; the thread has no messages to wait on
  }
}

}  // namespace zun::testing
