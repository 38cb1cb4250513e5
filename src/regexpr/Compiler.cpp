#include "regexpr/Compiler.h"

#include <utility>

#include "regexpr/CompilerFlags.h"
#include "regexpr/Raise.h"

namespace regexpr {

TCompiler::TCompiler(const TSettings& settings, TModifiers modifiers) : Settings_(settings), Modifiers_(modifiers) {}

TProgram TCompiler::Compile(std::string_view text) {
  ExpressionStart_ = text.data();
  if (text.data() == nullptr) RaiseError(ErrorNullArgument);
  text = text.substr(0, text.find('\0'));
  int flags = 0;
  RunPass(text, true, flags);
  ProgramBuffer_.assign(static_cast<size_t>(ProgramSize_), '\0');
  RunPass(text, false, flags);
  if (EmitCursor_ != ProgramEnd()) RaiseError(ErrorInternal);
  FindSearchAids(flags);
  return TProgram(std::move(ProgramBuffer_), Modifiers_, Aids_);
}

void TCompiler::RunPass(std::string_view text, bool sizing, int& flags) {
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

int TCompiler::ParseOffset() const {
  if (ParseCursor_ == nullptr || ExpressionStart_ == nullptr) return 0;
  return static_cast<int>(ParseCursor_ - ExpressionStart_);
}

void TCompiler::RaiseError(TErrorCode code) const { Raise(code, ParseOffset()); }

}  // namespace regexpr
