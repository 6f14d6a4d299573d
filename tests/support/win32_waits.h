#pragma once

// Waiting for what can be observed instead of for a fixed time. On the
// test's own thread a wait keeps that thread's windows handling their
// messages (the add-on's modal loops run inside it); on a helper thread that
// owns no windows it polls. A wait that runs out fails the test, saying what
// it waited for.

#include <atomic>
#include <chrono>
#include <functional>
#include <string>

namespace zun::testing {

// Generous: the emulated 32-bit machine is many times slower than a real
// one, and only a failing test spends it.
constexpr int kWaitMilliseconds = 30000;

// Lets this thread's windows handle what is waiting for them.
void Pump();

// Handles this thread's messages until `condition` holds; fails the test
// ("waited ... for <what>") when it does not within the time.
bool WaitUntil(const std::string& what, const std::function<bool()>& condition,
               int timeoutMilliseconds = kWaitMilliseconds);

// Handles this thread's messages until none has come for a moment: what the
// input, posted messages and painting so far set off has run.
void WaitForIdle();

// On a thread without windows: polls `condition` until it holds (true), or
// until the deadline passes or `stop` is set (false).
bool PollUntil(const std::function<bool()>& condition, std::chrono::steady_clock::time_point deadline,
               const std::atomic<bool>* stop = nullptr);

}  // namespace zun::testing
