#include <string>
#include <string_view>

#include "RegExpr.h"

using namespace regexpr;

namespace {

constexpr int SmallSetSize = 3;
constexpr int BitSetSize = 32;

struct TOpcodeInfo {
  const char* name;
  int operandSize;  // fixed bytes after the header; -1 for a literal's text
};

TOpcodeInfo Describe(uint8_t op) {
  if (op > opGroupOpen && op < opGroupClose) return {"opGroupOpen", 0};
  if (op > opGroupClose && op < opGroupClose + MaxGroups) return {"opGroupClose", 0};
  switch (op) {
    case opEnd: return {"opEnd", 0};
    case opInputStart: return {"opInputStart", 0};
    case opInputEnd: return {"opInputEnd", 0};
    case opAnyChar: return {"opAnyChar", 0};
    case opAlternative: return {"opAlternative", 0};
    case opJumpBack: return {"opJumpBack", 0};
    case opLiteral: return {"opLiteral", -1};
    case opEmpty: return {"opEmpty", 0};
    case opStar: return {"opStar", 0};
    case opPlus: return {"opPlus", 0};
    case opDigit: return {"opDigit", 0};
    case opNonDigit: return {"opNonDigit", 0};
    case opRepeat: return {"opRepeat", 8};
    case opNoOp: return {"opNoOp", 0};
    case opLiteralNoCase: return {"opLiteralNoCase", -1};
    case opLoopEntry: return {"opLoopEntry", 0};
    case opLoop: return {"opLoop", 12};
    case opSmallSet: return {"opSmallSet", SmallSetSize};
    case opNotSmallSet: return {"opNotSmallSet", SmallSetSize};
    case opBitSet: return {"opBitSet", BitSetSize};
    case opBackRef: return {"opBackRef", 1};
    case opBackRefNoCase: return {"opBackRefNoCase", 1};
    case opStarLazy: return {"opStarLazy", 0};
    case opPlusLazy: return {"opPlusLazy", 0};
    case opRepeatLazy: return {"opRepeatLazy", 8};
    case opLoopLazy: return {"opLoopLazy", 12};
    case opLineStart: return {"opLineStart", 0};
    case opLineEnd: return {"opLineEnd", 0};
    case opAnyCharInLine: return {"opAnyCharInLine", 0};
    case opWordBoundary: return {"opWordBoundary", 0};
    case opNotWordBoundary: return {"opNotWordBoundary", 0};
    default: return {nullptr, 0};
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
  auto member = [bits](int c) { return c < 256 && ((bits[c / 8] >> (c % 8)) & 1) != 0; };
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

}  // namespace

std::string TRegExpr::Dump() const {
  std::string out;
  const auto* base = reinterpret_cast<const uint8_t*>(ProgramBuffer_.data());
  const auto size = static_cast<ptrdiff_t>(ProgramBuffer_.size());
  ptrdiff_t at = 1;
  while (at <= size - NodeHeaderSize) {
    const uint8_t* node = base + at;
    const TOpcodeInfo info = Describe(node[0]);
    out += std::to_string(at) + ": ";
    if (info.name == nullptr) {
      out += "opcode " + std::to_string(node[0]) + " (unknown)\n";
      break;
    }
    out += info.name;
    const int32_t next = ReadInt32(node + 1);
    if (next != 0) out += " -> " + std::to_string(at + next);
    const uint8_t* operand = Operand(node);
    const ptrdiff_t room = size - at - NodeHeaderSize;
    ptrdiff_t operandSize = info.operandSize;
    if (operandSize < 0) {
      const auto* terminator = static_cast<const uint8_t*>(std::memchr(operand, 0, static_cast<size_t>(room)));
      operandSize = terminator == nullptr ? room + 1 : terminator - operand + 1;
    }
    if (operandSize > room) {
      out += " (truncated)\n";
      break;
    }
    const uint8_t op = node[0];
    if (op > opGroupOpen && op < opGroupClose) {
      out += " " + std::to_string(op - opGroupOpen);
    } else if (op > opGroupClose) {
      out += " " + std::to_string(op - opGroupClose);
    } else if (op == opLiteral || op == opLiteralNoCase || op == opSmallSet || op == opNotSmallSet) {
      out += " \"";
      const ptrdiff_t textSize = op == opSmallSet || op == opNotSmallSet ? operandSize : operandSize - 1;
      for (ptrdiff_t i = 0; i < textSize; ++i) AppendChar(out, operand[i]);
      out += '"';
    } else if (op == opRepeat || op == opRepeatLazy || op == opLoop || op == opLoopLazy) {
      out += " {" + std::to_string(ReadInt32(operand)) + "," + std::to_string(ReadInt32(operand + 4)) + "}";
      if (op == opLoop || op == opLoopLazy) out += " body " + std::to_string(at + ReadInt32(operand + 8));
    } else if (op == opBitSet) {
      out += ' ';
      AppendBitSet(out, operand);
    } else if (op == opBackRef || op == opBackRefNoCase) {
      out += " \\" + std::to_string(operand[0]);
    }
    out += '\n';
    at += NodeHeaderSize + operandSize;
  }
  return out;
}
