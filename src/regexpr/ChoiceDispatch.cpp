#include "regexpr/ChoiceDispatch.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <numeric>

#include "regexpr/Program.h"

namespace regexpr {
namespace {

// A choice with fewer alternatives that start with a literal is tried as fast
// one alternative after another.
constexpr int MinClassified = 2;
// Nodes walked from an alternative's first node to its literal; beyond, the
// alternative counts as unclassified.
constexpr int MaxPrefixNodes = 64;
// Candidate lists of one program together: keys that are beginnings of many
// others repeat those in every list below them. A choice that would pass the
// bound goes without a dispatch.
constexpr size_t MaxListEntries = size_t{1} << 20;
// A choice of this many keys gets the table of their first two labels.
constexpr int PairedKeys = 16;
// Node ids fill the upper 24 bits of an edge's key.
constexpr size_t MaxTrieNodes = size_t{1} << 24;

uint32_t EdgeHash(uint32_t key, uint32_t shift) { return shift >= 32 ? 0 : (key * 2654435761u) >> shift; }

constexpr int64_t None = -1;     // no next node
constexpr int64_t Outside = -2;  // a next node outside the program: the matcher raises there

TFoldTable FoldTable(TCaseSwapper swapper) {
  std::array<uint8_t, 256> parent{};
  std::iota(parent.begin(), parent.end(), 0);
  auto root = [&parent](uint8_t c) {
    while (parent[c] != c) c = parent[c] = parent[parent[c]];
    return c;
  };
  // The matcher never takes NUL for a swapped character, so no class holds it.
  for (int c = 1; c < 256; ++c) {
    const uint8_t swapped = swapper(static_cast<uint8_t>(c));
    if (swapped == 0) continue;
    const uint8_t a = root(static_cast<uint8_t>(c));
    const uint8_t b = root(swapped);
    if (a != b) parent[std::max(a, b)] = std::min(a, b);
  }
  TFoldTable fold{};
  for (int c = 1; c < 256; ++c) fold[static_cast<size_t>(c)] = root(static_cast<uint8_t>(c));
  return fold;
}

// Where the walk from an alternative's first node meets its literal.
struct TLeadingLiteral {
  bool Found = false;
  const uint8_t* Text = nullptr;
  int Length = 0;
  int Frames = 1;  // MatchPrim calls nested on the way, the alternative's own included
};

class TProgramView {
 public:
  explicit TProgramView(std::string_view program)
      : base_(reinterpret_cast<const uint8_t*>(program.data())), size_(static_cast<int64_t>(program.size())) {}

  bool Holds(int64_t at) const { return at >= FirstNodeOffset && at <= size_ - NodeHeaderSize; }
  uint8_t Op(int64_t at) const { return base_[at]; }
  int64_t Size() const { return size_; }

  int64_t NextOf(int64_t at) const {
    const int32_t offset = NextOffset(base_ + at);
    if (offset == 0) return None;
    return Holds(at + offset) ? at + offset : Outside;
  }

  bool StartsChoice(int64_t at) const {
    if (!Holds(at) || Op(at) != opAlternative) return false;
    const int64_t next = NextOf(at);
    return next >= 0 && Op(next) == opAlternative;
  }

  // The alternatives of the choice that starts at head, or none when the chain
  // comes round or leaves the program, where trying them one by one raises.
  std::vector<int64_t> Chain(int64_t head) const {
    std::vector<int64_t> chain{head};
    for (int64_t at = head;;) {
      const int64_t next = NextOf(at);
      if (next == Outside || (next >= 0 && Op(next) == opAlternative && next <= at)) return {};
      if (next == None || Op(next) != opAlternative) return chain;
      chain.push_back(at = next);
    }
  }

  // Past the nodes that consume nothing, test the position or record a group,
  // and choices of one alternative, to a literal. Any node the matcher would
  // raise at on the way leaves the alternative unclassified.
  TLeadingLiteral LeadingLiteral(int64_t at) const {
    TLeadingLiteral found;
    for (int walked = 0; walked < MaxPrefixNodes && Holds(at); ++walked) {
      const uint8_t op = Op(at);
      const int64_t next = NextOf(at);
      if (IsLiteral(op)) {
        const uint8_t* text = base_ + at + NodeHeaderSize;
        const void* nul = std::memchr(text, 0, static_cast<size_t>(size_ - (at + NodeHeaderSize)));
        if (nul == nullptr || nul == text) return {};
        found.Found = true;
        found.Text = text;
        found.Length = static_cast<int>(static_cast<const uint8_t*>(nul) - text);
        return found;
      }
      if (op == opAlternative) {
        if (next == Outside || (next >= 0 && Op(next) == opAlternative)) return {};
        at += NodeHeaderSize;
        continue;
      }
      if (!IsZeroWidth(op) || next < 0) return {};
      if (IsGroupBoundary(op)) ++found.Frames;
      at = next;
    }
    return {};
  }

