#pragma once
// Layout of a compiled program: signature byte 216, then nodes of
// [opcode:1][next:int32 LE, relative to the node][operand...].

#include <cstdint>
#include <cstring>

namespace regexpr {

enum TOpcode : uint8_t {
  opEnd = 0,
  opInputStart = 1,
  opInputEnd = 2,
  opAnyChar = 3,
  opAlternative = 6,
  opJumpBack = 7,
  opLiteral = 8,
  opEmpty = 9,
  opStar = 10,
  opPlus = 11,
  opDigit = 12,
  opNonDigit = 13,
  opRepeat = 18,
  opNoOp = 19,
  opLiteralNoCase = 20,
  opLoopEntry = 23,
  opLoop = 24,
  opSmallSet = 25,
  opNotSmallSet = 26,
  opBitSet = 27,
  opBackRef = 28,
  opBackRefNoCase = 29,
  opStarLazy = 30,
  opPlusLazy = 31,
  opRepeatLazy = 32,
  opLoopLazy = 33,
  opLineStart = 34,
  opLineEnd = 35,
  opAnyCharInLine = 36,
  opWordBoundary = 37,
  opNotWordBoundary = 38,
  opGroupOpen = 39,   // + group number 1..14
  opGroupClose = 54,  // + group number 1..14
};

constexpr uint8_t ProgramSignature = 216;
constexpr int NodeHeaderSize = 5;
constexpr int RepeatHeaderSize = 13;  // header, min, max; the operand node follows
constexpr int LoopNodeSize = 17;      // header, min, max, body offset
constexpr int MaxGroups = 15;         // group 0 is the whole match
constexpr int MaxLoopLevel = 10;
constexpr int32_t MaxRepeatCount = 2147483646;

inline int32_t ReadInt32(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline void WriteInt32(uint8_t* p, int32_t v) { std::memcpy(p, &v, 4); }

inline const uint8_t* NextNode(const uint8_t* node) {
  int32_t offset = ReadInt32(node + 1);
  return offset == 0 ? nullptr : node + offset;
}

inline const uint8_t* Operand(const uint8_t* node) { return node + NodeHeaderSize; }

}  // namespace regexpr
