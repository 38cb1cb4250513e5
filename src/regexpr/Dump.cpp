#include <string>
#include <string_view>

#include "regexpr/RegExpr.h"

using namespace regexpr;

namespace {

// The opcode's name in a listing; null for a value that is no opcode.
const char* OpcodeName(uint8_t op) {
  if (IsGroupOpen(op)) return "opGroupOpen";
  if (IsGroupClose(op)) return "opGroupClose";
  switch (op) {
    case opEnd: return "opEnd";
    case opInputStart: return "opInputStart";
    case opInputEnd: return "opInputEnd";
    case opAnyChar: return "opAnyChar";
    case opAlternative: return "opAlternative";
    case opJumpBack: return "opJumpBack";
    case opLiteral: return "opLiteral";
    case opEmpty: return "opEmpty";
    case opStar: return "opStar";
    case opPlus: return "opPlus";
    case opDigit: return "opDigit";
    case opNonDigit: return "opNonDigit";
    case opRepeat: return "opRepeat";
    case opNoOp: return "opNoOp";
    case opLiteralNoCase: return "opLiteralNoCase";
    case opLoopEntry: return "opLoopEntry";
    case opLoop: return "opLoop";
    case opSmallSet: return "opSmallSet";
    case opNotSmallSet: return "opNotSmallSet";
    case opBitSet: return "opBitSet";
    case opBackRef: return "opBackRef";
    case opBackRefNoCase: return "opBackRefNoCase";
    case opStarLazy: return "opStarLazy";
    case opPlusLazy: return "opPlusLazy";
    case opRepeatLazy: return "opRepeatLazy";
    case opLoopLazy: return "opLoopLazy";
    case opLineStart: return "opLineStart";
    case opLineEnd: return "opLineEnd";
    case opAnyCharInLine: return "opAnyCharInLine";
    case opWordBoundary: return "opWordBoundary";
    case opNotWordBoundary: return "opNotWordBoundary";
    default: return nullptr;
  }
}

// Printable ASCII as itself; quotes, backslashes, set punctuation and every
// other byte as \xHH, so that a listing is plain ASCII whatever the program holds.
void AppendChar(std::string& out, uint8_t c) {
  static constexpr char Hex[] = "0123456789ABCDEF";
  if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '-' && c != ']') {
    out += static_cast<char>(c);
    return;
  }
  out += "\\x";
  out += Hex[c >> 4];
  out += Hex[c & 15];
}

void AppendBitSet(std::string& out, const uint8_t* bits) {
  auto member = [bits](int c) { return c < 256 && InBitSet(bits, static_cast<uint8_t>(c)); };
  out += '[';
  for (int c = 0; c < 256; ++c) {
    if (!member(c)) continue;
    int last = c;
    while (member(last + 1)) ++last;
    AppendChar(out, static_cast<uint8_t>(c));
    if (last - c >= 2) out += '-';
    if (last > c) AppendChar(out, static_cast<uint8_t>(last));
    c = last;
  }
  out += ']';
}

// What a listing shows of the operand of a node at offset at, whose operand
// bytes, operandSize of them, all lie inside the program.
void AppendOperand(std::string& out, const uint8_t* node, ptrdiff_t at, ptrdiff_t operandSize) {
  const uint8_t op = node[0];
  const uint8_t* operand = Operand(node);
  if (IsGroupBoundary(op)) {
    out += " " + std::to_string(GroupOf(op));
  } else if (IsLiteral(op) || IsSmallSet(op)) {
    out += " \"";
    const ptrdiff_t textSize = IsSmallSet(op) ? operandSize : operandSize - 1;
    for (ptrdiff_t i = 0; i < textSize; ++i) AppendChar(out, operand[i]);
    out += '"';
  } else if (IsRepeat(op) || IsLoop(op)) {
    out += " {" + std::to_string(MinCount(node)) + "," + std::to_string(MaxCount(node)) + "}";
    if (IsLoop(op)) out += " body " + std::to_string(at + ReadInt32(node + LoopBodyOffset));
  } else if (op == opBitSet) {
    out += ' ';
    AppendBitSet(out, operand);
  } else if (IsBackRef(op)) {
    out += " \\" + std::to_string(operand[0]);
  }
}

}  // namespace

std::string TRegExpr::Dump() const {
  std::string out;
  const std::string_view program = Program();
  const auto* base = reinterpret_cast<const uint8_t*>(program.data());
  const auto size = static_cast<ptrdiff_t>(program.size());
  ptrdiff_t at = FirstNodeOffset;
  while (at <= size - NodeHeaderSize) {
    const uint8_t* node = base + at;
    const uint8_t op = node[0];
    const char* name = OpcodeName(op);
    out += std::to_string(at) + ": ";
    if (name == nullptr) {
      out += "opcode " + std::to_string(op) + " (unknown)\n";
      break;
    }
    out += name;
    const int32_t next = NextOffset(node);
    if (next != 0) out += " -> " + std::to_string(at + next);
    const uint8_t* operand = Operand(node);
    const ptrdiff_t room = size - at - NodeHeaderSize;
    ptrdiff_t operandSize = OperandSize(op);
    if (operandSize == TextOperand) {
      const auto* terminator = static_cast<const uint8_t*>(std::memchr(operand, 0, static_cast<size_t>(room)));
      operandSize = terminator == nullptr ? room + 1 : terminator - operand + 1;
    }
    if (operandSize > room) {
      out += " (truncated)\n";
      break;
    }
    AppendOperand(out, node, at, operandSize);
    out += '\n';
    at += NodeHeaderSize + operandSize;
  }
  return out;
}
