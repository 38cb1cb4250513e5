#pragma once
// The regular-expression engine: TRegExpr compiles an expression into a program
// of nodes (Program.h) and matches it by backtracking over single-byte text.

#include <array>
#include <bitset>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "regexpr/ErrorCodes.h"
#include "regexpr/Program.h"

class ERegExpr : public std::runtime_error {
 public:
  ERegExpr(const std::string& message, int errorNumber, int errorPosition);
  int ErrorNumber;
  int ErrorPosition;
};

// Bits of the modifier word.
enum : int { ModI = 1, ModR = 2, ModS = 4, ModG = 8, ModM = 16, ModX = 32 };

using TCharSet = std::bitset<256>;
using TCaseSwapper = uint8_t (*)(uint8_t);

// The other-case form of a Windows-1251 letter; any other byte unchanged.
uint8_t SwapCaseByLocale(uint8_t c);

// Engine work that several executions draw on, such as the expressions of one
// search: each Exec charges the steps it took (MatchLimits.h), and one that
// finds the budget spent raises ErrorStepBudgetSpent.
class TStepBudget {
 public:
  explicit TStepBudget(int64_t steps) : Remaining_(steps) {}
  int64_t Remaining() const { return Remaining_; }

 private:
  friend class TRegExpr;
  int64_t Remaining_;
};

class TRegExpr {
 public:
  TRegExpr();
  TRegExpr(const TRegExpr&) = delete;
  TRegExpr& operator=(const TRegExpr&) = delete;

  // Expression and settings.
  void SetExpression(std::string_view text);
  std::string_view Expression() const { return Expression_; }
  void SetModifier(int index, bool on);  // 1..6 = i r s g m x; otherwise ErrorBadModifierIndex
  bool Modifier(int index) const;
  int Modifiers() const { return Modifiers_; }
  void SetLinePairedSeparator(std::string_view text);

  // Compilation on demand and its results.
  bool EnsureProgram();
  std::string_view Program() const { return ProgramBuffer_; }
  bool IsCompiled() const { return IsCompiled_; }
  const TCharSet& FirstChars() const { return FirstChars_; }
  uint8_t StartChar() const { return StartChar_; }
  bool Anchored() const { return Anchored_; }
  std::string_view MustString() const;
  std::string Dump() const;  // one node per line: offset, opcode, next target, operand

  // Execution.
  void SetInputString(std::string_view text);
  bool Exec(std::string_view input);
  bool ExecAt(int offset);  // 1-based
  // Executions charge their steps to budget from now on; none (the default)
  // leaves only the bounds of each execution. The object does not own it.
  void SetStepBudget(TStepBudget* budget) { StepBudget_ = budget; }
  int GroupStart(int n) const;  // 0-based offset into the input, -1 for none
  int GroupEnd(int n) const;

  static std::string ErrorMessage(int code);

 private:
  [[noreturn]] void RaiseError(regexpr::TErrorCode code) const;
  int ParseOffset() const;
  void DiscardProgram();
  void ForgetProgramFacts();
  void CompileExpression();

  // ---- settings and expression (RegExpr.cpp)
  std::string Expression_;
  bool HasExpression_ = false;
  int Modifiers_ = ModI | ModR | ModS | ModG;
  std::string SpaceCharacters_ = std::string(" \t\n\r\f");
  std::string WordCharacters_ = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
  const std::string LineBreakChars_ = "\r\n";
  bool PairAssigned_ = false;
  uint8_t PairHead_ = 0;
  uint8_t PairTail_ = 0;
  TCaseSwapper CaseSwapper_ = SwapCaseByLocale;

