// Arbitrary (modifiers, expression, input) triples through compilation and
// execution. The first byte selects the modifiers; the rest is the expression,
// then a 0 byte, then the input. Any error that a compiled program should never
// produce is a finding.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "RegExpr.h"

namespace {

bool IsInternalError(int code) {
  return code == 1000 || code == 1001 || code == 1002 || code == 1004 || code == 1015;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int modifiers = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = rest.find('\0');
  const std::string_view expression = rest.substr(0, split);
  const std::string_view input = split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
  TRegExpr regex;
  for (int index = 1; index <= 6; ++index) regex.SetModifier(index, (modifiers >> (index - 1)) & 1);
  regex.SetExpression(expression);
  try {
    regex.Exec(input);
  } catch (const ERegExpr& error) {
    if (IsInternalError(error.ErrorNumber)) std::abort();
  }
  return 0;
}
