#pragma once

#include <exception>

namespace zun {

// The reference code of the operation entered last, which an error report
// shows ("Ref: "). Codes are string literals from reference_codes.h, so
// setting one costs a pointer store even on hot paths (entry texts are
// formatted per visible row).
extern const char* ErrorLocation;

// Names a step inside the current OperationScope (or, outside every scope,
// for good: the window procedures' entry points and the tests do that).
inline void EnterOperation(const char* code) noexcept { ErrorLocation = code; }

// An operation's code for as long as the operation runs. An operation opens
// one where it starts; when it returns, its caller's code is current again,
// so the caller need not name itself anew after each callee. When the scope
// is left by an exception the code stays as it is: the failure is reported
// by a guard further out, and its "Ref:" must name the innermost step that
// had started, not the caller the exception passes through. (An operation
// that catches a callee's failure and goes on names itself again.) An
// operation that fails by its result, for its caller to report, says so
// with Failed(), and its code stays the same way.
class OperationScope {
 public:
  explicit OperationScope(const char* code) noexcept
      : previous_(ErrorLocation), exceptions_(std::uncaught_exceptions()) {
    ErrorLocation = code;
  }
  ~OperationScope() {
    // More exceptions in flight than at the start: this scope is unwinding.
    if (!failed_ && std::uncaught_exceptions() == exceptions_) ErrorLocation = previous_;
  }
  // The operation failed by its result: its caller reports the code current now.
  void Failed() noexcept { failed_ = true; }
  OperationScope(const OperationScope&) = delete;
  OperationScope& operator=(const OperationScope&) = delete;

 private:
  const char* previous_;
  int exceptions_;
  bool failed_ = false;
};

}  // namespace zun
