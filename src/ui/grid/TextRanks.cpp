#include "ui/grid/TextRanks.h"

#include <algorithm>

#include "ui/grid/RadixOrder.h"

namespace {

struct TWord {
  uint64_t Bytes;
  uint32_t Entry;
};

class TRanking {
 public:
  TRanking(const TColumnTexts& texts, std::vector<TWord> words)
      : texts_(texts), words_(std::move(words)), ranks_(words_.size()) {}

  void Rank() {
    // A list rather than recursion: texts sharing long beginnings would go as deep.
    std::vector<TRange> pending{{0, words_.size(), 0}};
    while (!pending.empty()) {
      const TRange range = pending.back();
      pending.pop_back();
      RankUpToDeeperRun(range, pending);
    }
  }

  std::vector<uint64_t> TakeRanks() { return std::move(ranks_); }

 private:
  // Words [Begin, End) agree on the bytes before From and are sorted by the eight from it.
  struct TRange {
    size_t Begin;
    size_t End;
    size_t From;
  };

  // Ranks the runs of equal words in order up to one that needs the next eight bytes,
  // which goes to pending, sorted by them, ahead of the rest of range.
  void RankUpToDeeperRun(const TRange& range, std::vector<TRange>& pending) {
    for (size_t run = range.Begin; run < range.End;) {
      size_t runEnd = run + 1;
      while (runEnd < range.End && words_[runEnd].Bytes == words_[run].Bytes) ++runEnd;
      if (runEnd - run == 1) {
        ranks_[words_[run].Entry] = next_++;
      } else if (LongestIn(run, runEnd) <= range.From + 8) {
        RankByLength(run, runEnd);
      } else {
        if (runEnd < range.End) pending.push_back({runEnd, range.End, range.From});
        SortByBytesFrom(run, runEnd, range.From + 8);
        pending.push_back({run, runEnd, range.From + 8});
        return;
      }
      run = runEnd;
    }
  }

  size_t LongestIn(size_t begin, size_t end) const {
    size_t longest = 0;
    for (size_t i = begin; i < end; ++i) longest = std::max(longest, texts_.Text(words_[i].Entry).size());
    return longest;
  }

  void SortByBytesFrom(size_t begin, size_t end, size_t from) {
    for (size_t i = begin; i < end; ++i) words_[i].Bytes = texts_.Bytes(words_[i].Entry, from);
    std::sort(words_.begin() + static_cast<std::ptrdiff_t>(begin), words_.begin() + static_cast<std::ptrdiff_t>(end),
              [](const TWord& a, const TWord& b) { return a.Bytes < b.Bytes; });
  }

  // Texts alike but for zero bytes past the shorter ones' ends: the shorter comes first.
  void RankByLength(size_t begin, size_t end) {
    const auto lengthOf = [&](const TWord& word) { return texts_.Text(word.Entry).size(); };
    std::sort(words_.begin() + static_cast<std::ptrdiff_t>(begin), words_.begin() + static_cast<std::ptrdiff_t>(end),
              [&](const TWord& a, const TWord& b) { return lengthOf(a) < lengthOf(b); });
    for (size_t i = begin; i < end; ++i) {
      if (i > begin && lengthOf(words_[i]) != lengthOf(words_[i - 1])) ++next_;
      ranks_[words_[i].Entry] = next_;
    }
    ++next_;
  }

  const TColumnTexts& texts_;
  std::vector<TWord> words_;
  std::vector<uint64_t> ranks_;
  uint64_t next_ = 0;
};

}  // namespace

std::vector<uint64_t> TextRanks(const TColumnTexts& texts) {
  const size_t count = texts.Entries();
  std::vector<uint64_t> prefixes(count);
  for (uint32_t entry = 0; entry < count; ++entry) prefixes[entry] = texts.Bytes(entry);
  const std::vector<uint32_t> order = RadixOrder({&prefixes}, count);
  std::vector<TWord> words(count);
  for (size_t i = 0; i < count; ++i) words[i] = {prefixes[order[i]], order[i]};
  TRanking ranking(texts, std::move(words));
  ranking.Rank();
  return ranking.TakeRanks();
}
