// Any bytes as the three directory files, then one search over what they loaded.
// The tables must hold exactly the complete records of the files, and the scan,
// in plain or regular-expression mode, must report what the record tests give when
// applied one record at a time, with every expression compiled afresh: the same
// results and progress calls in the same order, and the same error at the same
// record.
//
// Input: a 9-byte header, then Cities.dbr, Streets.dbr, the phone, owner and
// corpus criteria, and Phones.dbr as the rest. Header bytes: 0 the switches
// (bit 0 regular-expression mode; bits 1 to 4 the city, street, house and flat
// criteria; bit 5 Phones.dbr repeated past one block of the scan), 1 the record those four criteria are taken from
// (modulo the table size), 2-3 and 4-5 the sizes of Cities.dbr and Streets.dbr (little-endian), 6, 7 and 8 the sizes of
// the three texts. Sizes are cut to what the input holds.

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/DbrRecords.h"
#include "data/LoadDirectory.h"
#include "data/TextServices.h"
#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"
#include "search/Search.h"
#include "tests/data/support/DirectoryFiles.h"

namespace {

constexpr size_t HeaderSize = 9;

void Require(bool condition) {
  if (!condition) std::abort();
}

struct TLayout {
  uint8_t Switches = 0;
  uint8_t Record = 0;
  std::string_view Cities, Streets, Phone, Owner, Corpus, Phones;
};

TLayout Split(std::string_view input) {
  const auto byte = [&](size_t at) -> size_t { return at < input.size() ? static_cast<uint8_t>(input[at]) : 0; };
  std::string_view rest = input.substr(std::min(HeaderSize, input.size()));
  const auto take = [&](size_t size) {
    const std::string_view part = rest.substr(0, size);
    rest.remove_prefix(part.size());
    return part;
  };
  TLayout layout;
  layout.Switches = static_cast<uint8_t>(byte(0));
  layout.Record = static_cast<uint8_t>(byte(1));
  layout.Cities = take(byte(2) | byte(3) << 8);
  layout.Streets = take(byte(4) | byte(5) << 8);
  layout.Phone = take(byte(6));
  layout.Owner = take(byte(7));
  layout.Corpus = take(byte(8));
  layout.Phones = rest;
  return layout;
}

size_t PhoneRecordsIn(std::string_view bytes) {
  size_t phones = 0;
  for (size_t at = 0; at < bytes.size(); at += PhonesRecordSize(static_cast<uint8_t>(bytes[at])))
    phones += IsPhoneTag(static_cast<uint8_t>(bytes[at]));
  return phones;
}

// Repeated until it holds more phone records than a block of the scan, so that
// the block boundaries and the progress calls are reached.
std::string PhonesFile(const TLayout& layout) {
  const size_t phones = PhoneRecordsIn(layout.Phones);
  const size_t copies = (layout.Switches & 32) && phones > 0 ? ProgressStep / phones + 1 : 1;
  std::string file;
  for (size_t i = 0; i < copies; ++i) file += layout.Phones;
  return file;
}

const TTempDirectory& Folder() {
  static const TTempDirectory folder;
  return folder;
}

// Element 0 empty, then every complete name record; a name cut short is dropped.
std::vector<std::string> NamesIn(std::string_view bytes) {
  std::vector<std::string> names{""};
  ForEachNameRecord(bytes, [&](std::string_view name) { names.emplace_back(name); });
  return names;
}

using TNameLookup = std::string_view (TDirectory::*)(int32_t) const;

void RequireNames(const TDirectory& directory, const std::vector<std::string>& expected, TNameLookup nameAt) {
  for (size_t i = 0; i <= expected.size(); ++i)
    Require((directory.*nameAt)(static_cast<int32_t>(i)) == (i < expected.size() ? expected[i] : std::string()));
  Require((directory.*nameAt)(-1).empty());
}

void RequirePhone(const TDirectory& directory, size_t row, int32_t owner, const TDbrPhone& record) {
  Require(row < directory.Phones.size());
  const TPhone& phone = directory.Phones[row];
  const int64_t number = record.Number;
  Require(phone.OwnerIndex == owner && std::string_view(phone.Number) == std::to_string(number));
  Require(phone.CityIndex == record.City && phone.StreetIndex == record.Street && phone.House == record.House &&
          phone.Flat == record.Flat);
  Require(std::string_view(phone.Corpus) == record.Corpus);
  Require(directory.Phones.OwnerColumn()[row] == owner &&
          directory.Phones.NumberColumn()[row] == (number >= 0 ? number : -1));
  Require(directory.Phones.CityColumn()[row] == record.City && directory.Phones.StreetColumn()[row] == record.Street);
  Require(directory.Phones.HouseColumn()[row] == record.House && directory.Phones.FlatColumn()[row] == record.Flat);
}

// directory.Owners and directory.Phones hold every complete record of the file, in file order, and a
// phone belongs to the owner record read before it.
void RequireLoadedAsWritten(const TDirectory& directory, std::string_view bytes) {
  size_t owners = 0;
  size_t phones = 0;
  ForEachPhonesRecord(
      bytes,
      [&](std::string_view name) {
        Require(owners < directory.Owners.size() && directory.Owners[owners] == name);
        ++owners;
      },
      [&](const TDbrPhone& record) { RequirePhone(directory, phones++, static_cast<int32_t>(owners) - 1, record); });
  Require(owners == directory.Owners.size() && phones == directory.Phones.size());
}

// Equal corpus texts share one id and different ones never do: the search keeps
// one answer per id.
void RequireCorpusIds(const TDirectory& directory) {
  std::map<std::string_view, uint32_t> ids;
  std::map<uint32_t, std::string_view> texts;
  for (const TPhone& phone : directory.Phones) {
    const std::string_view text = phone.Corpus;
    Require(ids.emplace(text, phone.Corpus.Id).first->second == phone.Corpus.Id);
    Require(texts.emplace(phone.Corpus.Id, text).first->second == text);
  }
}

// The record's index and every other index of the table that carries its name, as
// the window selects a name; an index past the table stands alone.
std::vector<int32_t> IndicesNamedAs(const std::vector<std::string>& table, int32_t index) {
  std::vector<int32_t> indices{index};
  if (static_cast<size_t>(index) >= table.size()) return indices;
  for (size_t i = 1; i < table.size(); ++i)
    if (static_cast<int32_t>(i) != index && table[i] == table[index]) indices.push_back(static_cast<int32_t>(i));
  return indices;
}

TSearchInputs InputsFor(const TDirectory& directory, const TLayout& layout) {
  TSearchInputs inputs;
  inputs.RegExpr = layout.Switches & 1;
  inputs.Phone = layout.Phone;
  inputs.Owner = layout.Owner;
  inputs.Corpus = layout.Corpus;
  if (directory.Phones.empty()) return inputs;
  const TPhone& model = directory.Phones[layout.Record % directory.Phones.size()];
  if (layout.Switches & 2) inputs.CityIndices = IndicesNamedAs(directory.Cities, model.CityIndex);
  if (layout.Switches & 4) inputs.StreetIndices = IndicesNamedAs(directory.Streets, model.StreetIndex);
  if (layout.Switches & 8) inputs.House = std::to_string(model.House);
  if (layout.Switches & 16) inputs.Flat = std::to_string(model.Flat);
  return inputs;
}

bool IndexHolds(const std::vector<int32_t>& indices, int32_t index) {
  if (indices.empty()) return true;
  for (int32_t selected : indices)
    if (selected == 0 || selected == index) return true;
  return false;
}

// The seven record tests in their order, straight from their definition. In
// regular-expression mode each test compiles its expression afresh; the answers
// are kept per text only to save time, the engine's answer depending on nothing else.
class TRecordTests {
 public:
  TRecordTests(const TDirectory& directory, const TSearchInputs& inputs)
      : directory_(directory), inputs_(inputs), owner_(TrimText(inputs.Owner)), corpus_(TrimText(inputs.Corpus)) {}

