#include "RegexCriteria.h"

namespace {

// The name by its index from the owner column, sparing a read of the whole record;
// an index outside the table reads as the empty name.
std::string_view OwnerText(int32_t index) {
  const auto i = static_cast<size_t>(index);
  return index >= 0 && i < Owners.size() ? Owners[i] : std::string_view();
}

}  // namespace

TRegexCriterion::TRegexCriterion(const std::string& expression, TStepBudget& budget) : active_(!expression.empty()) {
  if (active_) regex_.SetExpression(expression);
  regex_.SetStepBudget(&budget);
}

bool TRegexCriterion::Matches(std::string_view text) { return regex_.Exec(text); }

TRegexRecordTests::TRegexRecordTests(const SearchCriteria& criteria, int64_t stepBudget)
    : criteria_(criteria),
      budget_(stepBudget),
      phone_(criteria.Phone, budget_),
      owner_(criteria.Owner, budget_),
      corpus_(criteria.Corpus, budget_),
      corpusAnswers_(corpus_.Active() ? Phones.CorpusTexts().size() : 0, TAnswer::Unknown) {}

bool TRegexRecordTests::Passes(int32_t index) {
  const auto i = static_cast<size_t>(index);
  if (phone_.Active() && !phone_.Matches(Phones.NumberOf(i))) return false;
  if (owner_.Active() && !OwnerMatches(index)) return false;
  if (criteria_.Cities && !criteria_.Cities->Contains(Phones.CityColumn()[i])) return false;
  if (criteria_.Streets && !criteria_.Streets->Contains(Phones.StreetColumn()[i])) return false;
  if (criteria_.House && Phones.HouseColumn()[i] != *criteria_.House) return false;
  if (corpus_.Active() && !CorpusMatches(Phones.CorpusOf(i))) return false;
  return !criteria_.Flat || Phones.FlatColumn()[i] == *criteria_.Flat;
}

bool TRegexRecordTests::OwnerMatches(int32_t index) {
  const int32_t owner = Phones.OwnerColumn()[static_cast<size_t>(index)];
  if (!lastOwnerKnown_ || owner != lastOwner_) {
    lastOwnerMatched_ = owner_.Matches(OwnerText(owner));
    lastOwner_ = owner;
    lastOwnerKnown_ = true;
  }
  return lastOwnerMatched_;
}

bool TRegexRecordTests::CorpusMatches(const TCorpusText& corpus) {
  if (corpus.Id >= corpusAnswers_.size()) return corpus_.Matches(corpus);
  TAnswer& answer = corpusAnswers_[corpus.Id];
  if (answer == TAnswer::Unknown) answer = corpus_.Matches(corpus) ? TAnswer::Yes : TAnswer::No;
  return answer == TAnswer::Yes;
}
