#include <bit>
#include <cstddef>
#include <cstring>
#include <vector>

#include "regexpr/Compiler.h"
#include "regexpr/CompilerFlags.h"

namespace regexpr {

namespace {

// Bit maps are read a 64-bit word at a time: byte k holds characters 8k..8k+7.
static_assert(std::endian::native == std::endian::little);

// Walk marks per program byte.
enum : uint8_t { markWalked = 1, markLoopExit = 2 };

}  // namespace

void TCompiler::FindSearchAids(int flags) {
  CollectFirstChars();
  Aids_.StartChar = 0;
  Aids_.Anchored = false;
  Aids_.MustOffset = 0;
  Aids_.MustLength = 0;
  const auto* base = reinterpret_cast<const uint8_t*>(ProgramBuffer_.data());
  const uint8_t* end = base + ProgramBuffer_.size();
  const uint8_t* top = NextNode(base + FirstNodeOffset);
  if (top == nullptr || top[0] != opEnd) return;
  const uint8_t* first = Operand(base + FirstNodeOffset);
  if (first[0] == opLiteral) Aids_.StartChar = Operand(first)[0];
  else if (first[0] == opInputStart) Aids_.Anchored = true;
  if ((flags & flagStartsRepeat) == 0) return;
  for (const uint8_t* node = first; node != nullptr && node > base && node < end; node = NextNode(node)) {
    if (node[0] != opLiteral) continue;
    const uint8_t* text = Operand(node);
    const auto* terminator = static_cast<const uint8_t*>(std::memchr(text, 0, static_cast<size_t>(end - text)));
    const int length = terminator == nullptr ? 0 : static_cast<int>(terminator - text);
    if (length > 0 && length >= Aids_.MustLength) {
      Aids_.MustOffset = static_cast<int>(text - base);
      Aids_.MustLength = length;
    }
  }
}

// A walk over everything that can be reached without consuming a character.
// Each node is walked once, so the work is linear and the walk always ends;
// an explicit list of pending walks keeps the stack flat whatever the nesting.
// Reaching a loop node a second time means its body can be passed empty, so
// the walk then goes on after the loop as well.
void TCompiler::CollectFirstChars() {
  Aids_.FirstChars.reset();
  const auto* base = reinterpret_cast<const uint8_t*>(ProgramBuffer_.data());
  const auto size = static_cast<std::ptrdiff_t>(ProgramBuffer_.size());
  std::vector<uint8_t> marks(ProgramBuffer_.size(), 0);
  std::vector<const uint8_t*> pending{base + FirstNodeOffset};
  while (!pending.empty()) {
    const uint8_t* node = pending.back();
    pending.pop_back();
    while (node != nullptr) {
      if (node - base < FirstNodeOffset || size - (node - base) < NodeHeaderSize) RaiseError(ErrorCorruptedNode);
      uint8_t& mark = marks[static_cast<size_t>(node - base)];
      if ((mark & markWalked) != 0) {
        if (!IsLoop(node[0]) || (mark & markLoopExit) != 0) break;
        mark |= markLoopExit;
        node = NextNode(node);
        continue;
      }
      mark |= markWalked;
      const uint8_t op = node[0];
      if (IsZeroWidth(op) || op == opJumpBack || op == opLoopEntry) {
        node = NextNode(node);
        continue;
      }
      switch (op) {
        case opEnd: node = nullptr; break;
        case opAlternative: {
          const uint8_t* next = NextNode(node);
          if (next == nullptr || next[0] != opAlternative) {
            node = Operand(node);
            break;
          }
          for (const uint8_t* choice = node; choice != nullptr && choice[0] == opAlternative; choice = NextNode(choice))
            pending.push_back(Operand(choice));
          node = nullptr;
          break;
        }
        case opStar:
        case opStarLazy:
          AddNodeFirstChars(Operand(node));
          node = NextNode(node);
          break;
        case opPlus:
        case opPlusLazy:
          AddNodeFirstChars(Operand(node));
          node = nullptr;
          break;
        case opRepeat:
        case opRepeatLazy:
          AddNodeFirstChars(RepeatedNode(node));
          node = MinCount(node) > 0 ? nullptr : NextNode(node);
          break;
        case opLoop:
        case opLoopLazy:
          pending.push_back(LoopBody(node));
          node = MinCount(node) > 0 ? nullptr : NextNode(node);
          break;
        default: AddNodeFirstChars(node); node = nullptr;
      }
    }
  }
}

// The characters that a node matching one character can match first.
void TCompiler::AddNodeFirstChars(const uint8_t* node) {
  const uint8_t* operand = Operand(node);
  const uint8_t* end = reinterpret_cast<const uint8_t*>(ProgramBuffer_.data()) + ProgramBuffer_.size();
  auto need = [&](int bytes) {
    if (end - operand < bytes) RaiseError(ErrorCorruptedNode);
  };
  switch (node[0]) {
    case opAnyChar:
    case opAnyCharInLine:
    case opBackRef:
    case opBackRefNoCase: Aids_.FirstChars.set(); break;
    case opLiteral:
      need(1);
      Aids_.FirstChars.set(operand[0]);
      break;
    case opLiteralNoCase:
      need(1);
      Aids_.FirstChars.set(operand[0]);
      Aids_.FirstChars.set(Settings_.CaseSwapper(operand[0]));
      break;
    case opDigit:
      for (int c = '0'; c <= '9'; ++c) Aids_.FirstChars.set(static_cast<size_t>(c));
      break;
    case opNonDigit:
      for (int c = 0; c < 256; ++c)
        if (c < '0' || c > '9') Aids_.FirstChars.set(static_cast<size_t>(c));
      break;
    case opSmallSet:
      need(SmallSetSize);
      for (int i = 0; i < SmallSetSize; ++i) Aids_.FirstChars.set(operand[i]);
      break;
    case opNotSmallSet: {
      need(SmallSetSize);
      TCharSet excluded;
      for (int i = 0; i < SmallSetSize; ++i) excluded.set(operand[i]);
      Aids_.FirstChars |= ~excluded;
      break;
    }
    case opBitSet:
      need(BitSetSize);
      for (int word = 0; word < BitSetSize / 8; ++word) {
        uint64_t bits = 0;
        std::memcpy(&bits, operand + 8 * word, sizeof bits);
        Aids_.FirstChars |= TCharSet(bits) << (64 * word);
      }
      break;
    default: RaiseError(ErrorCorruptedNode);
  }
}

}  // namespace regexpr
