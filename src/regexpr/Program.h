#pragma once
// The compiled program, the one contract between the compiler, the analyses
// of a program, the matcher and the listing: signature byte 216, then nodes of
// [opcode:1][next:int32 LE, relative to the node][operand...].
// A next of 0 means there is none; it leads forward except from opJumpBack.
// Offsets are relative, so a block of nodes moves without being rewritten.

#include <cstdint>
#include <cstring>

namespace regexpr {

// Beside each opcode: its operand ("-" for none), then what it matches.
// A "one-character node" is opAnyChar, opDigit, opNonDigit, a set, a
// literal (of which a repetition uses the first character) or a back-reference.
enum TOpcode : uint8_t {
  opEnd = 0,               // -: the match succeeds
  opInputStart = 1,        // -: at the start of the text
  opInputEnd = 2,          // -: at the end of the text
  opAnyChar = 3,           // -: any one character
  opAlternative = 6,       // first node of the alternative: next is the choice's next alternative,
                           //   or, from the last or only one, what follows the choice
  opJumpBack = 7,          // -: matches nothing; next leads back to the head of a loop
  opLiteral = 8,           // the text, then a 0 byte
  opEmpty = 9,             // -: matches nothing
  opStar = 10,             // one-character node: greedy 0..MaxRepeatCount of it
  opPlus = 11,             // one-character node: greedy 1..MaxRepeatCount
  opDigit = 12,            // -: one of "0".."9"
  opNonDigit = 13,         // -: one character other than "0".."9"
  opRepeat = 18,           // min, max (int32 each), then a one-character node: greedy min..max
  opNoOp = 19,             // -: matches nothing (comment, modifier group, extended-mode blank)
  opLiteralNoCase = 20,    // the text, then a 0 byte: each character also in its swapped case
  opLoopEntry = 23,        // first node of the loop body: starts a counted loop; next is its opLoop
  opLoop = 24,             // min, max, body offset (int32 each): ends one iteration of a greedy
                           //   counted loop; the body offset leads from this node back to the body
  opSmallSet = 25,         // SmallSetSize bytes: one character equal to one of them
  opNotSmallSet = 26,      // SmallSetSize bytes: one character equal to none of them
  opBitSet = 27,           // BitSetSize bytes: one character whose bit is set (InBitSet)
  opBackRef = 28,          // 1 byte, a group number 1..9: the text the group captured
  opBackRefNoCase = 29,    // as opBackRef, case-insensitively
  opStarLazy = 30,         // as opStar, non-greedy
  opPlusLazy = 31,         // as opPlus, non-greedy
  opRepeatLazy = 32,       // as opRepeat, non-greedy
  opLoopLazy = 33,         // as opLoop, non-greedy
  opLineStart = 34,        // -: at the start of a line (multi-line "^")
  opLineEnd = 35,          // -: at the end of a line (multi-line "$")
  opAnyCharInLine = 36,    // -: any one character that does not break a line
  opWordBoundary = 37,     // -: between a word character and anything else
  opNotWordBoundary = 38,  // -: anywhere else
  opGroupOpen = 39,        // + group number 1..14, -: records where the group starts
  opGroupClose = 54,       // + group number 1..14, -: records where the group ends
};

constexpr uint8_t ProgramSignature = 216;
constexpr int FirstNodeOffset = 1;  // right after the signature
constexpr int NodeHeaderSize = 5;
constexpr int MaxGroups = 15;  // group 0 is the whole match
constexpr int MaxLoopLevel = 10;
constexpr int32_t MaxRepeatCount = 2147483646;

// Set operands. A set of up to SmallSetSize members lists them, the highest
// repeated to fill the bytes; a larger one is a bit map.
constexpr int SmallSetSize = 3;
constexpr int BitSetSize = 32;

// Operands of the counted nodes (opRepeat, opLoop and their lazy forms), as
// offsets from the node's first byte.
constexpr int MinCountOffset = NodeHeaderSize;
constexpr int MaxCountOffset = NodeHeaderSize + 4;
constexpr int RepeatHeaderSize = NodeHeaderSize + 8;  // opRepeat: the one-character node follows
constexpr int LoopBodyOffset = NodeHeaderSize + 8;    // opLoop: to the body's first node
constexpr int LoopNodeSize = NodeHeaderSize + 12;

// ---- reading and writing nodes

inline int32_t ReadInt32(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline void WriteInt32(uint8_t* p, int32_t v) { std::memcpy(p, &v, 4); }

// The next field, relative to the node's first byte; 0 for none.
inline int32_t NextOffset(const uint8_t* node) { return ReadInt32(node + 1); }
inline void WriteNextOffset(uint8_t* node, int32_t offset) { WriteInt32(node + 1, offset); }

inline const uint8_t* NextNode(const uint8_t* node) {
  const int32_t offset = NextOffset(node);
  return offset == 0 ? nullptr : node + offset;
}

inline const uint8_t* Operand(const uint8_t* node) { return node + NodeHeaderSize; }

inline int32_t MinCount(const uint8_t* node) { return ReadInt32(node + MinCountOffset); }
inline int32_t MaxCount(const uint8_t* node) { return ReadInt32(node + MaxCountOffset); }
inline const uint8_t* RepeatedNode(const uint8_t* repeat) { return repeat + RepeatHeaderSize; }
inline const uint8_t* LoopBody(const uint8_t* loop) { return loop + ReadInt32(loop + LoopBodyOffset); }

// ---- kinds of opcode

constexpr uint8_t GroupOpenOpcode(int group) { return static_cast<uint8_t>(opGroupOpen + group); }
constexpr uint8_t GroupCloseOpcode(int group) { return static_cast<uint8_t>(opGroupClose + group); }
constexpr bool IsGroupOpen(uint8_t op) { return op > opGroupOpen && op < opGroupOpen + MaxGroups; }
constexpr bool IsGroupClose(uint8_t op) { return op > opGroupClose && op < opGroupClose + MaxGroups; }
constexpr bool IsGroupBoundary(uint8_t op) { return IsGroupOpen(op) || IsGroupClose(op); }
constexpr int GroupOf(uint8_t boundary) {
  return IsGroupOpen(boundary) ? boundary - opGroupOpen : boundary - opGroupClose;
}

constexpr bool IsStar(uint8_t op) { return op == opStar || op == opStarLazy; }
constexpr bool IsPlus(uint8_t op) { return op == opPlus || op == opPlusLazy; }
constexpr bool IsRepeat(uint8_t op) { return op == opRepeat || op == opRepeatLazy; }
// The repetitions of one-character nodes, which the matcher runs as a counted scan.
constexpr bool IsSimpleRepeat(uint8_t op) { return IsStar(op) || IsPlus(op) || IsRepeat(op); }
constexpr bool IsLoop(uint8_t op) { return op == opLoop || op == opLoopLazy; }
constexpr bool IsLazy(uint8_t op) {
  return op == opStarLazy || op == opPlusLazy || op == opRepeatLazy || op == opLoopLazy;
}
constexpr bool IsLiteral(uint8_t op) { return op == opLiteral || op == opLiteralNoCase; }
constexpr bool IsBackRef(uint8_t op) { return op == opBackRef || op == opBackRefNoCase; }
constexpr bool IsSmallSet(uint8_t op) { return op == opSmallSet || op == opNotSmallSet; }

// Nodes that consume nothing and, unless they test the position and the test
// fails, go on to their next node: the tests, the empty nodes and the group
// boundaries.
constexpr bool IsZeroWidth(uint8_t op) {
  switch (op) {
    case opInputStart:
    case opInputEnd:
    case opEmpty:
    case opNoOp:
    case opLineStart:
    case opLineEnd:
    case opWordBoundary:
    case opNotWordBoundary: return true;
    default: return IsGroupBoundary(op);
  }
}

// A literal's text ends in a 0 byte, so its operand has no fixed size.
constexpr int TextOperand = -1;

// The operand bytes between the header and the node that follows in the
// program: a repetition's one-character node is a node of its own.
constexpr int OperandSize(uint8_t op) {
  switch (op) {
    case opLiteral:
    case opLiteralNoCase: return TextOperand;
    case opRepeat:
    case opRepeatLazy: return RepeatHeaderSize - NodeHeaderSize;
    case opLoop:
    case opLoopLazy: return LoopNodeSize - NodeHeaderSize;
    case opSmallSet:
    case opNotSmallSet: return SmallSetSize;
    case opBitSet: return BitSetSize;
    case opBackRef:
    case opBackRefNoCase: return 1;
    default: return 0;
  }
}

// ---- characters

// The digits that opDigit matches, and those of a brace's counts.
constexpr bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// ---- set operands

inline bool InSmallSet(const uint8_t* members, uint8_t c) {
  return c == members[0] || c == members[1] || c == members[2];
}
static_assert(SmallSetSize == 3, "InSmallSet compares three members");

// Character c is bit c mod 8, least significant first, of byte c div 8.
inline bool InBitSet(const uint8_t* bits, uint8_t c) { return (bits[c >> 3] >> (c & 7)) & 1; }
inline void AddToBitSet(uint8_t* bits, uint8_t c) { bits[c >> 3] |= static_cast<uint8_t>(1u << (c & 7)); }

}  // namespace regexpr
