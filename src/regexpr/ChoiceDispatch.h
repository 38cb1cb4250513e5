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
  // Whether some alternative can match at input; only for a choice whose every
  // alternative is classified.
  bool AnyAt(const uint8_t* input, const TFoldTable& fold, int& depth) const;
  // Every alternative begins with a literal.
  bool Complete() const { return Complete_; }
  // The MatchPrim calls that the deepest skipped alternative would have nested
  // before its literal failed.
  int PrefixFrames() const { return PrefixFrames_; }

 private:
  friend class TChoiceDispatchBuilder;
  struct TTrieNode {
    int32_t FirstEdge = 0;
    int32_t EdgeCount = 0;
    int32_t ListBegin = -1;  // into Lists_: the candidates when the walk ends here or below
    int32_t ListEnd = -1;
  };
  // The deepest node on the input's path that has a list, or -1.
  int32_t Walk(const uint8_t* input, const TFoldTable& fold, bool stopAtFirstList, int& depth) const;
  int32_t Child(int32_t node, uint8_t label) const;

  std::array<int32_t, 256> RootChild_{};
  std::vector<TTrieNode> Nodes_;  // 0 is the root
  std::vector<uint8_t> Labels_;   // the edges of each node together, by ascending label
  std::vector<int32_t> Children_;
  std::vector<int32_t> Lists_;
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
