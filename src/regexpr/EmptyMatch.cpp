#include "RegExpr.h"

using namespace regexpr;

namespace {

// Past this many nodes the walk gives up and answers "may", which is always safe.
constexpr int MaxNodesVisited = 256;

bool IsZeroWidth(uint8_t op) {
  switch (op) {
    case opInputStart:
    case opInputEnd:
    case opEmpty:
    case opNoOp:
    case opStar:
    case opStarLazy:
    case opRepeat:  // reached only when the minimum may be met without a character
    case opRepeatLazy:
    case opLineStart:
    case opLineEnd:
    case opWordBoundary:
    case opNotWordBoundary:
    case opBackRef:  // the captured text may be empty
    case opBackRefNoCase:
      return true;
    default:
      return (op > opGroupOpen && op < opGroupOpen + MaxGroups) || (op > opGroupClose && op < opGroupClose + MaxGroups);
  }
}

bool ConsumesAtLeastOne(const uint8_t* node) {
  switch (*node) {
    case opAnyChar:
    case opAnyCharInLine:
    case opDigit:
    case opNonDigit:
    case opSmallSet:
    case opNotSmallSet:
    case opBitSet:
      return true;
    case opLiteral:
    case opLiteralNoCase:
      return Operand(node)[0] != 0;
    case opPlus:
    case opPlusLazy:
      return ConsumesAtLeastOne(Operand(node));
    case opRepeat:
    case opRepeatLazy:
      return ReadInt32(Operand(node)) > 0 && ConsumesAtLeastOne(node + RepeatHeaderSize);
    default:
      return false;
  }
}

}  // namespace

// Whether a match from node could consume nothing. Errs towards "yes": loops,
// jump-backs and anything unexpected count as possibly empty.
bool TRegExpr::MayMatchEmpty(const uint8_t* node, int& visits) const {
  while (node != nullptr && ++visits <= MaxNodesVisited) {
    node = CheckedNode(node);
    const uint8_t op = *node;
    if (op == opEnd) return true;
    if (ConsumesAtLeastOne(node)) return false;
    if (op == opAlternative) {
      const uint8_t* next = NextNode(node);
      if (next == nullptr || *CheckedNode(next) != opAlternative) {
        node = Operand(node);
        continue;
      }
      for (const uint8_t* each = node; each != nullptr && *CheckedNode(each) == opAlternative; each = NextNode(each))
        if (MayMatchEmpty(Operand(each), visits)) return true;
      return false;
    }
    if (!IsZeroWidth(op)) return true;
    node = NextNode(node);
  }
  return true;
}

// The answer holds for as long as the program stays the same.
bool TRegExpr::ProgramMayMatchEmpty() {
  if (!EmptyMatchKnown_) {
    int visits = 0;
    EmptyMatchPossible_ = MayMatchEmpty(ProgramFirst_, visits);
    EmptyMatchKnown_ = true;
  }
  return EmptyMatchPossible_;
}
