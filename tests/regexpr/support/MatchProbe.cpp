#include "tests/regexpr/support/MatchProbe.h"

#include <ostream>

TSpan FindSpan(std::string_view expression, std::string_view text) {
  TRegExpr regex;
  regex.SetExpression(expression);
  if (!regex.Exec(text)) return {};
  return {regex.GroupStart(0), regex.GroupEnd(0)};
}

int ExecError(std::string_view expression, std::string_view text) {
  try {
    RegexMatches(expression, text);
  } catch (const ERegExpr& error) {
    return error.ErrorNumber;
  }
  return 0;
}
