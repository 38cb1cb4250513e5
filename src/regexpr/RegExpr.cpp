#include "regexpr/RegExpr.h"
#include "regexpr/MatchLimits.h"

using namespace regexpr;

namespace {

int ModifierBit(int index) { return index >= 1 && index <= 6 ? 1 << (index - 1) : 0; }

}  // namespace

TRegExpr::TRegExpr() : MemoThreshold_(MemoAfterSteps) {
  SetLinePairedSeparator("\r\n");
  // The line-break list never changes after creation, so its set is built once
  // here rather than before every execution.
  for (char c : LineBreakChars_) SeparatorSet_.set(static_cast<uint8_t>(c));
}

void TRegExpr::SetExpression(std::string_view text) {
  if (IsCompiled_ && text == std::string_view(Expression_)) return;
  IsCompiled_ = false;
  Expression_.assign(text);
  HasExpression_ = !text.empty();
  DiscardProgram();
}

void TRegExpr::SetModifier(int index, bool on) {
  int bit = ModifierBit(index);
  if (bit == 0) RaiseError(ErrorBadModifierIndex);
  Modifiers_ = on ? (Modifiers_ | bit) : (Modifiers_ & ~bit);
}

bool TRegExpr::Modifier(int index) const {
  int bit = ModifierBit(index);
  if (bit == 0) RaiseError(ErrorBadModifierIndex);
  return (Modifiers_ & bit) != 0;
}

void TRegExpr::SetLinePairedSeparator(std::string_view text) {
  if (text.size() == 2) {
    auto head = static_cast<uint8_t>(text[0]);
    auto tail = static_cast<uint8_t>(text[1]);
    if (head == tail) RaiseError(ErrorBadPairedSeparator);
    if (PairAssigned_ && head == PairHead_ && tail == PairTail_) return;
    PairAssigned_ = true;
    PairHead_ = head;
    PairTail_ = tail;
    DiscardProgram();
  } else if (text.empty()) {
    if (!PairAssigned_) return;
    PairAssigned_ = false;
    DiscardProgram();
  } else {
    RaiseError(ErrorBadPairedSeparator);
  }
}

bool TRegExpr::EnsureProgram() {
  if (Modifiers_ != ProgramModifiers_) DiscardProgram();
  if (ProgramBuffer_.empty()) CompileExpression();
  if (ProgramBuffer_.empty()) return false;
  if (static_cast<uint8_t>(ProgramBuffer_[0]) != ProgramSignature) RaiseError(ErrorCorruptedProgram);
  return true;
}

void TRegExpr::DiscardProgram() {
  ProgramBuffer_.clear();
  MustLength_ = 0;
  ForgetProgramFacts();
}

// What was worked out about the program in use, found again when next needed.
void TRegExpr::ForgetProgramFacts() {
  StartScanReady_ = false;
  EmptyMatchKnown_ = false;
  MemoState_ = TMemoState::Unknown;
  MemoActive_ = false;
  MemoAtOnce_ = false;
}

void TRegExpr::CompileExpression() {
  if (!HasExpression_) RaiseError(ErrorNoExpression);
  CompileProgram(Expression_);
}

std::string_view TRegExpr::MustString() const {
  if (MustLength_ == 0 || ProgramBuffer_.empty()) return {};
  return std::string_view(ProgramBuffer_).substr(MustOffset_, MustLength_);
}
