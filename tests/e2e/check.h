// How a scenario says what it expected: a failed check ends the scenario with a message.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

struct ScenarioFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& message);
void Expect(bool condition, const std::string& message);
// Compares byte strings; the message shows both with control bytes made visible.
void ExpectBytes(std::string_view actual, std::string_view expected, const std::string& what);
void ExpectNumber(long long actual, long long expected, const std::string& what);
void ExpectNear(long long actual, long long expected, long long tolerance, const std::string& what);

// Bytes as a quoted C-like literal: "a\r\n\x1a".
std::string Visible(std::string_view bytes);

// Polls until the condition holds; fails with the message after the timeout.
void WaitUntil(const std::function<bool()>& condition, const std::string& what,
               int timeoutMs = 5000);
// Same, but reports whether it held instead of failing.
bool PollUntil(const std::function<bool()>& condition, int timeoutMs);
