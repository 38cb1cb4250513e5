#include "data/DbrRecords.h"
#include "data/TextServices.h"
#include "search/Search.h"

namespace {

// The window lists the empty name as index 0: choosing it clears the criterion.
std::optional<TIndexSet> IndexCriterion(const std::vector<int32_t>& indices) {
  if (indices.empty()) return std::nullopt;
  TIndexSet set;
  for (int32_t index : indices) {
    if (index == 0) return std::nullopt;
    set.Insert(index);
  }
  return set;
}

// An expression keeps its letter case: the engine decides how case is compared.
std::string TextCriterion(const std::string& text, bool regExpr) {
  return regExpr ? TrimText(text) : LowerText(TrimText(text));
}

std::optional<int32_t> NumberCriterion(const std::string& text) {
  if (text.empty()) return std::nullopt;
  return ParseInteger(text);
}

}  // namespace

TIndexSet::TIndexSet() : words_((MaxPhoneField + 1) / 64, 0) {}

void TIndexSet::Insert(int32_t index) {
  if (index < 0 || index > MaxPhoneField) return;
  words_[index >> 6] |= uint64_t{1} << (index & 63);
}

SearchCriteria MakeSearchCriteria(const TSearchInputs& inputs) {
  SearchCriteria criteria;
  criteria.RegExpr = inputs.RegExpr;
  criteria.Forgiving = inputs.Forgiving && !inputs.RegExpr;
  criteria.Phone = criteria.Forgiving ? ForgivingPhone(inputs.Phone) : inputs.Phone;
  criteria.Owner = TextCriterion(inputs.Owner, inputs.RegExpr);
  criteria.Cities = IndexCriterion(inputs.CityIndices);
  criteria.Streets = IndexCriterion(inputs.StreetIndices);
  criteria.House = NumberCriterion(inputs.House);
  criteria.Corpus = TextCriterion(inputs.Corpus, inputs.RegExpr);
  criteria.Flat = NumberCriterion(inputs.Flat);
  return criteria;
}

bool PhoneTailMatches(std::string_view digits, std::string_view number) { return number.ends_with(digits); }

std::string ForgivingPhone(std::string_view typed) {
  std::string kept;
  for (char c : typed) {
    if (c != ' ' && c != '(' && c != ')' && c != '[' && c != ']' && c != '-') kept += c;
  }
  const bool digits = kept.find_first_not_of("0123456789", kept.starts_with('+') ? 1 : 0) == std::string::npos;
  // The trunk prefix or the country code of a full number is not part of what
  // the directory holds.
  if (digits && kept.size() == 12 && kept.starts_with("+7")) return kept.substr(2);
  if (digits && kept.size() == 11 && kept.starts_with('8')) return kept.substr(1);
  return kept;
}
