#pragma once

// Small scope guards: state set for the length of a scope and put back at
// its end, whether the scope is left by return or by an exception.

#include <utility>

namespace zun {

// Sets a flag for the scope and gives it back the value it had before (a
// re-entrancy flag, a "the program is changing this" flag). Nested scopes
// on one flag restore in turn.
class FlagScope {
 public:
  explicit FlagScope(bool& flag, bool value = true) noexcept : flag_(flag), previous_(std::exchange(flag, value)) {}
  ~FlagScope() { flag_ = previous_; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

// Something switched on while any of several nested scopes wants it (the
// hourglass): only the outermost scope switches `Target` on and off, so work
// that runs inside other work does not end the outer work's state early.
// `Target` has On() and Off(); the switch holds it by value (a small adapter
// over a reference, typically). One switch per thing switched: the count
// lives here, so every scope on that thing must reach the same switch.
template <class Target>
class NestedSwitch {
 public:
  explicit NestedSwitch(Target target) : target_(std::move(target)) {}
  NestedSwitch(const NestedSwitch&) = delete;
  NestedSwitch& operator=(const NestedSwitch&) = delete;

  // How many scopes are open.
  int Depth() const noexcept { return depth_; }

  // Keeps the switch on for its lifetime; `wanted` false makes it a scope
  // that does nothing (for work that asks for the switch conditionally).
  class Scope {
   public:
    explicit Scope(NestedSwitch& owner, bool wanted = true) : owner_(wanted ? &owner : nullptr) {
      if (owner_ != nullptr) owner_->Enter();
    }
    ~Scope() {
      if (owner_ != nullptr) owner_->Leave();
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    NestedSwitch* owner_;
  };

 private:
  // A failing On() leaves the count as it was: that scope never opened.
  void Enter() {
    if (depth_ == 0) target_.On();
    ++depth_;
  }
  // Runs in destructors, also while an exception unwinds: a failing Off()
  // is swallowed (the work's own failure is the one to report).
  void Leave() noexcept {
    if (--depth_ != 0) return;
    try {
      target_.Off();
    } catch (...) {
    }
  }

  Target target_;
  int depth_ = 0;
};

}  // namespace zun
