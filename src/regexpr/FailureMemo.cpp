// The failure memo. Without back-references and counted loops, and when no
// loop of the program can come round without consuming a character (so that
// the refusal of an empty iteration never fires), matching from a node at a
// position depends on nothing else: a failure there stays a failure for the
// rest of the execution, whatever path leads back to it. Remembering the
// failures of the choices and simple repetitions, the only nodes that try
// more than one way, turns the exponential work of ambiguous repetitions such
// as "(\d|\d)*x" into work proportional to nodes times positions.

#include <algorithm>
#include <cstring>

#include "regexpr/CompiledProgram.h"
#include "regexpr/Matcher.h"

namespace regexpr {
namespace {

// A stamp per node and position: 4 bytes each, so at most 8 MB.
constexpr int64_t MaxMemoEntries = int64_t{1} << 21;
constexpr int32_t None = -1;

int LiteralSize(const uint8_t* node, const uint8_t* end) {
  const uint8_t* text = Operand(node);
  if (text >= end) return 0;
  const auto* terminator = static_cast<const uint8_t*>(std::memchr(text, 0, static_cast<size_t>(end - text)));
  return terminator == nullptr ? 0 : static_cast<int>(terminator + 1 - node);
}

// The operand of a simple repetition; a back-reference there is no node for the memo.
int OneCharNodeSize(const uint8_t* node, const uint8_t* end) {
  if (end - node < NodeHeaderSize) return 0;
  switch (*node) {
    case opAnyChar:
    case opDigit:
    case opNonDigit:
    case opSmallSet:
    case opNotSmallSet:
    case opBitSet: return NodeHeaderSize + OperandSize(*node);
    case opLiteral:
    case opLiteralNoCase: return LiteralSize(node, end);
    default: return 0;
  }
}

// The bytes of the node at node, or 0 for a node that rules the memo out:
// back-references, counted loops and anything that is no well-formed node.
int NodeSize(const uint8_t* node, const uint8_t* end) {
  if (end - node < NodeHeaderSize) return 0;
  const uint8_t op = *node;
  int size = 0;
  if (IsZeroWidth(op) || op == opEnd || op == opAlternative || op == opJumpBack || op == opAnyCharInLine) {
    size = NodeHeaderSize;
  } else if (IsSimpleRepeat(op)) {
    // The repeated node follows the counts, if any.
    const int counted = NodeHeaderSize + OperandSize(op);
    const int operand = end - node > counted ? OneCharNodeSize(node + counted, end) : 0;
    size = operand == 0 ? 0 : counted + operand;
  } else {
    size = OneCharNodeSize(node, end);
  }
  return size <= end - node ? size : 0;
}

// Whether the node can pass on to `next` without consuming a character, apart
// from the alternatives, which lead to their operands.
bool PassesWithoutConsuming(const uint8_t* node) {
  const uint8_t op = *node;
  if (IsZeroWidth(op) || op == opJumpBack || IsStar(op)) return true;
  if (IsRepeat(op)) return MinCount(node) <= 0;
  if (IsLiteral(op)) return Operand(node)[0] == 0;  // an empty text matches only at the end
  return false;
}

// The nodes of a program and the ways from one to another that consume nothing.
class TEmptyPathGraph {
 public:
  // False when the program holds a node that rules the memo out.
  bool Build(const uint8_t* base, int32_t size) {
    indexOf_.assign(static_cast<size_t>(size), None);
    offsets_.clear();
    for (int32_t at = FirstNodeOffset; at < size;) {
      const int bytes = NodeSize(base + at, base + size);
      if (bytes == 0) return false;
      indexOf_[static_cast<size_t>(at)] = static_cast<int32_t>(offsets_.size());
      offsets_.push_back(at);
      at += bytes;
    }
    edges_.assign(offsets_.size() * 2, None);
    for (size_t i = 0; i < offsets_.size(); ++i)
      if (!AddEdges(base, size, i)) return false;
    return true;
  }