  // ---- compiler (Compiler.cpp): program and search aids
  std::string ProgramBuffer_;  // empty when there is no program
  int ProgramModifiers_ = 0;
  bool IsCompiled_ = false;
  TCharSet FirstChars_;
  uint8_t StartChar_ = 0;
  bool Anchored_ = false;
  int MustOffset_ = 0;  // into ProgramBuffer_
  int MustLength_ = 0;
  // compilation state
  const char* ParseCursor_ = nullptr;
  const char* ExpressionStart_ = nullptr;
  const char* ExpressionEnd_ = nullptr;
  int NextGroup_ = 0;
  int ProgramSize_ = 0;
  uint8_t* EmitCursor_ = nullptr;
  bool Sizing_ = false;
  int ParseModifiers_ = 0;
  void CompileProgram(std::string_view text);
  void RunPass(std::string_view text, bool sizing, int& flags);
  // parser (CompilerParse.cpp)
  uint8_t Peek(int ahead = 0) const;
  void Step();
  uint8_t* ParseReg(bool inGroup, int& flags);
  uint8_t* ParseSequence(int& flags);
  uint8_t* ParseQuantified(int& flags);
  uint8_t* ParseBraces(uint8_t* atom, int atomFlags, bool lazy, int& flags);
  uint8_t* ParseAtom(int& flags);
  uint8_t* ParseEscape(int& flags);
  uint8_t* ParseModifierGroup();
  uint8_t* ParseComment();
  uint8_t* ParseBlanks();
  uint8_t* ParseLiteralRun(int& flags);
  int32_t ParseCount(const char* first, const char* last);
  uint8_t DecodeEscape();
  uint8_t HexDigitValue(uint8_t c);
  // emission (CompilerEmit.cpp)
  uint8_t* AppendNode(uint8_t opcode);
  void AppendByte(uint8_t b);
  void AppendInt32(int32_t v);
  void InsertBefore(uint8_t opcode, uint8_t* operand, int size);
  void LinkChainEnd(uint8_t* node, uint8_t* target);
  void LinkOperandEnd(uint8_t* node, uint8_t* target);
  void EmitSimpleRepeat(uint8_t* atom, int32_t min, int32_t max, bool lazy);
  void EmitLoop(uint8_t* atom, int32_t min, int32_t max, bool lazy);
  void EmitStar(uint8_t* atom, bool singleChar, bool lazy);
  void EmitPlus(uint8_t* atom, bool singleChar, bool lazy);
  void EmitOptional(uint8_t* atom, bool singleChar, bool lazy);
  uint8_t* ProgramEnd();
  // sets (CompilerSets.cpp)
  std::array<uint8_t, regexpr::BitSetSize> SetBits_{};  // as the program's bit map stores it
  bool SetNoCase_ = false;
  uint8_t* SetStart_ = nullptr;
  int SetStartSize_ = 0;
  uint8_t RangeStart_ = 0;
  bool RangeAllowed_ = false;
  uint8_t* ParseBracket();
  uint8_t* EmitClassSet(bool negated, std::string_view members);
  void ParseBracketRange();
  void ParseBracketEscape();
  uint8_t* BeginSet(bool negated, bool noCase);
  void AddSetChar(uint8_t c);
  void AddSetString(std::string_view s);
  void AddRangeStart(uint8_t c);
  void FinishSet();
  // post-compile analysis (CompilerAnalysis.cpp)
  void FindSearchAids(int flags);
  void CollectFirstChars();
  void AddNodeFirstChars(const uint8_t* node);

