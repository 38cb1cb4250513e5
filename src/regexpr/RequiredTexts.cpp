#include "regexpr/RequiredTexts.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "regexpr/Program.h"

namespace regexpr {
namespace {

// More texts than this make a filter that passes nearly everything and costs a
// scan each.
constexpr size_t MaxTexts = 8;
// Choices nested deeper than this promise nothing here.
constexpr int MaxDepth = 16;

using TTexts = std::vector<std::string_view>;

size_t ShortestSize(const TTexts& texts) {
  size_t shortest = SIZE_MAX;
  for (std::string_view text : texts) shortest = std::min(shortest, text.size());
  return shortest;
}

// A longer shortest text lets fewer subjects through; then fewer texts do.
void KeepBetter(TTexts& best, TTexts candidate) {
  if (candidate.empty()) return;
  if (best.empty() || ShortestSize(candidate) > ShortestSize(best) ||
      (ShortestSize(candidate) == ShortestSize(best) && candidate.size() < best.size())) {
    best = std::move(candidate);
  }
}

class TProgramWalk {
 public:
  explicit TProgramWalk(std::string_view program)
      : begin_(reinterpret_cast<const uint8_t*>(program.data())), end_(begin_ + program.size()) {}

  // The sequence of nodes from node up to stop: each of them is passed by every
  // match, so each of its literals and each choice whose every alternative
  // promises a text is a candidate.
  TTexts Sequence(const uint8_t* node, const uint8_t* stop, int depth) const {
    TTexts best;
    while (node != stop && Holds(node) && node[0] != opEnd && node[0] != opJumpBack) {
      const uint8_t* next = NextNode(node);
      if (IsLiteral(node[0])) {
        const std::string_view text = LiteralText(node);
        if (!text.empty()) KeepBetter(best, TTexts{text});
      } else if (node[0] == opAlternative) {
        next = JoinOf(node);
        KeepBetter(best, Choice(node, next, depth));
      }
      if (next <= node) break;  // a loop leads back; what follows it is reached otherwise
      node = next;
    }
    return best;
  }

  // Whether the sequence from node up to stop (or to the program's end) is one
  // case-insensitive literal, or a choice of such sequences, among nodes that
  // match nothing; collects the literals.
  bool OnlyLiteral(const uint8_t* node, const uint8_t* stop, int depth, TTexts& literals) const {
    if (depth >= MaxDepth) return false;
    int elements = 0;
    while (node != stop) {
      if (!Holds(node)) return false;
      const uint8_t op = node[0];
      if (op == opEnd) return stop == nullptr && elements == 1;
      const uint8_t* next = NextNode(node);
      if (op == opLiteralNoCase) {
        const std::string_view text = LiteralText(node);
        if (text.empty()) return false;
        literals.push_back(text);
        ++elements;
      } else if (op == opAlternative) {
        next = JoinOf(node);
        if (next == nullptr) return false;
        for (const uint8_t* alternative = node; alternative != next; alternative = NextNode(alternative))
          if (!OnlyLiteral(Operand(alternative), next, depth + 1, literals)) return false;
        ++elements;
      } else if (op != opNoOp && op != opEmpty && !IsGroupBoundary(op)) {
        return false;
      }
      if (elements > 1 || next == nullptr || next <= node) return false;
      node = next;
    }
    return elements == 1;
  }

  // The literals that the sequence from node up to stop must begin with, past
  // nodes that match nothing: its first literal, or one from each alternative of
  // its first choice. Empty when it may begin otherwise.
  TTexts Leading(const uint8_t* node, const uint8_t* stop, int depth) const {
    if (depth >= MaxDepth) return {};
    node = PastEmptyNodes(node, stop);
    if (node == nullptr) return {};
    if (IsLiteral(node[0])) {
      const std::string_view text = LiteralText(node);
      return text.empty() ? TTexts{} : TTexts{text};
    }
    if (node[0] != opAlternative) return {};
    const uint8_t* join = JoinOf(node);
    return EveryAlternative(node, join, [&](const uint8_t* body) { return Leading(body, join, depth + 1); });
  }

