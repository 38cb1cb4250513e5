#include "regexpr/Compiler.h"
#include "regexpr/CompilerFlags.h"

namespace regexpr {

uint8_t* TCompiler::ProgramEnd() { return reinterpret_cast<uint8_t*>(ProgramBuffer_.data()) + ProgramBuffer_.size(); }

uint8_t* TCompiler::AppendNode(uint8_t opcode) {
  if (Sizing_) {
    ProgramSize_ += NodeHeaderSize;
    return nullptr;
  }
  if (ProgramEnd() - EmitCursor_ < NodeHeaderSize) RaiseError(ErrorInternal);
  uint8_t* node = EmitCursor_;
  node[0] = opcode;
  WriteNextOffset(node, 0);
  EmitCursor_ += NodeHeaderSize;
  return node;
}

void TCompiler::AppendByte(uint8_t b) {
  if (Sizing_) {
    ++ProgramSize_;
    return;
  }
  if (EmitCursor_ >= ProgramEnd()) RaiseError(ErrorInternal);
  *EmitCursor_++ = b;
}

void TCompiler::AppendInt32(int32_t v) {
  if (Sizing_) {
    ProgramSize_ += 4;
    return;
  }
  if (ProgramEnd() - EmitCursor_ < 4) RaiseError(ErrorInternal);
  WriteInt32(EmitCursor_, v);
  EmitCursor_ += 4;
}

void TCompiler::InsertBefore(uint8_t opcode, uint8_t* operand, int size) {
  if (Sizing_) {
    ProgramSize_ += size;
    return;
  }
  if (ProgramEnd() - EmitCursor_ < size || operand == nullptr || operand > EmitCursor_) RaiseError(ErrorInternal);
  std::memmove(operand + size, operand, static_cast<size_t>(EmitCursor_ - operand));
  EmitCursor_ += size;
  operand[0] = opcode;
  std::memset(operand + 1, 0, static_cast<size_t>(size - 1));
}

void TCompiler::LinkChainEnd(uint8_t* node, uint8_t* target) {
  if (Sizing_ || node == nullptr) return;
  // A well-formed chain is shorter than the program; the bound turns a
  // malformed one into an internal error instead of an endless walk.
  for (size_t steps = 0;; ++steps) {
    if (steps > ProgramBuffer_.size()) RaiseError(ErrorInternal);
    const int32_t offset = NextOffset(node);
    if (offset == 0) break;
    node += offset;
  }
  WriteNextOffset(node, static_cast<int32_t>(target - node));
}

void TCompiler::LinkOperandEnd(uint8_t* node, uint8_t* target) {
  if (Sizing_ || node == nullptr || node[0] != opAlternative) return;
  LinkChainEnd(node + NodeHeaderSize, target);
}

void TCompiler::EmitSimpleRepeat(uint8_t* atom, int32_t min, int32_t max, bool lazy) {
  InsertBefore(lazy ? opRepeatLazy : opRepeat, atom, RepeatHeaderSize);
  if (Sizing_) return;
  WriteInt32(atom + MinCountOffset, min);
  WriteInt32(atom + MaxCountOffset, max);
}

void TCompiler::EmitLoop(uint8_t* atom, int32_t min, int32_t max, bool lazy) {
  InsertBefore(opLoopEntry, atom, NodeHeaderSize);
  uint8_t* loop = AppendNode(lazy ? opLoopLazy : opLoop);
  // In the order of the loop node's operand: MinCountOffset, MaxCountOffset, LoopBodyOffset.
  AppendInt32(min);
  AppendInt32(max);
  AppendInt32(Sizing_ ? 0 : static_cast<int32_t>(atom + NodeHeaderSize - loop));
  LinkChainEnd(atom, loop);
  LinkChainEnd(atom == nullptr ? nullptr : atom + NodeHeaderSize, loop);
}

void TCompiler::EmitStar(uint8_t* atom, bool singleChar, bool lazy) {
  if (singleChar) {
    InsertBefore(lazy ? opStarLazy : opStar, atom, NodeHeaderSize);
  } else if (lazy) {
    EmitLoop(atom, 0, MaxRepeatCount, true);
  } else {
    // A choice between the atom, which jumps back to the choice, and going on.
    InsertBefore(opAlternative, atom, NodeHeaderSize);
    uint8_t* back = AppendNode(opJumpBack);
    LinkOperandEnd(atom, back);
    LinkOperandEnd(atom, atom);
    LinkChainEnd(atom, AppendNode(opAlternative));
    LinkChainEnd(atom, AppendNode(opEmpty));
  }
}

void TCompiler::EmitPlus(uint8_t* atom, bool singleChar, bool lazy) {
  if (singleChar) {
    InsertBefore(lazy ? opPlusLazy : opPlus, atom, NodeHeaderSize);
  } else if (lazy) {
    EmitLoop(atom, 1, MaxRepeatCount, true);
  } else {
    // The atom, then a choice between jumping back to it and going on.
    uint8_t* choice = AppendNode(opAlternative);
    LinkChainEnd(atom, choice);
    LinkChainEnd(AppendNode(opJumpBack), atom);
    LinkChainEnd(choice, AppendNode(opAlternative));
    LinkChainEnd(atom, AppendNode(opEmpty));
  }
}

void TCompiler::EmitOptional(uint8_t* atom, bool singleChar, bool lazy) {
  if (lazy) {
    if (singleChar) EmitSimpleRepeat(atom, 0, 1, true);
    else EmitLoop(atom, 0, 1, true);
    return;
  }
  // A choice between the atom and an empty node, both leading on.
  InsertBefore(opAlternative, atom, NodeHeaderSize);
  LinkChainEnd(atom, AppendNode(opAlternative));
  uint8_t* empty = AppendNode(opEmpty);
  LinkChainEnd(atom, empty);
  LinkOperandEnd(atom, empty);
}

}  // namespace regexpr