  bool Passes(const TPhone& r) {
    if (!inputs_.Phone.empty() && !PhoneMatches(r.Number)) return false;
    if (!owner_.empty() && !TextMatches(0, owner_, directory_.OwnerName(r))) return false;
    if (!IndexHolds(inputs_.CityIndices, r.CityIndex)) return false;
    if (!IndexHolds(inputs_.StreetIndices, r.StreetIndex)) return false;
    if (!inputs_.House.empty() && r.House != ParseInteger(inputs_.House)) return false;
    if (!corpus_.empty() && !TextMatches(1, corpus_, r.Corpus)) return false;
    return inputs_.Flat.empty() || r.Flat == ParseInteger(inputs_.Flat);
  }

 private:
  bool PhoneMatches(std::string_view number) {
    return inputs_.RegExpr ? TextMatches(2, inputs_.Phone, number) : number.ends_with(inputs_.Phone);
  }

  bool TextMatches(int criterion, const std::string& typed, std::string_view text) {
    if (!inputs_.RegExpr) return TextPos(LowerText(typed), LowerText(text)) > 0;
    const auto key = std::make_pair(criterion, std::string(text));
    const auto known = answers_.find(key);
    if (known != answers_.end()) return known->second;
    return answers_[key] = RegexMatches(typed, text);
  }