  // Whether some node can be reached again from itself without consuming anything.
  bool HasEmptyCycle() const {
    enum : uint8_t { unseen, open, closed };
    std::vector<uint8_t> state(offsets_.size(), unseen);
    std::vector<std::pair<int32_t, int>> stack;  // node, next edge to follow
    for (size_t root = 0; root < offsets_.size(); ++root) {
      if (state[root] != unseen) continue;
      stack.push_back({static_cast<int32_t>(root), 0});
      state[root] = open;
      while (!stack.empty()) {
        auto& [node, edge] = stack.back();
        if (edge == 2) {
          state[static_cast<size_t>(node)] = closed;
          stack.pop_back();
          continue;
        }
        const int32_t target = edges_[static_cast<size_t>(node) * 2 + static_cast<size_t>(edge++)];
        if (target == None || state[static_cast<size_t>(target)] == closed) continue;
        if (state[static_cast<size_t>(target)] == open) return true;
        state[static_cast<size_t>(target)] = open;
        stack.push_back({target, 0});
      }
    }
    return false;
  }

  const std::vector<int32_t>& Offsets() const { return offsets_; }

 private:
  std::vector<int32_t> indexOf_;  // by program byte: the node starting there, or None
  std::vector<int32_t> offsets_;
  std::vector<int32_t> edges_;  // two per node

  // A way that leads into the middle of a node or out of the program rules the memo out.
  bool AddEdges(const uint8_t* base, int32_t size, size_t index) {
    const uint8_t* node = base + offsets_[index];
    const int32_t offset = NextOffset(node);
    const int64_t next = offset == 0 ? None : int64_t{offsets_[index]} + offset;
    if (next != None && (next < FirstNodeOffset || next >= size || indexOf_[static_cast<size_t>(next)] == None))
      return false;
    const int32_t nextIndex = next == None ? None : indexOf_[static_cast<size_t>(next)];
    int32_t* edges = &edges_[index * 2];
    if (*node == opAlternative) {
      const int32_t operand = offsets_[index] + NodeHeaderSize;
      if (operand >= size || indexOf_[static_cast<size_t>(operand)] == None) return false;
      edges[0] = indexOf_[static_cast<size_t>(operand)];
      if (nextIndex != None && base[next] == opAlternative) edges[1] = nextIndex;
    } else if (PassesWithoutConsuming(node)) {
      edges[0] = nextIndex;
    }
    return true;
  }
};

}  // namespace

TMemoFit TProgram::AnalyseMemo() const {
  if (MemoFit_ == TMemoFit::Unknown) MemoFit_ = FindMemoRows() ? TMemoFit::Suitable : TMemoFit::Unsuitable;
  return MemoFit_;
}

bool TProgram::FindMemoRows() const {
  const uint8_t* base = Base();
  const auto size = static_cast<int32_t>(Bytes_.size());
  TEmptyPathGraph graph;
  if (!graph.Build(base, size) || graph.HasEmptyCycle()) return false;
  MemoRows_.assign(static_cast<size_t>(size), None);
  MemoRowCount_ = 0;
  for (int32_t offset : graph.Offsets()) {
    const uint8_t* node = base + offset;
    const uint8_t* next = NextNode(node);
    const bool choice = *node == opAlternative && next != nullptr && *next == opAlternative;
    if (choice || IsSimpleRepeat(*node)) MemoRows_[static_cast<size_t>(offset)] = MemoRowCount_++;
  }
  return MemoRowCount_ > 0;
}

// A new stamp per execution makes the failures of earlier ones void without
// clearing anything; the stamps are cleared only when the counter wraps.
bool TMatcher::StartMemo() {
  MemoRows_ = Program_->MemoRows();
  MemoStride_ = TextEnd_ - TextBegin_ + 1;
  const int64_t entries = Program_->MemoRowCount() * MemoStride_;
  if (entries > MaxMemoEntries) return false;
  if (MemoFailed_.size() < static_cast<size_t>(entries)) MemoFailed_.resize(static_cast<size_t>(entries), 0);
  if (++MemoExecution_ == 0) {
    std::fill(MemoFailed_.begin(), MemoFailed_.end(), 0);
    MemoExecution_ = 1;
  }
  return true;
}

}  // namespace regexpr
