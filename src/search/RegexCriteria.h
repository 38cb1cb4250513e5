#pragma once
// The record tests of regular-expression mode: phone, owner and corpus matched by
// the engine, the other four as in plain mode, in the same order.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"
#include "regexpr/RequiredTexts.h"
#include "search/Search.h"
#include "search/TextsContaining.h"

// The engine work that one search may take: about two seconds of the slowest
// steps, whatever the expressions and the size of the directory.
constexpr int64_t SearchStepBudget = 2 * regexpr::StepsPerSecond;

// One expression of a search, compiled at its first use and reused for every record
// after that: the same answers as compiling it afresh for each record, and the same
// errors at the same record.
class TRegexCriterion {
 public:
  // Every execution charges its engine steps to budget.
  TRegexCriterion(const std::string& expression, TStepBudget& budget);
  bool Active() const { return active_; }
  // Throws ERegExpr when the expression does not compile or the match runs away.
  bool Matches(std::string_view text);
  // Texts of which a matching subject holds one (none when the expression promises
  // none); compiles the expression, so throws as Matches would.
  regexpr::TRequiredTexts RequiredTexts();

 private:
  bool active_;
  TRegExpr regex_;
};

// Tests records of a directory one at a time in table order, and keeps referring to
// the directory and the criteria.
class TRegexRecordTests {
 public:
  TRegexRecordTests(const TDirectory& directory, const SearchCriteria& criteria, int64_t stepBudget = SearchStepBudget);
  // Throws ERegExpr from the first test that uses a failing expression, and
  // once the expressions together have spent the step budget.
  bool Passes(int32_t index);
  // False only for a record that Passes would refuse before any engine work: the
  // owner test comes first and the name holds none of its required texts. Cheap
  // enough to call for every record.
  bool MayPass(int32_t index) const { return !ownerFilterFirst_ || OwnerMayMatch(ownerColumn_[index]); }
  // Whether the owner filter is known and decides MayPass alone: from the first
  // record that reached the owner test on, when no phone test comes first.
  bool OwnerFilterFirst() const { return ownerFilterFirst_; }
  // The indices in [first, last) for which MayPass holds, held in buffer. Reads
  // only what the tests no longer change, so another thread may call it while
  // this one tests records.
  std::span<const int32_t> SelectMayPass(int32_t first, int32_t last, std::vector<int32_t>& buffer) const;

 private:
  bool OwnerMatches(int32_t ownerIndex);
  void PrepareOwnerFilter();
  // An index outside the table reads as the empty name, which holds no text.
  bool OwnerMayMatch(int32_t ownerIndex) const {
    return !ownerFiltered_ || (ownerIndex >= 0 && static_cast<size_t>(ownerIndex) < ownerCount_ &&
                               BitSet(ownerCandidates_, static_cast<size_t>(ownerIndex)));
  }
  bool CorpusMatches(const TCorpusText& corpus);

  const TDirectory& directory_;
  const TPhoneTable& phones_;
  // Read for every record: held here rather than looked up through the directory.
  const int32_t* ownerColumn_;
  size_t ownerCount_;
  const SearchCriteria& criteria_;
  // The three expressions share one bound on the engine work of a search.
  TStepBudget budget_;
  TRegexCriterion phone_;
  TRegexCriterion owner_;
  TRegexCriterion corpus_;
  // The lines of one owner follow each other, so its name is matched once.
  int32_t lastOwner_ = 0;
  bool lastOwnerKnown_ = false;
  bool lastOwnerMatched_ = false;
  // A name that holds none of the texts every match contains cannot match, so it
  // is passed over without the engine: one bit per owner, found by substring scans.
  bool ownerFiltered_ = false;
  bool ownerFilterDecides_ = false;  // the bit is the whole answer
  bool ownerFilterFirst_ = false;    // and no phone test comes before it
  std::vector<uint64_t> ownerCandidates_;
  // Few corpus texts are shared by many lines: one answer per text, once it is known.
  enum class TAnswer : uint8_t { Unknown, No, Yes };
  std::vector<TAnswer> corpusAnswers_;
};

// One bit per owner whose lower-cased name holds one of the required texts (at its
// start, where they say so).
std::vector<uint64_t> OwnersHolding(const TTextTable& owners, const regexpr::TRequiredTexts& required);

// The owners to keep when the owner expression is the only expression of a search
// and holding one of its texts is the whole match; nothing otherwise. Compiles the
// expression, so throws as the first owner test would.
std::optional<std::vector<uint64_t>> OwnersDecidingTheSearch(const TTextTable& owners, const SearchCriteria& criteria);