  // The literals that a program anchored by "^" in its only alternative begins with.
  TTexts AnchoredStart(const uint8_t* first) const {
    if (!Holds(first) || first[0] != opAlternative) return {};
    const uint8_t* join = JoinOf(first);
    if (join == nullptr || NextNode(first) != join) return {};
    const uint8_t* node = PastEmptyNodes(Operand(first), join);
    if (node == nullptr || node[0] != opInputStart) return {};
    return Leading(NextNode(node), join, 0);
  }

 private:
  // The first node from node on, before stop, that is no group boundary or empty
  // node; nullptr when there is none.
  const uint8_t* PastEmptyNodes(const uint8_t* node, const uint8_t* stop) const {
    while (node != stop && Holds(node) && (node[0] == opNoOp || node[0] == opEmpty || IsGroupBoundary(node[0]))) {
      const uint8_t* next = NextNode(node);
      if (next == nullptr || next <= node) return nullptr;
      node = next;
    }
    return node != stop && Holds(node) ? node : nullptr;
  }

  bool Holds(const uint8_t* node) const {
    return node != nullptr && node >= begin_ + FirstNodeOffset && end_ - node >= NodeHeaderSize;
  }

  std::string_view LiteralText(const uint8_t* node) const {
    const uint8_t* text = Operand(node);
    if (text >= end_) return {};
    const void* nul = std::memchr(text, 0, static_cast<size_t>(end_ - text));
    if (nul == nullptr) return {};
    return std::string_view(reinterpret_cast<const char*>(text), static_cast<const uint8_t*>(nul) - text);
  }

  // The node after the choice that starts with first: the next of its last alternative.
  const uint8_t* JoinOf(const uint8_t* first) const {
    const uint8_t* node = first;
    while (Holds(node) && node[0] == opAlternative) {
      const uint8_t* next = NextNode(node);
      if (next == nullptr || next <= node) return nullptr;
      node = next;
    }
    return node;
  }

  TTexts Choice(const uint8_t* first, const uint8_t* join, int depth) const {
    if (depth >= MaxDepth) return {};
    return EveryAlternative(first, join, [&](const uint8_t* body) { return Sequence(body, join, depth + 1); });
  }

  // The texts that promised(body) gives for every alternative of the choice from
  // first to join, together; empty when one of them promises none.
  template <typename TPromised>
  TTexts EveryAlternative(const uint8_t* first, const uint8_t* join, TPromised&& promised) const {
    if (join == nullptr) return {};
    TTexts texts;
    for (const uint8_t* alternative = first; alternative != join; alternative = NextNode(alternative)) {
      const TTexts promise = promised(Operand(alternative));
      if (promise.empty()) return {};
      for (std::string_view text : promise) {
        if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(text);
      }
      if (texts.size() > MaxTexts) return {};
    }
    return texts;
  }

  const uint8_t* begin_;
  const uint8_t* end_;
};

}  // namespace

TRequiredTexts RequiredTexts(std::string_view program) {
  if (program.size() <= static_cast<size_t>(FirstNodeOffset) || static_cast<uint8_t>(program[0]) != ProgramSignature) {
    return {};
  }
  const TProgramWalk walk(program);
  const auto* first = reinterpret_cast<const uint8_t*>(program.data()) + FirstNodeOffset;
  TTexts literals;
  if (walk.OnlyLiteral(first, nullptr, 0, literals) && !literals.empty() && literals.size() <= MaxTexts) {
    return {literals, true, false};
  }
  if (TTexts leading = walk.AnchoredStart(first); !leading.empty()) return {leading, false, true};
  return {walk.Sequence(first, nullptr, 0), false, false};
}

}  // namespace regexpr