  // ---- matcher (Matcher.cpp): execution state
  std::string InputCopy_;
  bool HasInput_ = false;
  const uint8_t* TextBegin_ = nullptr;
  const uint8_t* TextEnd_ = nullptr;
  const uint8_t* Cursor_ = nullptr;
  std::array<const uint8_t*, regexpr::MaxGroups> GroupStart_{};
  std::array<const uint8_t*, regexpr::MaxGroups> GroupEnd_{};
  std::array<int32_t, regexpr::MaxLoopLevel + 1> LoopCounts_{};  // [1..10]
  int32_t LoopLevel_ = 0;
  TCharSet SeparatorSet_;
  bool TryMatchAt(const uint8_t* start);
  bool MatchPrim(const uint8_t* node);
  int32_t RegRepeat(const uint8_t* operand, int32_t max);
  // Guards against runaway matching: nesting of MatchPrim, and steps per Exec
  // (StepCount.cpp). Steps count down to the next checkpoint, where the limit
  // is enforced or the memo considered.
  int MatchDepth_ = 0;
  int64_t CheckpointAt_ = 0;  // the step count of the next checkpoint
  int64_t StepsLeft_ = 0;     // steps before it; below 0 once it is passed
  int64_t StepLimit_ = 0;     // more steps raise StepLimitError_
  regexpr::TErrorCode StepLimitError_ = regexpr::NoError;
  TStepBudget* StepBudget_ = nullptr;
  int64_t MatchSteps() const { return CheckpointAt_ - StepsLeft_; }
  void StartStepCount();
  void LimitToStepBudget();
  void MoveCheckpoint(int64_t at);
  void EndStepCount();  // charges the budget
  void VisitNode() {
    if (--StepsLeft_ < 0) [[unlikely]]
      PassStepCheckpoint();
  }
  // Characters counted by a repetition's scan, and characters compared one by
  // one with a literal or a captured text, which cost several times as much.
  void CountScanned(int64_t count) { StepsLeft_ -= count >> 3; }
  void CountCompared(int64_t count) { StepsLeft_ -= count >> 1; }
  [[gnu::cold]] void PassStepCheckpoint();
  // The failure memo (FailureMemo.cpp): where matching from a choice or a
  // simple repetition has failed at a position in this execution, so that
  // the next attempt there fails at once.
  enum class TMemoState : uint8_t { Unknown, Unsuitable, Suitable };
  TMemoState MemoState_ = TMemoState::Unknown;  // of the program in use
  int64_t MemoThreshold_;                       // steps of one execution before the memo is considered
  bool MemoActive_ = false;                     // in the current or last execution
  bool MemoSaved_ = false;                      // a failure was found remembered in this execution
  bool MemoAtOnce_ = false;                     // from the first step of the next execution
  std::vector<int32_t> MemoRows_;               // by program byte: the node's row, or -1
  int32_t MemoRowCount_ = 0;
  std::vector<uint32_t> MemoFailed_;  // row * stride + position: the execution that saw a failure
  uint32_t MemoExecution_ = 0;
  int64_t MemoStride_ = 0;
  bool AnalyseMemo();
  bool StartMemo();
  int64_t MemoSlot(const uint8_t* node) const {
    if (!MemoActive_) return -1;
    const int32_t row = MemoRows_[static_cast<size_t>(node - ProgramFirst_) + regexpr::FirstNodeOffset];
    return row < 0 ? -1 : row * MemoStride_ + (Cursor_ - TextBegin_);
  }
  bool KnownToFail(int64_t slot) {
    if (slot < 0 || MemoFailed_[static_cast<size_t>(slot)] != MemoExecution_) return false;
    MemoSaved_ = true;
    return true;
  }
  void RememberFailure(int64_t slot) {
    if (slot >= 0) MemoFailed_[static_cast<size_t>(slot)] = MemoExecution_;
  }
  // Each visit of a loop's jump-back on the current path, so that an iteration
  // that consumed nothing can be refused instead of repeating for ever.
  struct TJumpMark {
    const uint8_t* Node;
    const uint8_t* Cursor;
    const TJumpMark* Previous;
  };
  const TJumpMark* JumpMarks_ = nullptr;
  using TLoopState = std::array<int32_t, regexpr::MaxLoopLevel + 1>;
  friend class TMatchFrame;
  friend class TProgramProbe;  // tests run hand-assembled programs through it
  bool GroupsClear_ = true;
  int GroupsReached_ = regexpr::MaxGroups;  // entries at or above it are clear
  void ClearGroups();
  void ResetMatchState();
  bool SearchFrom(const uint8_t* start);
  bool StartScanReady_ = false;  // the two fields below follow the program in use
  std::array<bool, 256> StartTable_{};
  uint8_t SoleStart_ = 0;
  void PrepareStartScan();
  bool ContainsMustString(const uint8_t* from) const;
  const uint8_t* ProgramFirst_ = nullptr;  // the first node and the end of the program in use
  const uint8_t* ProgramEnd_ = nullptr;
  const uint8_t* CheckedNode(const uint8_t* node) const;
  bool MayMatchEmpty(const uint8_t* node, int& visits) const;
  bool EmptyMatchKnown_ = false;  // EmptyMatchPossible_ holds for the program in use
  bool EmptyMatchPossible_ = true;
  bool ProgramMayMatchEmpty();
  bool MatchSingle(const uint8_t* node);
  bool PassLiteral(const uint8_t* node, const uint8_t* stop, const uint8_t* at);
  bool MatchLineStart() const;
  bool MatchLineEnd() const;
  bool IsWordChar(uint8_t c) const;
  bool AtWordBoundary() const;
  int CapturedLength(int group) const;
  bool MatchBackRef(const uint8_t* node);
  bool MatchChoice(const uint8_t* alternative);
  bool MatchGroupBoundary(const uint8_t* node, const uint8_t* next);
  bool RepeatsEmptyIteration(const uint8_t* jumpBack) const;
  bool MatchSimpleRepeat(const uint8_t* node, const uint8_t* next);
  bool TryRepeatAttempts(const uint8_t* node, const uint8_t* next);
  struct TLookAhead {
    bool Known;
    uint8_t Char;
    uint8_t Swapped;
  };
  bool AttemptAfterRepeat(const uint8_t* next, TLookAhead lookAhead);
  int32_t RepeatBackRef(const uint8_t* operand, int32_t max);
  bool RepeatsCapture(const uint8_t* captured, int length, bool noCase) const;
  bool MatchLoopEntry(const uint8_t* next);
  bool MatchLoop(const uint8_t* node, const uint8_t* next);
  bool IterateLoop(const uint8_t* body, int32_t level, int32_t count);
  bool LeaveLoop(const uint8_t* next, int32_t level);
};

// Compiles expression with the default modifiers and reports whether it matches
// anywhere in text. Compile and execution errors pass through as ERegExpr.
bool RegexMatches(std::string_view expression, std::string_view text);
