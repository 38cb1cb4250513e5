#pragma once
// Search criteria, record tests and the scan over a directory's Phones.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/Directory.h"
#include "search/SearchCancel.h"

// The seven search fields and the mode as the window holds them.
struct TSearchInputs {
  std::string Phone;
  std::string Owner;
  std::vector<int32_t> CityIndices;  // every table index carrying the selected name; empty or 0 = none
  std::vector<int32_t> StreetIndices;
  std::string House;
  std::string Corpus;
  std::string Flat;
  bool RegExpr = false;
  bool Forgiving = false;  // ignored when RegExpr
};

// A set of city or street indices: one bit per possible 16-bit index.
class TIndexSet {
 public:
  TIndexSet();
  void Insert(int32_t index);  // indices outside 0..MaxPhoneField are never stored in a record and are ignored
  bool Contains(uint16_t index) const { return (words_[index >> 6] >> (index & 63)) & 1; }

 private:
  std::vector<uint64_t> words_;
};

// Snapshot taken at the start of a search; inactive criteria are empty/nullopt.
struct SearchCriteria {
  std::string Phone;  // as typed
  std::string Owner;  // trimmed; lower-cased in plain mode
  std::optional<TIndexSet> Cities;
  std::optional<TIndexSet> Streets;
  std::optional<int32_t> House;
  std::string Corpus;  // as Owner
  std::optional<int32_t> Flat;
  bool RegExpr = false;
  bool Forgiving = false;  // plain mode only; Phone is then ForgivingPhone of the field
};

// Throws EConvertError for a house or flat that is not a number.
SearchCriteria MakeSearchCriteria(const TSearchInputs& inputs);

// The phone field as forgiving mode reads it: without spaces, brackets and hyphens,
// and of a full eleven-digit number ("+7..." or "8...") the last ten digits.
std::string ForgivingPhone(std::string_view typed);

// The number ends with the typed digits (and so is at least as long).
bool PhoneTailMatches(std::string_view digits, std::string_view number);

// How many records a scan goes between two progress calls: the window repaints its
// progress bar no more often.
constexpr int32_t ProgressStep = 10000;

// Scans directory.Phones in table order: onResult(i) for each result, onProgress(i)
// after record i whenever i is a multiple of ProgressStep (0 included). Reads Phones and
// Owners: call only once their load has handed them over. In regular-expression mode
// an ERegExpr ends the scan after the results of the records before the one whose
// test raised it.
// A cancel seen before the scan, between two blocks of ProgressStep records or, in
// regular-expression mode, before a record ends it and gives false; the results
// reported until then are those of a leading part of the table. The directory is
// only read, so scans may run on several threads at once.
bool ScanPhones(const TDirectory& directory, const SearchCriteria& criteria,
                const std::function<void(int32_t)>& onResult, const std::function<void(int32_t)>& onProgress,
                const TSearchCancel* cancel = nullptr);
