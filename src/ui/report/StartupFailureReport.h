#pragma once
// The report of a start-up that failed before any window existed.

#include <cstdint>
#include <string>

inline constexpr int kStartupFailureExitCode = 217;

// "Runtime error 217 at " followed by the address in eight upper-case hex digits.
std::string StartupFailureText(uint32_t address);

// A box captioned "Error", without icon, with OK; returns when it is closed.
void ShowStartupFailureReport(uint32_t address);
