#include "regexpr/RegExpr.h"

#include "regexpr/Compiler.h"
#include "regexpr/Raise.h"

using namespace regexpr;

TRegExpr::TRegExpr() { SetLinePairedSeparator("\r\n"); }

void TRegExpr::SetExpression(std::string_view text) {
  if (IsCompiled_ && text == std::string_view(Expression_)) return;
  IsCompiled_ = false;
  Expression_.assign(text);
  HasExpression_ = !text.empty();
  DiscardProgram();
}

void TRegExpr::SetModifier(TModifier modifier, bool on) {
  if (!IsModifier(modifier)) RaiseError(ErrorBadModifierIndex);
  Modifiers_ = Modifiers_.With(modifier, on);
}

bool TRegExpr::Modifier(TModifier modifier) const {
  if (!IsModifier(modifier)) RaiseError(ErrorBadModifierIndex);
  return Modifiers_.Has(modifier);
}

void TRegExpr::SetLinePairedSeparator(std::string_view text) {
  if (text.size() == 2) {
    auto head = static_cast<uint8_t>(text[0]);
    auto tail = static_cast<uint8_t>(text[1]);
    if (head == tail) RaiseError(ErrorBadPairedSeparator);
    if (Settings_.PairAssigned && head == Settings_.PairHead && tail == Settings_.PairTail) return;
    Settings_.PairAssigned = true;
    Settings_.PairHead = head;
    Settings_.PairTail = tail;
    DiscardProgram();
  } else if (text.empty()) {
    if (!Settings_.PairAssigned) return;
    Settings_.PairAssigned = false;
    DiscardProgram();
  } else {
    RaiseError(ErrorBadPairedSeparator);
  }
}

bool TRegExpr::EnsureProgram() {
  if (Program_ && Program_->Modifiers() != Modifiers_) DiscardProgram();
  if (!Program_) CompileExpression();
  if (!Program_) return false;
  if (static_cast<uint8_t>(Program_->Bytes()[0]) != ProgramSignature) RaiseError(ErrorCorruptedProgram);
  return true;
}

void TRegExpr::DiscardProgram() {
  Program_.reset();
  Matcher_.ForgetProgram();
}

void TRegExpr::CompileExpression() {
  if (!HasExpression_) RaiseError(ErrorNoExpression);
  IsCompiled_ = false;
  Program_.emplace(TCompiler(Settings_, Modifiers_).Compile(Expression_));
  IsCompiled_ = true;
}

const TCharSet& TRegExpr::FirstChars() const {
  static const TCharSet None;
  return Program_ ? Program_->FirstChars() : None;
}

void TRegExpr::RaiseError(TErrorCode code) const { Raise(code); }

bool RegexMatches(std::string_view expression, std::string_view text) {
  TRegExpr regex;
  regex.SetExpression(expression);
  return regex.Exec(text);
}
