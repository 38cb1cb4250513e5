#pragma once
// The default error report: what the user sees when a window handler fails.

#include <exception>
#include <string>
#include <string_view>

// The message as the report shows it (Windows-1251): a full stop is appended when
// the message is not empty and its last byte sorts above '.'.
std::string ErrorReportText(std::string_view message);

// A modal box with the application title as caption, the critical icon and OK.
void ShowErrorReport(std::string_view message);
void ShowErrorReport(std::exception_ptr error);

// Runs a handler; any exception it raises ends in the report instead of escaping.
template <typename Handler>
void RunGuarded(Handler&& handler) {
  try {
    handler();
  } catch (...) {
    ShowErrorReport(std::current_exception());
  }
}
