#pragma once

// A check against the draws on a worker thread, over its own snapshot: the
// window that started it polls Done() (a timer) and never waits for it,
// except when it goes, which cancels the check and waits for the thread.

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "analysis/draw_check.h"

namespace zun {

class DrawCheckTask {
 public:
  // Starts the check at once.
  explicit DrawCheckTask(DrawCheckInput input);
  // Cancels the check and waits for its thread.
  ~DrawCheckTask();
  DrawCheckTask(const DrawCheckTask&) = delete;
  DrawCheckTask& operator=(const DrawCheckTask&) = delete;

  void Cancel() noexcept;
  bool Done() const noexcept;
  // How far it is, 0 to 100 (the entries done).
  int32_t Percent() const noexcept;

  // After Done(): whether it ran to its end, and what it found. A check
  // that failed (memory ran out) says why in Failure().
  bool Completed() const noexcept;
  const std::string& Failure() const noexcept;
  const DrawCheckInput& Input() const noexcept { return input_; }
  const DrawCheckResult& Result() const noexcept { return result_; }

 private:
  void Run() noexcept;

  const DrawCheckInput input_;
  DrawCheckResult result_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> done_{false};
  std::atomic<int64_t> progress_{0};
  bool completed_ = false;
  std::string failure_;
  std::thread thread_;  // last: starts once everything above is made
};

}  // namespace zun
