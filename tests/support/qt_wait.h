#pragma once

// Waiting in tests on real events: the Qt event loop runs until a condition holds, and the
// deadline only bounds a failing wait.

#include <functional>

namespace tavo::test {

// Runs the event loop until the condition holds or the time is up; returns the condition.
[[nodiscard]] bool waitUntil(const std::function<bool()>& condition, int deadlineMs = 5000);
// Runs the event loop for the given time.
void spin(int ms);

} // namespace tavo::test
