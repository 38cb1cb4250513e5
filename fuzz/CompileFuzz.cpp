// Compiles arbitrary expression bytes. The first byte picks the modifier word,
// so every dialect is reached; the rest is the expression, NUL bytes included.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "RegExpr.h"

namespace {

constexpr int ModifierCount = 6;

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  TRegExpr r;
  for (int index = 1; index <= ModifierCount; ++index) r.SetModifier(index, (data[0] >> (index - 1)) & 1);
  r.SetExpression(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  try {
    Require(r.EnsureProgram());
    Require(r.IsCompiled());
    Require(static_cast<uint8_t>(r.Program()[0]) == regexpr::ProgramSignature);
    Require(r.MustString().size() < r.Program().size());
    Require(!r.Dump().empty());
  } catch (const ERegExpr& e) {
    Require(!r.IsCompiled() && r.Program().empty());
    const bool compileError = e.ErrorNumber >= 102 && e.ErrorNumber <= 127;
    Require(compileError || e.ErrorNumber == 1003);
    // No expression text may reach the parser's internal-consistency errors.
    Require(e.ErrorNumber != 105 && e.ErrorNumber != 114 && e.ErrorNumber != 119);
    Require(e.ErrorPosition >= 0 && static_cast<size_t>(e.ErrorPosition) < size);
  }
  return 0;
}