  const TDirectory& directory_;
  const TSearchInputs& inputs_;
  const std::string owner_;
  const std::string corpus_;
  std::map<std::pair<int, std::string>, bool> answers_;
};

// Results and progress calls in the order they were made, and the error that ended the scan.
struct TScanLog {
  std::vector<std::pair<char, int32_t>> Events;
  int Error = 0;
  bool operator==(const TScanLog&) const = default;
};

TScanLog ScanLog(const TDirectory& directory, const TSearchInputs& inputs) {
  TScanLog log;
  try {
    ScanPhones(
        directory, MakeSearchCriteria(inputs), [&](int32_t i) { log.Events.emplace_back('R', i); },
        [&](int32_t i) { log.Events.emplace_back('P', i); });
  } catch (const ERegExpr& error) {
    log.Error = error.ErrorNumber;
  }
  return log;
}

TScanLog RecordByRecordLog(const TDirectory& directory, const TSearchInputs& inputs) {
  TScanLog log;
  TRecordTests tests(directory, inputs);
  for (size_t i = 0; i < directory.Phones.size(); ++i) {
    const auto index = static_cast<int32_t>(i);
    try {
      if (tests.Passes(directory.Phones[i])) log.Events.emplace_back('R', index);
    } catch (const ERegExpr& error) {
      log.Error = error.ErrorNumber;
      break;
    }
    if (index % ProgressStep == 0) log.Events.emplace_back('P', index);
  }
  return log;
}

// What an expression typed by the user may raise during a search.
bool IsSearchError(int code) {
  const bool compileError = code >= regexpr::ErrorTooManyGroups && code <= regexpr::ErrorBadModifier &&
                            code != regexpr::ErrorJunkOnEnd && code != regexpr::ErrorInternal &&
                            code != regexpr::ErrorLiteralDisaster;
  return compileError || code == regexpr::ErrorLoopStackExceeded || code == regexpr::ErrorMatchTooDeep ||
         code == regexpr::ErrorMatchTooLong;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TLayout layout = Split(std::string_view(reinterpret_cast<const char*>(data), size));
  const TTempDirectory& folder = Folder();
  folder.Write("Cities.dbr", layout.Cities);
  folder.Write("Streets.dbr", layout.Streets);
  const std::string phonesFile = PhonesFile(layout);
  folder.Write("Phones.dbr", phonesFile);
  const std::shared_ptr<const TDirectory> loaded = LoadDirectory(folder.Path());
  const TDirectory& directory = *loaded;

  const std::vector<std::string> cities = NamesIn(layout.Cities);
  const std::vector<std::string> streets = NamesIn(layout.Streets);
  Require(directory.Cities == cities && directory.Streets == streets);
  RequireNames(directory, cities, &TDirectory::CityName);
  RequireNames(directory, streets, &TDirectory::StreetName);
  RequireLoadedAsWritten(directory, phonesFile);
  RequireCorpusIds(directory);

  const TSearchInputs inputs = InputsFor(directory, layout);
  const TScanLog scanned = ScanLog(directory, inputs);
  Require(scanned.Error == 0 || (inputs.RegExpr && IsSearchError(scanned.Error)));
  Require(scanned == RecordByRecordLog(directory, inputs));
  return 0;
}
