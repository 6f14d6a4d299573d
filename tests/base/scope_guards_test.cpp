#include "base/scope_guards.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/error_location.h"

namespace zun {
namespace {

TEST(FlagScope, NestedScopesRestoreInTurnAlsoWhenAnExceptionLeavesThem) {
  bool flag = false;
  {
    const FlagScope outer(flag);
    EXPECT_TRUE(flag);
    {
      const FlagScope inner(flag, false);
      EXPECT_FALSE(flag);
    }
    EXPECT_TRUE(flag) << "the inner scope gives back the outer's value, not false";
    try {
      const FlagScope failing(flag, false);
      throw std::runtime_error("work failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(flag);
  }
  EXPECT_FALSE(flag);
}

// Records what the switch is told, and fails on demand.
struct RecordingTarget {
  std::vector<std::string>* log;
  bool failOn = false;
  bool failOff = false;
  void On() {
    if (failOn) throw std::runtime_error("cannot switch on");
    log->push_back("on");
  }
  void Off() {
    log->push_back("off");
    if (failOff) throw std::runtime_error("cannot switch off");
  }
};

TEST(NestedSwitch, OnlyTheOutermostScopeSwitchesAndAnExceptionStillEndsIt) {
  std::vector<std::string> log;
  NestedSwitch<RecordingTarget> target(RecordingTarget{&log});
  {
    const NestedSwitch<RecordingTarget>::Scope outer(target);
    {
      const NestedSwitch<RecordingTarget>::Scope inner(target);
      const NestedSwitch<RecordingTarget>::Scope notWanted(target, false);
      EXPECT_EQ(target.Depth(), 2);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"on"})) << "the inner scope's end leaves the outer work switched on";
    try {
      const NestedSwitch<RecordingTarget>::Scope failing(target);
      throw std::runtime_error("work failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(target.Depth(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"on"}));
  }
  EXPECT_EQ(log, (std::vector<std::string>{"on", "off"}));
  EXPECT_EQ(target.Depth(), 0);

  // Alone, a scope left by an exception switches off too.
  try {
    const NestedSwitch<RecordingTarget>::Scope failing(target);
    throw std::runtime_error("work failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(log, (std::vector<std::string>{"on", "off", "on", "off"}));
}

TEST(NestedSwitch, ASwitchThatFailsLeavesTheCountRight) {
  std::vector<std::string> log;
  NestedSwitch<RecordingTarget> target(RecordingTarget{&log, true, true});
  EXPECT_THROW(NestedSwitch<RecordingTarget>::Scope never(target), std::runtime_error);
  EXPECT_EQ(target.Depth(), 0) << "a scope that never opened is not counted";
  EXPECT_TRUE(log.empty());
}

TEST(NestedSwitch, AFailingOffIsSwallowedAndTheNextScopeSwitchesOnAgain) {
  std::vector<std::string> log;
  NestedSwitch<RecordingTarget> target(RecordingTarget{&log, false, true});
  { const NestedSwitch<RecordingTarget>::Scope first(target); }
  { const NestedSwitch<RecordingTarget>::Scope second(target); }
  EXPECT_EQ(log, (std::vector<std::string>{"on", "off", "on", "off"}));
  EXPECT_EQ(target.Depth(), 0);
}

// Reference codes of a caller and its callees, as operations use them.
constexpr char kCaller[] = "caller";
constexpr char kCallee[] = "callee";
constexpr char kCalleeStep[] = "callee's second step";

void Callee(bool fail) {
  const OperationScope operation(kCallee);
  EnterOperation(kCalleeStep);
  if (fail) throw std::runtime_error("callee failed");
}

bool CalleeFailingByResult() {
  OperationScope operation(kCallee);
  operation.Failed();
  return false;
}

// The code a failure's report would show: the caller's own guard catches.
const char* ReportedCode(void (*caller)()) {
  EnterOperation("before");
  try {
    caller();
  } catch (const std::runtime_error&) {
    return ErrorLocation;
  }
  return "nothing failed";
}

TEST(OperationScope, AFailureReportsTheStepThatFailedNotTheCallerNorAFinishedCallee) {
  // The caller fails after a callee finished: the caller's own code, though
  // it never named itself again.
  EXPECT_STREQ(ReportedCode([] {
                 const OperationScope operation(kCaller);
                 Callee(false);
                 throw std::runtime_error("caller failed");
               }),
               kCaller);
  // The callee fails: its step, which the caller's scope keeps as it unwinds.
  EXPECT_STREQ(ReportedCode([] {
                 const OperationScope operation(kCaller);
                 Callee(true);
               }),
               kCalleeStep);
  // A callee that fails by its result leaves its code for the caller's report.
  EXPECT_STREQ(ReportedCode([] {
                 const OperationScope operation(kCaller);
                 if (!CalleeFailingByResult()) throw std::runtime_error(ErrorLocation);
               }),
               kCallee);
}

TEST(OperationScope, FinishedWorkGivesBackTheCodeBeforeItEvenWhenItRunsDuringAnUnwinding) {
  EnterOperation(kCaller);
  Callee(false);
  EXPECT_STREQ(ErrorLocation, kCaller);
  // A scope opened by a destructor while another failure unwinds (a view
  // refreshed by a guard's end) restores when it finishes, keeping the
  // failed step's code for the report.
  struct RefreshOnExit {
    ~RefreshOnExit() { const OperationScope refresh("refresh"); }
  };
  try {
    const OperationScope operation(kCallee);
    const RefreshOnExit refresh;
    EnterOperation(kCalleeStep);
    throw std::runtime_error("failed");
  } catch (const std::runtime_error&) {
    EXPECT_STREQ(ErrorLocation, kCalleeStep);
  }
}

}  // namespace
}  // namespace zun