  // The node that every match reaches first, past the nodes that consume
  // nothing, if it starts a choice.
  int64_t LeadingChoice() const {
    int64_t at = FirstNodeOffset;
    for (int walked = 0; walked < MaxPrefixNodes && Holds(at); ++walked) {
      const uint8_t op = Op(at);
      const int64_t next = NextOf(at);
      if (op == opAlternative) {
        if (next == Outside) return None;
        if (next >= 0 && Op(next) == opAlternative) return at;
        at += NodeHeaderSize;
        continue;
      }
      if (!IsZeroWidth(op) || next < 0) return None;
      at = next;
    }
    return None;
  }

  // The nodes a walk can reach from the first one.
  template <typename TVisit>
  void Reachable(TVisit&& visit) const {
    std::vector<uint8_t> seen(static_cast<size_t>(size_), 0);
    std::vector<int64_t> pending{FirstNodeOffset};
    auto push = [&](int64_t at) {
      if (Holds(at) && !seen[static_cast<size_t>(at)]) pending.push_back(at);
    };
    while (!pending.empty()) {
      const int64_t at = pending.back();
      pending.pop_back();
      if (seen[static_cast<size_t>(at)]) continue;
      seen[static_cast<size_t>(at)] = 1;
      const uint8_t op = Op(at);
      const int64_t next = NextOf(at);
      if (next >= 0) push(next);
      if (op == opAlternative || op == opLoopEntry) push(at + NodeHeaderSize);
      if (IsLoop(op) && at <= size_ - LoopNodeSize) push(at + ReadInt32(base_ + at + LoopBodyOffset));
      if (StartsChoice(at)) {
        // The later alternatives are reached through this one, not as choices of their own.
        const std::vector<int64_t> chain = Chain(at);
        for (int64_t each : chain) {
          seen[static_cast<size_t>(each)] = 1;
          push(each + NodeHeaderSize);
        }
        if (!chain.empty() && NextOf(chain.back()) >= 0) push(NextOf(chain.back()));
        visit(at, chain);
      }
    }
  }

 private:
  const uint8_t* base_;
  int64_t size_;
};

}  // namespace

class TChoiceDispatchBuilder {
 public:
  TChoiceDispatchBuilder(const TProgramView& view, const TFoldTable& fold) : view_(view), fold_(fold) {}

  // False when the choice gains nothing or its lists would pass the bound.
  bool Build(const std::vector<int64_t>& chain, size_t& listBudget, TChoiceDispatch& dispatch) {
    nodes_.assign(1, {});
    std::vector<int32_t> unclassified;
    int classified = 0;
    for (size_t i = 0; i < chain.size(); ++i) {
      const auto index = static_cast<int32_t>(i);
      const TLeadingLiteral literal = view_.LeadingLiteral(chain[i] + NodeHeaderSize);
      if (!literal.Found) {
        unclassified.push_back(index);
        continue;
      }
      ++classified;
      dispatch.PrefixFrames_ = std::max(dispatch.PrefixFrames_, literal.Frames);
      int32_t node = 0;
      for (int k = 0; k < std::min(literal.Length, TChoiceDispatch::MaxKeyDepth); ++k) {
        const uint8_t label = fold_[literal.Text[k]];
        const auto [edge, added] = nodes_[static_cast<size_t>(node)].Children.try_emplace(label, 0);
        if (added) {
          edge->second = static_cast<int32_t>(nodes_.size());
          nodes_.emplace_back();
        }
        node = edge->second;
      }
      nodes_[static_cast<size_t>(node)].Endings.push_back(index);
    }
    if (classified < MinClassified) return false;

    operands_.clear();
    for (int64_t alternative : chain) operands_.push_back(static_cast<int32_t>(alternative + NodeHeaderSize));
    dispatch.Complete_ = unclassified.empty();
    for (int32_t index : unclassified) dispatch.Lists_.push_back(operands_[static_cast<size_t>(index)]);
    dispatch.UnclassifiedBegin_ = 0;
    dispatch.UnclassifiedEnd_ = static_cast<int32_t>(dispatch.Lists_.size());
    if (nodes_.size() >= MaxTrieNodes) return false;
    size_t entries = dispatch.Lists_.size();
    if (!Flatten(dispatch, unclassified, entries) || entries > listBudget) return false;
    listBudget -= entries;
    return true;
  }

