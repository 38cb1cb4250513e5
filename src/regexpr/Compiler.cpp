#include "regexpr/CompilerFlags.h"
#include "regexpr/RegExpr.h"

using namespace regexpr;

namespace {

// The compilation-only pointers must not outlive CompileProgram, whichever way it is left.
class TParseScope {
 public:
  TParseScope(const char*& start, const char*& cursor) : start_(start), cursor_(cursor) {}
  ~TParseScope() {
    start_ = nullptr;
    cursor_ = nullptr;
  }
  TParseScope(const TParseScope&) = delete;
  TParseScope& operator=(const TParseScope&) = delete;

 private:
  const char*& start_;
  const char*& cursor_;
};

}  // namespace

void TRegExpr::CompileProgram(std::string_view text) {
  TParseScope scope(ExpressionStart_, ParseCursor_);
  ParseCursor_ = nullptr;
  ExpressionStart_ = text.data();
  ProgramBuffer_.clear();
  ForgetProgramFacts();
  IsCompiled_ = false;
  if (text.data() == nullptr) RaiseError(ErrorNullArgument);
  // The expression ends at its first NUL, as a NUL-terminated copy would.
  text = text.substr(0, text.find('\0'));
  ProgramModifiers_ = Modifiers_;
  try {
    int flags = 0;
    RunPass(text, true, flags);
    ProgramBuffer_.assign(static_cast<size_t>(ProgramSize_), '\0');
    RunPass(text, false, flags);
    if (EmitCursor_ != ProgramEnd()) RaiseError(ErrorInternal);
    FindSearchAids(flags);
  } catch (...) {
    ProgramBuffer_.clear();
    MustLength_ = 0;
    throw;
  }
  IsCompiled_ = true;
}

void TRegExpr::RunPass(std::string_view text, bool sizing, int& flags) {
  ParseModifiers_ = Modifiers_;
  ParseCursor_ = text.data();
  ExpressionEnd_ = text.data() + text.size();
  NextGroup_ = 1;
  Sizing_ = sizing;
  ProgramSize_ = 0;
  EmitCursor_ = sizing ? nullptr : reinterpret_cast<uint8_t*>(ProgramBuffer_.data());
  AppendByte(ProgramSignature);
  ParseReg(false, flags);
}
