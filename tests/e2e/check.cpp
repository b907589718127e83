// Failing a scenario with a readable message, and polling for a condition.
#include "check.h"

#include "screenshot.h"

#include <windows.h>

#include <cstdio>

void Fail(const std::string& message) {
    SaveFailureScreenshot();
    throw ScenarioFailure(message);
}

void Expect(bool condition, const std::string& message) {
    if (!condition) {
        Fail(message);
    }
}

std::string Visible(std::string_view bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32 || c >= 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void ExpectBytes(std::string_view actual, std::string_view expected, const std::string& what) {
    if (actual != expected) {
        Fail(what + ":\n  expected " + Visible(expected) + "\n  but got  " + Visible(actual));
    }
}

void ExpectNumber(long long actual, long long expected, const std::string& what) {
    if (actual != expected) {
        Fail(what + ": expected " + std::to_string(expected) + " but got " +
             std::to_string(actual));
    }
}

void ExpectNear(long long actual, long long expected, long long tolerance,
                const std::string& what) {
    if (actual < expected - tolerance || actual > expected + tolerance) {
        Fail(what + ": expected " + std::to_string(expected) + " (within " +
             std::to_string(tolerance) + ") but got " + std::to_string(actual));
    }
}

bool PollUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (condition()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(5);
    }
}

void WaitUntil(const std::function<bool()>& condition, const std::string& what, int timeoutMs) {
    if (!PollUntil(condition, timeoutMs)) {
        Fail("timed out after " + std::to_string(timeoutMs) + " ms waiting for " + what);
    }
}
