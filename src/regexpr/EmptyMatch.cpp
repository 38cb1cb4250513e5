#include "regexpr/CompiledProgram.h"

namespace regexpr {
namespace {

// Past this many nodes the walk gives up and answers "may", which is always safe.
constexpr int MaxNodesVisited = 256;

// A repetition is asked only once ConsumesAtLeastOne has said no, and a
// back-reference's captured text may be empty.
bool MayPassEmpty(uint8_t op) { return IsZeroWidth(op) || IsStar(op) || IsRepeat(op) || IsBackRef(op); }

bool ConsumesAtLeastOne(const uint8_t* node) {
  switch (*node) {
    case opAnyChar:
    case opAnyCharInLine:
    case opDigit:
    case opNonDigit:
    case opSmallSet:
    case opNotSmallSet:
    case opBitSet: return true;
    case opLiteral:
    case opLiteralNoCase: return Operand(node)[0] != 0;
    case opPlus:
    case opPlusLazy: return ConsumesAtLeastOne(Operand(node));
    case opRepeat:
    case opRepeatLazy: return MinCount(node) > 0 && ConsumesAtLeastOne(RepeatedNode(node));
    default: return false;
  }
}

}  // namespace

// Errs towards "yes": loops, jump-backs and anything unexpected count as possibly empty.
bool TProgram::MayMatchEmptyFrom(const uint8_t* node, int& visits) const {
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
        if (MayMatchEmptyFrom(Operand(each), visits)) return true;
      return false;
    }
    if (!MayPassEmpty(op)) return true;
    node = NextNode(node);
  }
  return true;
}

void TProgram::FindWhetherEmptyMatches() const {
  int visits = 0;
  EmptyMatchPossible_ = MayMatchEmptyFrom(FirstNode(), visits);
  EmptyMatchKnown_ = true;
}

}  // namespace regexpr
