#pragma once
// The data tool's tab-separated lines: number, subscriber, city, street, house,
// corpus, flat, in UTF-8. A field escapes its backslash, tab, line feed, carriage
// return and NUL as \\ \t \n \r \0, so that any directory text fits on one line.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/TsvLine.h"  // EscapeField, the other half of UnescapeField

// Bad input; the message names the line.
class ETsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// nullopt for a backslash not followed by one of \ t n r 0.
std::optional<std::string> UnescapeField(std::string_view field);
std::vector<std::string_view> SplitFields(std::string_view line);