 private:
  struct TNode {
    std::map<uint8_t, int32_t> Children;
    std::vector<int32_t> Endings;  // alternatives whose key ends here, in order
  };

  // Each node with endings gets the candidates of its path and the
  // unclassified ones, merged in the order written; each edge what the walk
  // needs of the node it leads to. An explicit stack keeps the C++ stack flat.
  bool Flatten(TChoiceDispatch& dispatch, const std::vector<int32_t>& unclassified, size_t& entries) const {
    std::vector<int32_t> listOf(nodes_.size(), -1);
    struct TPending {
      int32_t Node;
      std::vector<int32_t> Path;  // endings above it, in order
      std::vector<uint8_t> Key;
      int32_t Above;
    };
    std::vector<TPending> pending{{0, unclassified, {}, -1}};
    while (!pending.empty()) {
      TPending at = std::move(pending.back());
      pending.pop_back();
      const TNode& node = nodes_[static_cast<size_t>(at.Node)];
      if (!node.Endings.empty()) {
        std::vector<int32_t> merged;
        std::merge(at.Path.begin(), at.Path.end(), node.Endings.begin(), node.Endings.end(),
                   std::back_inserter(merged));
        at.Path = std::move(merged);
        entries += at.Path.size();
        if (entries > MaxListEntries) return false;
        listOf[static_cast<size_t>(at.Node)] = static_cast<int32_t>(dispatch.ListNodes_.size());
        const auto begin = static_cast<int32_t>(dispatch.Lists_.size());
        for (int32_t index : at.Path) dispatch.Lists_.push_back(operands_[static_cast<size_t>(index)]);
        dispatch.ListNodes_.push_back({begin, static_cast<int32_t>(dispatch.Lists_.size()),
                                       static_cast<int32_t>(dispatch.Keys_.size()), static_cast<int32_t>(at.Key.size()),
                                       at.Above});
        dispatch.Keys_.insert(dispatch.Keys_.end(), at.Key.begin(), at.Key.end());
        at.Above = listOf[static_cast<size_t>(at.Node)];
      }
      for (const auto& [label, child] : node.Children) {
        pending.push_back({child, at.Path, at.Key, at.Above});
        pending.back().Key.push_back(label);
      }
    }

    // Children are made after their parents, so a walk down the ids sees every
    // node after all of its children.
    std::vector<int32_t> chainEnd(nodes_.size(), -1);
    std::vector<uint8_t> branches(nodes_.size(), 0);  // lists below in two children or more
    for (size_t n = nodes_.size(); n-- > 0;) {
      int holding = 0;
      for (const auto& [label, child] : nodes_[n].Children) {
        const auto c = static_cast<size_t>(child);
        if (listOf[c] < 0 && chainEnd[c] < 0 && !branches[c]) continue;
        ++holding;
        branches[n] = branches[n] || branches[c];
        chainEnd[n] = chainEnd[c] >= 0 ? chainEnd[c] : listOf[c];
      }
      if (holding > 1 || branches[n]) {
        branches[n] = 1;
        chainEnd[n] = -1;
      }
    }

    // The walk looks up no edge from the root, which has a table of its own,
    // nor from a node on a chain, where it compares the key instead; a smaller
    // table stays in the cache.
    auto searched = [&](size_t n) { return n != 0 && chainEnd[n] < 0; };
    size_t edges = 0;
    for (size_t n = 0; n < nodes_.size(); ++n) edges += searched(n) ? nodes_[n].Children.size() : 0;
    size_t slots = 16;
    uint32_t shift = 28;
    while (slots < 2 * edges) slots *= 2, --shift;
    dispatch.Edges_.assign(slots, {});
    dispatch.EdgeShift_ = shift;
    for (size_t n = 0; n < nodes_.size(); ++n) {
      for (const auto& [label, child] : nodes_[n].Children) {
        const auto c = static_cast<size_t>(child);
        const TChoiceDispatch::TEdge edge{static_cast<uint32_t>(n << 8 | label), child, listOf[c], chainEnd[c]};
        if (n == 0) dispatch.Root_[label] = edge;
        if (!searched(n)) continue;
        uint32_t slot = EdgeHash(edge.Key, shift);
        while (dispatch.Edges_[slot].Key != TChoiceDispatch::NoKey)
          slot = (slot + 1) & static_cast<uint32_t>(slots - 1);
        dispatch.Edges_[slot] = edge;
      }
    }

    if (dispatch.ListNodes_.size() >= PairedKeys) {
      dispatch.Pairs_.assign(65536 / 64, 0);
      for (const TChoiceDispatch::TListNode& list : dispatch.ListNodes_) {
        const uint8_t* key = dispatch.Keys_.data() + list.KeyBegin;
        const uint32_t pair = uint32_t{key[0]} << 8 | key[1];
        if (list.Depth == 1) dispatch.Singles_[key[0]] = true;
        else dispatch.Pairs_[pair >> 6] |= uint64_t{1} << (pair & 63);
      }
    }
    return true;
  }

