#include "analysis/draw_check_task.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "base/texts.h"

namespace zun {

DrawCheckTask::DrawCheckTask(DrawCheckInput input) : input_(std::move(input)), thread_([this] { Run(); }) {}

DrawCheckTask::~DrawCheckTask() {
  Cancel();
  if (thread_.joinable()) thread_.join();
}

void DrawCheckTask::Cancel() noexcept { cancel_.store(true, std::memory_order_relaxed); }

bool DrawCheckTask::Done() const noexcept { return done_.load(std::memory_order_acquire); }

int32_t DrawCheckTask::Percent() const noexcept {
  const int64_t entries = static_cast<int64_t>(input_.entries.size());
  if (entries == 0) return Done() ? 100 : 0;
  const int64_t done = progress_.load(std::memory_order_relaxed);
  return static_cast<int32_t>(std::clamp<int64_t>(done * 100 / entries, 0, 100));
}

bool DrawCheckTask::Completed() const noexcept { return Done() && completed_; }

const std::string& DrawCheckTask::Failure() const noexcept {
  static const std::string none;
  return Done() ? failure_ : none;
}

void DrawCheckTask::Run() noexcept {
  // Room for the failure's text before anything can run out of memory. The
  // result and the failure are written on this thread before done_ is set,
  // and read by the window's thread only after it saw done_ (acquire).
  try {
    failure_.reserve(160);
  } catch (...) {
  }
  const char* failure = nullptr;
  std::string detail;
  try {
    completed_ = RunDrawCheck(input_, result_, &cancel_, &progress_);
  } catch (const std::bad_alloc&) {
    failure = texts::check::kOutOfMemory;
  } catch (const std::length_error&) {
    failure = texts::check::kOutOfMemory;
  } catch (const std::exception& e) {
    failure = texts::check::kStopped;
    try {
      detail = e.what();
    } catch (...) {
    }
  } catch (...) {
    failure = texts::check::kUnexpected;
  }
  if (failure != nullptr) {
    result_ = DrawCheckResult{};  // gives its memory back
    try {
      failure_ = std::string(failure) + detail;
    } catch (...) {
      try {
        failure_.assign(failure);  // fits the room reserved above
      } catch (...) {
      }
    }
  }
  done_.store(true, std::memory_order_release);
}

}  // namespace zun
