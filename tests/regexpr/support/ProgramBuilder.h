#pragma once
// Hand-assembled programs, for matcher behaviour that no expression reaches.

#include <cstdint>
#include <string>
#include <string_view>

#include "regexpr/RegExpr.h"

class TProgramBuilder {
 public:
  TProgramBuilder();
  // Appends a node header with no next node; returns the node's offset.
  int Node(uint8_t opcode);
  TProgramBuilder& Byte(uint8_t value);
  TProgramBuilder& Int32(int32_t value);
  TProgramBuilder& Text(std::string_view text);  // the bytes, then a 0 byte
  void Link(int from, int to);                   // next of node `from` leads to `to`
  void LinkRaw(int from, int32_t offset);
  int Size() const { return static_cast<int>(Bytes_.size()); }
  const std::string& Bytes() const { return Bytes_; }

 private:
  std::string Bytes_;
};

// Installs a program into an expression object as if it had been compiled from
// its expression, with every character permitted as a match start; looks
// into the object's failure memo and switches off the choices' dispatch.
class TProgramProbe {
 public:
  static void Install(TRegExpr& regex, const std::string& program);
  // The failure memo considered from the first step of every execution, so
  // that short inputs exercise it too.
  static void MemoFromFirstStep(TRegExpr& regex);
  // Whether the last execution used the failure memo.
  static bool MemoUsed(const TRegExpr& regex);
  // Every alternative of every choice tried in turn, as before the dispatch.
  static void WithoutChoiceDispatch(TRegExpr& regex);
};
