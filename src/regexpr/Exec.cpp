#include <cstring>

#include "regexpr/MatchLimits.h"
#include "regexpr/Matcher.h"
#include "regexpr/Raise.h"
#include "regexpr/RegExpr.h"

// Beside the matcher, so that its entry points inline into the object's.
bool TRegExpr::Exec(std::string_view input) {
  SetInputString(input);
  return ExecAt(1);
}

bool TRegExpr::ExecAt(int offset) {
  if (!EnsureProgram()) return false;
  return Matcher_.ExecAt(*Program_, offset);
}

namespace regexpr {

TMatcher::TMatcher(const TSettings& settings) : Settings_(settings), MemoThreshold_(MemoAfterSteps) {}

void TMatcher::SetInput(std::string_view text) {
  ClearGroups();
  // A NUL ends the text. The copy keeps its capacity, so inputs of a length
  // already seen cost no allocation.
  const void* nul =
      text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());  // an empty view may hold no pointer
  InputCopy_.assign(text.data(), nul == nullptr ? text.size() : static_cast<const char*>(nul) - text.data());
  HasInput_ = true;
}

void TMatcher::ForgetProgram() {
  Dispatches_ = nullptr;
  MemoActive_ = false;
  MemoAtOnce_ = false;
}

bool TMatcher::ExecAt(const TProgram& program, int offset) {
  if (!HasInput_) Raise(ErrorNoInput);
  const auto* begin = reinterpret_cast<const uint8_t*>(InputCopy_.c_str());
  const auto length = static_cast<int64_t>(InputCopy_.size());
  if (offset < 1) Raise(ErrorBadOffset);
  // Cleared first, so that a search refused without any attempt leaves no match
  // of an earlier ExecAt behind.
  ResetMatchState();
  if (offset > length + 1) return false;
  const uint8_t* start = begin + (offset - 1);
  Program_ = &program;
  // Built before any input can be refused, so that the first execution pays for it.
  Dispatches_ = DispatchOn_ ? &program.ChoiceDispatches(Settings_.CaseSwapper) : nullptr;
  if (Dispatches_ != nullptr && Dispatches_->Empty()) Dispatches_ = nullptr;  // no choice asks then
  TextBegin_ = begin;
  TextEnd_ = begin + length;
  if (program.HasMustString() && !ContainsMustString(start)) return false;
  ProgramFirst_ = program.FirstNode();
  ProgramEnd_ = program.End();
  StartStepCount();
  bool found = false;
  try {
    found = SearchFrom(start);
  } catch (...) {
    EndStepCount();
    throw;
  }
  EndStepCount();
  return found;
}

// Whether the required literal occurs anywhere from `from` on.
bool TMatcher::ContainsMustString(const uint8_t* from) const {
  const std::string_view rest(reinterpret_cast<const char*>(from), static_cast<size_t>(TextEnd_ - from));
  return rest.find(Program_->MustString()) != std::string_view::npos;
}

// A failed attempt puts back every group entry that it wrote, so the entries
// stay clear from one attempt to the next and need clearing only after a match
// or an error, and then only as far as a group was reached.
void TMatcher::ClearGroups() {
  GroupStart_[0] = nullptr;
  GroupEnd_[0] = nullptr;
  for (int n = 1; n < GroupsReached_; ++n) {
    GroupStart_[n] = nullptr;
    GroupEnd_[n] = nullptr;
  }
  GroupsReached_ = 1;
  GroupsClear_ = true;
}

void TMatcher::ResetMatchState() {
  if (!GroupsClear_) ClearGroups();
  GroupsClear_ = false;
  LoopLevel_ = 0;
  MatchDepth_ = 0;
  JumpMarks_ = nullptr;
  WalkedDispatch_ = nullptr;  // the input is another
}

// Start positions from left to right, only where a match can begin; the end of
// the input is tried only by an anchored expression.
bool TMatcher::SearchFrom(const uint8_t* start) {
  const TStartScan& scan = Program_->StartScan();
  if (Program_->Anchored()) {
    // An anchored match consumes its first character, which must then be one
    // of FirstChars, or consumes nothing at all. Asked first, so that the
    // answer is stored while the program is new.
    const bool mayMatchEmpty = Program_->MayMatchEmpty();
    if (start < TextEnd_ && !scan.Table[*start] && !mayMatchEmpty) return false;
    return TryMatchAt(start);
  }
  const TChoiceDispatch* leading = Dispatches_ != nullptr ? Dispatches_->Leading() : nullptr;
  const uint8_t sole = Program_->StartChar() != 0 ? Program_->StartChar() : scan.SoleStart;
  if (sole != 0) {
    for (const uint8_t* p = start; p < TextEnd_; ++p) {
      p = static_cast<const uint8_t*>(std::memchr(p, sole, static_cast<size_t>(TextEnd_ - p)));
      if (p == nullptr) return false;
      if (MayStartAt(leading, p) && TryMatchAt(p)) return true;
    }
    return false;
  }
  for (const uint8_t* p = start; p < TextEnd_; ++p)
    if (scan.Table[*p] && MayStartAt(leading, p) && TryMatchAt(p)) return true;
  return false;
}

// A match that begins with a choice of literals begins where one of them
// stands; the walk that finds none is charged as compared characters.
inline bool TMatcher::MayStartAt(const TChoiceDispatch* leading, const uint8_t* at) {
  if (leading == nullptr) return true;
  const TChoiceDispatch::TCandidates candidates = CandidatesAt(*leading, at);
  if (StepsLeft_ < 0) [[unlikely]]
    PassStepCheckpoint();
  return candidates.Begin != candidates.End;
}

bool TMatcher::TryMatchAt(const uint8_t* start) {
  Cursor_ = start;
  if (!MatchPrim(ProgramFirst_)) return false;
  GroupStart_[0] = start;
  GroupEnd_[0] = Cursor_;
  return true;
}

int TMatcher::GroupStart(int n) const {
  if (n < 0 || n >= MaxGroups || GroupStart_[n] == nullptr) return -1;
  return static_cast<int>(GroupStart_[n] - reinterpret_cast<const uint8_t*>(InputCopy_.data()));
}

int TMatcher::GroupEnd(int n) const {
  if (n < 0 || n >= MaxGroups || GroupEnd_[n] == nullptr) return -1;
  return static_cast<int>(GroupEnd_[n] - reinterpret_cast<const uint8_t*>(InputCopy_.data()));
}

}  // namespace regexpr