  const TProgramView& view_;
  const TFoldTable& fold_;
  std::vector<TNode> nodes_;
  std::vector<int32_t> operands_;  // of the alternatives, by index
};

TChoiceDispatches::TChoiceDispatches(std::string_view program, TCaseSwapper swapper)
    : Swapper_(swapper), Fold_(FoldTable(swapper)) {
  const TProgramView view(program);
  if (view.Size() <= FirstNodeOffset) return;
  TChoiceDispatchBuilder builder(view, Fold_);
  size_t listBudget = MaxListEntries;
  view.Reachable([&](int64_t head, const std::vector<int64_t>& chain) {
    if (chain.size() < static_cast<size_t>(MinClassified)) return;
    TChoiceDispatch dispatch;
    if (!builder.Build(chain, listBudget, dispatch)) return;
    if (IndexAt_.empty()) IndexAt_.assign(static_cast<size_t>(view.Size()), -1);
    IndexAt_[static_cast<size_t>(head)] = static_cast<int32_t>(Dispatches_.size());
    Dispatches_.push_back(std::move(dispatch));
  });
  const int64_t leading = view.LeadingChoice();
  if (leading >= 0 && At(leading) != nullptr && At(leading)->Complete())
    LeadingIndex_ = IndexAt_[static_cast<size_t>(leading)];
}

const TChoiceDispatch::TEdge* TChoiceDispatch::Find(int32_t node, uint8_t label) const {
  const uint32_t key = static_cast<uint32_t>(node) << 8 | label;
  const auto mask = static_cast<uint32_t>(Edges_.size() - 1);
  for (uint32_t slot = EdgeHash(key, EdgeShift_);; slot = (slot + 1) & mask) {
    const TEdge& edge = Edges_[slot];
    if (edge.Key == key) return &edge;
    if (edge.Key == NoKey) return nullptr;
  }
}

// The input ends in NUL, which no key holds, so the walk never passes its end.
int32_t TChoiceDispatch::Walk(const uint8_t* input, const TFoldTable& fold, int& depth) const {
  depth = 0;
  if (input[0] == 0) return -1;
  if (!Pairs_.empty() && !Singles_[fold[input[0]]]) {
    const uint32_t pair = uint32_t{fold[input[0]]} << 8 | fold[input[1]];
    if (((Pairs_[pair >> 6] >> (pair & 63)) & 1) == 0) {
      depth = 1;
      return -1;
    }
  }
  int32_t found = -1;
  const TEdge* edge = &Root_[fold[input[0]]];
  for (;;) {
    if (edge == nullptr || edge->Child < 0) break;
    ++depth;
    if (edge->List >= 0) found = edge->List;
    if (edge->ChainEnd >= 0) {
      const int reached = depth;
      int32_t list = edge->ChainEnd;
      const uint8_t* key = Keys_.data() + ListNodes_[static_cast<size_t>(list)].KeyBegin;
      const int32_t end = ListNodes_[static_cast<size_t>(list)].Depth;
      while (depth < end && fold[input[depth]] == key[depth]) ++depth;
      while (list >= 0 && ListNodes_[static_cast<size_t>(list)].Depth > depth)
        list = ListNodes_[static_cast<size_t>(list)].Above;
      if (list >= 0 && ListNodes_[static_cast<size_t>(list)].Depth > reached) found = list;
      break;
    }
    if (depth == MaxKeyDepth || input[depth] == 0) break;
    edge = Find(edge->Child, fold[input[depth]]);
  }
  return found;
}

TChoiceDispatch::TCandidates TChoiceDispatch::At(const uint8_t* input, const TFoldTable& fold) const {
  int depth = 0;
  const int32_t list = Walk(input, fold, depth);
  const int32_t* lists = Lists_.data();
  if (list < 0) return {lists + UnclassifiedBegin_, lists + UnclassifiedEnd_, depth};
  const TListNode& at = ListNodes_[static_cast<size_t>(list)];
  return {lists + at.Begin, lists + at.End, depth};
}

}  // namespace regexpr
