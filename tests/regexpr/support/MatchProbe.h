#pragma once
// One-line access to a match and its span for tests.

#include <string>
#include <string_view>

#include "regexpr/RegExpr.h"

struct TSpan {
  int Start = -1;
  int End = -1;
  friend bool operator==(const TSpan&, const TSpan&) = default;
};

// The whole-match span of expression in text, or {-1, -1} when there is none.
TSpan FindSpan(std::string_view expression, std::string_view text);

// The error number that executing expression over text raises, or 0.
int ExecError(std::string_view expression, std::string_view text);
