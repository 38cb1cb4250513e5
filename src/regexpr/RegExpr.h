#pragma once
// The regular-expression engine: TRegExpr holds an expression, its settings and
// modifiers; a TCompiler (Compiler.h) turns it into a TProgram of nodes
// (CompiledProgram.h, Program.h) on demand, and a TMatcher (Matcher.h) runs
// the program by backtracking over single-byte text.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "regexpr/CompiledProgram.h"
#include "regexpr/ErrorCodes.h"
#include "regexpr/Matcher.h"
#include "regexpr/Modifiers.h"
#include "regexpr/Settings.h"
#include "regexpr/StepBudget.h"

class ERegExpr : public std::runtime_error {
 public:
  ERegExpr(const std::string& message, int errorNumber, int errorPosition);
  int ErrorNumber;
  int ErrorPosition;
};

class TRegExpr {
 public:
  TRegExpr();
  TRegExpr(const TRegExpr&) = delete;
  TRegExpr& operator=(const TRegExpr&) = delete;

  // Expression and settings.
  void SetExpression(std::string_view text);
  std::string_view Expression() const { return Expression_; }
  void SetModifier(TModifier modifier, bool on);  // any other value: ErrorBadModifierIndex
  bool Modifier(TModifier modifier) const;
  int Modifiers() const { return Modifiers_.Word(); }
  void SetLinePairedSeparator(std::string_view text);

  // Compilation on demand and its results; without a program they are empty.
  bool EnsureProgram();
  std::string_view Program() const { return Program_ ? Program_->Bytes() : std::string_view(); }
  bool IsCompiled() const { return IsCompiled_; }
  const TCharSet& FirstChars() const;
  uint8_t StartChar() const { return Program_ ? Program_->StartChar() : 0; }
  bool Anchored() const { return Program_ && Program_->Anchored(); }
  std::string_view MustString() const { return Program_ ? Program_->MustString() : std::string_view(); }
  std::string Dump() const;  // one node per line: offset, opcode, next target, operand

  // Execution.
  void SetInputString(std::string_view text) { Matcher_.SetInput(text); }
  bool Exec(std::string_view input);
  bool ExecAt(int offset);  // 1-based
  // Executions charge their steps to budget from now on; none (the default)
  // leaves only the bounds of each execution. The object does not own it.
  void SetStepBudget(TStepBudget* budget) { Matcher_.SetStepBudget(budget); }
  int GroupStart(int n) const { return Matcher_.GroupStart(n); }  // 0-based offset into the input, -1 for none
  int GroupEnd(int n) const { return Matcher_.GroupEnd(n); }

  static std::string ErrorMessage(int code);

 private:
  [[noreturn]] void RaiseError(regexpr::TErrorCode code) const;
  void DiscardProgram();
  void CompileExpression();

  std::string Expression_;
  bool HasExpression_ = false;
  TModifiers Modifiers_ = DefaultModifiers;
  regexpr::TSettings Settings_;
  std::optional<regexpr::TProgram> Program_;
  bool IsCompiled_ = false;
  regexpr::TMatcher Matcher_{Settings_};
  friend class TProgramProbe;  // tests run hand-assembled programs through it
};

// Compiles expression with the default modifiers and reports whether it matches
// anywhere in text. Compile and execution errors pass through as ERegExpr.
bool RegexMatches(std::string_view expression, std::string_view text);
