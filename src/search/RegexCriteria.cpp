#include "search/RegexCriteria.h"

#include "data/TextServices.h"

TRegexCriterion::TRegexCriterion(const std::string& expression, TStepBudget& budget) : active_(!expression.empty()) {
  if (active_) regex_.SetExpression(expression);
  regex_.SetStepBudget(&budget);
}

bool TRegexCriterion::Matches(std::string_view text) { return regex_.Exec(text); }

regexpr::TRequiredTexts TRegexCriterion::RequiredTexts() {
  if (!regex_.EnsureProgram()) return {};
  return regexpr::RequiredTexts(regex_.Program());
}

TRegexRecordTests::TRegexRecordTests(const TDirectory& directory, const SearchCriteria& criteria, int64_t stepBudget)
    : directory_(directory),
      phones_(directory.Phones),
      ownerColumn_(directory.Phones.OwnerColumn().data()),
      ownerCount_(directory.Owners.size()),
      criteria_(criteria),
      budget_(stepBudget),
      phone_(criteria.Phone, budget_),
      owner_(criteria.Owner, budget_),
      corpus_(criteria.Corpus, budget_),
      corpusAnswers_(corpus_.Active() ? phones_.CorpusTexts().size() : 0, TAnswer::Unknown) {}

bool TRegexRecordTests::Passes(int32_t index) {
  const auto i = static_cast<size_t>(index);
  if (phone_.Active() && !phone_.Matches(phones_.NumberOf(i))) return false;
  if (owner_.Active() && !OwnerMatches(index)) return false;
  if (criteria_.Cities && !criteria_.Cities->Contains(phones_.CityColumn()[i])) return false;
  if (criteria_.Streets && !criteria_.Streets->Contains(phones_.StreetColumn()[i])) return false;
  if (criteria_.House && phones_.HouseColumn()[i] != *criteria_.House) return false;
  if (corpus_.Active() && !CorpusMatches(phones_.CorpusOf(i))) return false;
  return !criteria_.Flat || phones_.FlatColumn()[i] == *criteria_.Flat;
}

std::span<const int32_t> TRegexRecordTests::SelectMayPass(int32_t first, int32_t last,
                                                          std::vector<int32_t>& buffer) const {
  if (buffer.size() < static_cast<size_t>(last - first)) buffer.resize(static_cast<size_t>(last - first));
  int32_t* selected = buffer.data();
  size_t kept = 0;
  if (!ownerFilterFirst_) {
    for (int32_t i = first; i < last; ++i) selected[kept++] = i;
    return {selected, kept};
  }
  // Without a branch on the outcome, as the plain scan selects.
  const int32_t* owners = ownerColumn_;
  const uint64_t* bits = ownerCandidates_.data();
  const auto ownerCount = static_cast<uint32_t>(ownerCount_);
  for (int32_t i = first; i < last; ++i) {
    const auto owner = static_cast<uint32_t>(owners[i]);
    selected[kept] = i;
    kept += owner < ownerCount && ((bits[owner >> 6] >> (owner & 63)) & 1) != 0;
  }
  return {selected, kept};
}

bool TRegexRecordTests::OwnerMatches(int32_t index) {
  const int32_t owner = ownerColumn_[index];
  if (!lastOwnerKnown_ || owner != lastOwner_) {
    if (!lastOwnerKnown_) PrepareOwnerFilter();
    lastOwnerMatched_ = OwnerMayMatch(owner) && (ownerFilterDecides_ || owner_.Matches(directory_.OwnerNameAt(owner)));
    lastOwner_ = owner;
    lastOwnerKnown_ = true;
  }
  return lastOwnerMatched_;
}

// At the owner test's first use, where a compilation error would surface anyway.
void TRegexRecordTests::PrepareOwnerFilter() {
  const regexpr::TRequiredTexts required = owner_.RequiredTexts();
  ownerFiltered_ = !required.Texts.empty();
  ownerFilterDecides_ = required.Decisive;
  ownerFilterFirst_ = ownerFiltered_ && !phone_.Active();
  if (ownerFiltered_) ownerCandidates_ = OwnersHolding(directory_.Owners, required);
}

bool TRegexRecordTests::CorpusMatches(const TCorpusText& corpus) {
  if (corpus.Id >= corpusAnswers_.size()) return corpus_.Matches(corpus);
  TAnswer& answer = corpusAnswers_[corpus.Id];
  if (answer == TAnswer::Unknown) answer = corpus_.Matches(corpus) ? TAnswer::Yes : TAnswer::No;
  return answer == TAnswer::Yes;
}

std::vector<uint64_t> OwnersHolding(const TTextTable& owners, const regexpr::TRequiredTexts& required) {
  if (required.AtStart) {
    std::vector<std::string> needles;
    for (std::string_view text : required.Texts) needles.push_back(LowerText(text));
    return TextsStartingWithAny(owners, needles);
  }
  std::vector<uint64_t> holdingAny((owners.size() + 63) / 64, 0);
  for (std::string_view text : required.Texts) {
    const std::string needle = LowerText(text);
    const std::vector<uint64_t> holding = TextsContaining(owners, needle);
    for (size_t i = 0; i < holding.size(); ++i) holdingAny[i] |= holding[i];
  }
  return holdingAny;
}

std::optional<std::vector<uint64_t>> OwnersDecidingTheSearch(const TTextTable& owners, const SearchCriteria& criteria) {
  if (criteria.Owner.empty() || !criteria.Phone.empty() || !criteria.Corpus.empty()) return std::nullopt;
  TStepBudget unused(SearchStepBudget);
  TRegexCriterion owner(criteria.Owner, unused);
  const regexpr::TRequiredTexts required = owner.RequiredTexts();
  if (!required.Decisive) return std::nullopt;
  return OwnersHolding(owners, required);
}
