// Compiles arbitrary expression bytes. The first byte picks the modifier word,
// so every dialect is reached; the rest is the expression, NUL bytes included.
// The same object is then switched to the other modifiers: its recompilation must
// give what a fresh object gives, so that nothing of the first program or parse
// leaks into the second.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "regexpr/RegExpr.h"

namespace {

constexpr int ModifierCount = 6;

void Require(bool condition) {
  if (!condition) std::abort();
}

void SetModifiers(TRegExpr& r, int modifiers) {
  for (int index = 1; index <= ModifierCount; ++index)
    r.SetModifier(static_cast<TModifier>(index), (modifiers >> (index - 1)) & 1);
}

// A compilation's program and search aids, or its error and position.
struct TCompiled {
  int Error = 0;
  int Position = 0;
  std::string Program;
  TCharSet FirstChars;
  uint8_t StartChar = 0;
  bool Anchored = false;
  std::string MustString;
  bool operator==(const TCompiled&) const = default;
};

TCompiled Compile(TRegExpr& r, size_t expressionSize) {
  TCompiled compiled;
  try {
    Require(r.EnsureProgram());
    Require(r.IsCompiled());
    Require(static_cast<uint8_t>(r.Program()[0]) == regexpr::ProgramSignature);
    Require(r.MustString().size() < r.Program().size());
    Require(!r.Dump().empty());
    compiled.Program = r.Program();
    compiled.FirstChars = r.FirstChars();
    compiled.StartChar = r.StartChar();
    compiled.Anchored = r.Anchored();
    compiled.MustString = r.MustString();
  } catch (const ERegExpr& e) {
    Require(!r.IsCompiled() && r.Program().empty());
    const bool compileError =
        e.ErrorNumber >= regexpr::ErrorTooManyGroups && e.ErrorNumber <= regexpr::ErrorBadModifier;
    Require(compileError || e.ErrorNumber == regexpr::ErrorNoExpression);
    // No expression text may reach the parser's internal-consistency errors.
    Require(e.ErrorNumber != regexpr::ErrorJunkOnEnd && e.ErrorNumber != regexpr::ErrorInternal &&
            e.ErrorNumber != regexpr::ErrorLiteralDisaster);
    Require(e.ErrorPosition >= 0 && static_cast<size_t>(e.ErrorPosition) <= expressionSize);
    compiled.Error = e.ErrorNumber;
    compiled.Position = e.ErrorPosition;
  }
  return compiled;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view expression(reinterpret_cast<const char*>(data + 1), size - 1);
  TRegExpr r;
  SetModifiers(r, data[0]);
  r.SetExpression(expression);
  Compile(r, expression.size());

  const int other = ~data[0] & 63;
  SetModifiers(r, other);
  TRegExpr fresh;
  SetModifiers(fresh, other);
  fresh.SetExpression(expression);
  Require(Compile(r, expression.size()) == Compile(fresh, expression.size()));
  return 0;
}
