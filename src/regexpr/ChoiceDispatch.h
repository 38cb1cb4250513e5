#pragma once
// Which alternatives of a choice are worth trying at a position. An alternative
// whose walk meets a literal before it consumes a character or takes a branch
// fails wherever the input does not begin with that literal, so a trie over the
// literals' first characters, compared in case-folded form, leaves only the
// alternatives that can match; those whose start cannot be told from the bytes
// are tried everywhere. The candidates keep the order written, so the match is
// the one that trying every alternative finds. Worked out from the program
// bytes at first use; the bytes themselves stay as compiled.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "regexpr/Settings.h"

namespace regexpr {

// A byte's class under the case swap: a character, its swapped form and
// whatever the swap chains to them share the smallest member of the chain.
// Matching either case of a literal character thus means matching its class.
using TFoldTable = std::array<uint8_t, 256>;

class TChoiceDispatch {
 public:
  // Keys are the literals' first characters up to this many; alternatives that
  // agree that far are all tried.
  static constexpr int MaxKeyDepth = 16;

  // The program offsets of the operands of the alternatives to try, in order.
  struct TCandidates {
    const int32_t* Begin;
    const int32_t* End;
    int Depth;  // input characters the trie walk compared
  };
  TCandidates At(const uint8_t* input, const TFoldTable& fold) const;
  // Every alternative begins with a literal.
  bool Complete() const { return Complete_; }
  // The MatchPrim calls that the deepest skipped alternative would have nested
  // before its literal failed.
  int PrefixFrames() const { return PrefixFrames_; }

 private:
  friend class TChoiceDispatchBuilder;
  static constexpr uint32_t NoKey = UINT32_MAX;
  // An edge of the trie together with what the walk asks of the node it leads
  // to, so that a step of the walk reads one entry.
  struct TEdge {
    uint32_t Key = NoKey;  // the parent node * 256 + the label
    int32_t Child = -1;
    int32_t List = -1;  // into ListNodes_: the candidates when the walk ends at the child or below
    // When the list nodes below the child lie on one path, the deepest of
    // them: the rest of the walk is then a comparison with its key.
    int32_t ChainEnd = -1;
  };
  struct TListNode {
    int32_t Begin;  // into Lists_
    int32_t End;
    int32_t KeyBegin;  // into Keys_: the labels from the root
    int32_t Depth;
    int32_t Above;  // the nearest list node above it, or -1
  };
  // The deepest list node on the input's path, or -1.
  int32_t Walk(const uint8_t* input, const TFoldTable& fold, int& depth) const;
  const TEdge* Find(int32_t node, uint8_t label) const;

  std::array<TEdge, 256> Root_{};
  std::vector<TEdge> Edges_;  // open addressing by Key; a power of two in size
  uint32_t EdgeShift_ = 32;
  std::vector<TListNode> ListNodes_;
  std::vector<int32_t> Lists_;
  std::vector<uint8_t> Keys_;
  // For many keys: the first two labels of those longer than one, and the keys
  // of one label, so that most positions are refused at a glance.
  std::vector<uint64_t> Pairs_;
  std::array<bool, 256> Singles_{};
  int32_t UnclassifiedBegin_ = 0;  // into Lists_: the candidates wherever no key matches
  int32_t UnclassifiedEnd_ = 0;
  bool Complete_ = false;
  int PrefixFrames_ = 1;
};

// The dispatches of the choices of one program that gain from one.
class TChoiceDispatches {
 public:
  TChoiceDispatches(std::string_view program, TCaseSwapper swapper);
  // The dispatch of the choice whose first opAlternative is at this program
  // offset, or nullptr.
  const TChoiceDispatch* At(std::ptrdiff_t offset) const {
    const int32_t index =
        offset >= 0 && static_cast<size_t>(offset) < IndexAt_.size() ? IndexAt_[static_cast<size_t>(offset)] : -1;
    return index < 0 ? nullptr : &Dispatches_[static_cast<size_t>(index)];
  }
  // A complete dispatch that every match passes before it consumes anything, or
  // nullptr: a start position is worth trying only where it has a candidate.
  const TChoiceDispatch* Leading() const {
    return LeadingIndex_ < 0 ? nullptr : &Dispatches_[static_cast<size_t>(LeadingIndex_)];
  }
  bool Empty() const { return Dispatches_.empty(); }
  const TFoldTable& Fold() const { return Fold_; }
  TCaseSwapper Swapper() const { return Swapper_; }

 private:
  TCaseSwapper Swapper_;
  TFoldTable Fold_{};
  std::vector<int32_t> IndexAt_;  // by program byte
  std::vector<TChoiceDispatch> Dispatches_;
  int32_t LeadingIndex_ = -1;
};

}  // namespace regexpr
