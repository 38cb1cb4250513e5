#include <cstring>

#include "regexpr/RegExpr.h"

using namespace regexpr;

void TRegExpr::SetInputString(std::string_view text) {
  ClearGroups();
  // A NUL ends the text. The copy keeps its capacity, so inputs of a length
  // already seen cost no allocation.
  const void* nul =
      text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());  // an empty view may hold no pointer
  InputCopy_.assign(text.data(), nul == nullptr ? text.size() : static_cast<const char*>(nul) - text.data());
  HasInput_ = true;
}

bool TRegExpr::Exec(std::string_view input) {
  SetInputString(input);
  return ExecAt(1);
}

bool TRegExpr::ExecAt(int offset) {
  if (!EnsureProgram()) return false;
  if (!HasInput_) RaiseError(ErrorNoInput);
  const auto* begin = reinterpret_cast<const uint8_t*>(InputCopy_.c_str());
  const auto length = static_cast<int64_t>(InputCopy_.size());
  if (offset < 1) RaiseError(ErrorBadOffset);
  // Cleared first, so that a search refused without any attempt leaves no match
  // of an earlier ExecAt behind.
  ResetMatchState();
  if (offset > length + 1) return false;
  const uint8_t* start = begin + (offset - 1);
  TextBegin_ = begin;
  TextEnd_ = begin + length;
  if (MustLength_ > 0 && !ContainsMustString(start)) return false;
  ProgramFirst_ = reinterpret_cast<const uint8_t*>(ProgramBuffer_.data()) + FirstNodeOffset;
  ProgramEnd_ = ProgramFirst_ - FirstNodeOffset + ProgramBuffer_.size();
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
bool TRegExpr::ContainsMustString(const uint8_t* from) const {
  const std::string_view rest(reinterpret_cast<const char*>(from), static_cast<size_t>(TextEnd_ - from));
  return rest.find(MustString()) != std::string_view::npos;
}

// A failed attempt puts back every group entry that it wrote, so the entries
// stay clear from one attempt to the next and need clearing only after a match
// or an error, and then only as far as a group was reached.
void TRegExpr::ClearGroups() {
  GroupStart_[0] = nullptr;
  GroupEnd_[0] = nullptr;
  for (int n = 1; n < GroupsReached_; ++n) {
    GroupStart_[n] = nullptr;
    GroupEnd_[n] = nullptr;
  }
  GroupsReached_ = 1;
  GroupsClear_ = true;
}

void TRegExpr::ResetMatchState() {
  if (!GroupsClear_) ClearGroups();
  GroupsClear_ = false;
  LoopLevel_ = 0;
  MatchDepth_ = 0;
  JumpMarks_ = nullptr;
}

// Start positions from left to right, only where a match can begin; the end of
// the input is tried only by an anchored expression.
bool TRegExpr::SearchFrom(const uint8_t* start) {
  PrepareStartScan();
  if (Anchored_) {
    // An anchored match consumes its first character, which must then be one
    // of FirstChars, or consumes nothing at all. Asked first, so that the
    // answer is stored while the program is new.
    const bool mayMatchEmpty = ProgramMayMatchEmpty();
    if (start < TextEnd_ && !StartTable_[*start] && !mayMatchEmpty) return false;
    return TryMatchAt(start);
  }
  const uint8_t sole = StartChar_ != 0 ? StartChar_ : SoleStart_;
  if (sole != 0) {
    for (const uint8_t* p = start; p < TextEnd_; ++p) {
      p = static_cast<const uint8_t*>(std::memchr(p, sole, static_cast<size_t>(TextEnd_ - p)));
      if (p == nullptr) return false;
      if (TryMatchAt(p)) return true;
    }
    return false;
  }
  for (const uint8_t* p = start; p < TextEnd_; ++p)
    if (StartTable_[*p] && TryMatchAt(p)) return true;
  return false;
}

// A byte table tests faster than the bit set, and a set of one character can
// be found with memchr; both are made once per program.
void TRegExpr::PrepareStartScan() {
  if (StartScanReady_) return;
  StartScanReady_ = true;
  for (int c = 0; c < 256; ++c) StartTable_[c] = FirstChars_.test(c);
  SoleStart_ = 0;
  if (FirstChars_.count() == 1)
    for (int c = 1; c < 256; ++c)
      if (FirstChars_.test(c)) SoleStart_ = static_cast<uint8_t>(c);
}

bool TRegExpr::TryMatchAt(const uint8_t* start) {
  Cursor_ = start;
  if (!MatchPrim(ProgramFirst_)) return false;
  GroupStart_[0] = start;
  GroupEnd_[0] = Cursor_;
  return true;
}

int TRegExpr::GroupStart(int n) const {
  if (n < 0 || n >= MaxGroups || GroupStart_[n] == nullptr) return -1;
  return static_cast<int>(GroupStart_[n] - reinterpret_cast<const uint8_t*>(InputCopy_.data()));
}

int TRegExpr::GroupEnd(int n) const {
  if (n < 0 || n >= MaxGroups || GroupEnd_[n] == nullptr) return -1;
  return static_cast<int>(GroupEnd_[n] - reinterpret_cast<const uint8_t*>(InputCopy_.data()));
}

bool RegexMatches(std::string_view expression, std::string_view text) {
  TRegExpr regex;
  regex.SetExpression(expression);
  return regex.Exec(text);
}
