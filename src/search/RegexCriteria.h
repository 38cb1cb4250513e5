#pragma once
// The record tests of regular-expression mode: phone, owner and corpus matched by
// the engine, the other four as in plain mode, in the same order.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RegExpr.h"
#include "Search.h"

// One expression of a search, compiled at its first use and reused for every record
// after that: the same answers as compiling it afresh for each record, and the same
// errors at the same record.
class TRegexCriterion {
 public:
  explicit TRegexCriterion(const std::string& expression);
  bool Active() const { return active_; }
  // Throws ERegExpr when the expression does not compile or the match runs away.
  bool Matches(std::string_view text);

 private:
  bool active_;
  TRegExpr regex_;
};

// Tests records one at a time in table order; reads Owners and Phones.
class TRegexRecordTests {
 public:
  explicit TRegexRecordTests(const SearchCriteria& criteria);
  // Throws ERegExpr from the first test that uses a failing expression.
  bool Passes(int32_t index);

 private:
  bool OwnerMatches(int32_t ownerIndex);
  bool CorpusMatches(const TCorpusText& corpus);

  const SearchCriteria& criteria_;
  TRegexCriterion phone_;
  TRegexCriterion owner_;
  TRegexCriterion corpus_;
  // The lines of one owner follow each other, so its name is matched once.
  int32_t lastOwner_ = 0;
  bool lastOwnerKnown_ = false;
  bool lastOwnerMatched_ = false;
  // Few corpus texts are shared by many lines: one answer per text, once it is known.
  enum class TAnswer : uint8_t { Unknown, No, Yes };
  std::vector<TAnswer> corpusAnswers_;
};
