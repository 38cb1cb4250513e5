#pragma once
// Turns an expression into a program. A compiler lives for one compilation:
// its cursors and the sizing pass's count go with it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "regexpr/CompiledProgram.h"
#include "regexpr/ErrorCodes.h"
#include "regexpr/Modifiers.h"
#include "regexpr/Program.h"
#include "regexpr/Settings.h"

namespace regexpr {

class TCompiler {
 public:
  // settings must outlive the compiler.
  TCompiler(const TSettings& settings, TModifiers modifiers);
  TCompiler(const TCompiler&) = delete;
  TCompiler& operator=(const TCompiler&) = delete;

  // Raises the compile errors, their position the characters parsed so far.
  // The expression ends at its first NUL.
  TProgram Compile(std::string_view text);

 private:
  [[noreturn]] void RaiseError(TErrorCode code) const;
  int ParseOffset() const;

  const TSettings& Settings_;
  const TModifiers Modifiers_;
  std::string ProgramBuffer_;
  TSearchAids Aids_;
  const char* ParseCursor_ = nullptr;
  const char* ExpressionStart_ = nullptr;
  const char* ExpressionEnd_ = nullptr;
  int NextGroup_ = 0;
  int ProgramSize_ = 0;
  uint8_t* EmitCursor_ = nullptr;
  bool Sizing_ = false;
  TModifiers ParseModifiers_;
  void RunPass(std::string_view text, bool sizing, int& flags);

  // ---- parser (CompilerParse.cpp)
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

  // ---- emission (CompilerEmit.cpp)
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

  // ---- sets (CompilerSets.cpp)
  std::array<uint8_t, BitSetSize> SetBits_{};  // as the program's bit map stores it
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

  // ---- analysis of the finished program (CompilerAnalysis.cpp)
  void FindSearchAids(int flags);
  void CollectFirstChars();
  void AddNodeFirstChars(const uint8_t* node);
};

}  // namespace regexpr
