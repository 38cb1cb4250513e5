// The block-wise scan must find exactly what the record tests find when they are
// applied one record at a time, on a realistic directory with damaged records mixed in.

#include <gtest/gtest.h>

#include "data/LoadDirectory.h"
#include "data/TextServices.h"
#include "search/Search.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"
#include "tools/DirectoryGenerator.h"
#include "tools/Random.h"

namespace {

bool Contains(const std::vector<int32_t>& indices, int32_t index) {
  return std::find(indices.begin(), indices.end(), index) != indices.end();
}

bool IndexCriterionHolds(const std::vector<int32_t>& indices, int32_t index) {
  return indices.empty() || Contains(indices, 0) || Contains(indices, index);
}

bool SubstringHolds(const std::string& typed, std::string_view text) {
  const std::string needle = LowerText(TrimText(typed));
  return needle.empty() || TextPos(needle, LowerText(text)) > 0;
}

// The record tests in their plain form, one record at a time.
bool RecordIsResult(const TDirectory& directory, const TSearchInputs& in, const TPhone& r) {
  const std::string_view number(r.Number);
  if (!in.Phone.empty() && !(number.size() >= in.Phone.size() && number.ends_with(in.Phone))) return false;
  if (!SubstringHolds(in.Owner, directory.OwnerName(r))) return false;
  if (!IndexCriterionHolds(in.CityIndices, r.CityIndex)) return false;
  if (!IndexCriterionHolds(in.StreetIndices, r.StreetIndex)) return false;
  if (!in.House.empty() && r.House != ParseInteger(in.House)) return false;
  if (!SubstringHolds(in.Corpus, r.Corpus)) return false;
  return in.Flat.empty() || r.Flat == ParseInteger(in.Flat);
}

std::string RandomPiece(TRandom& random, std::string_view text) {
  if (text.empty()) return "";
  const size_t start = random.Below(text.size());
  std::string piece(text.substr(start, 1 + random.Below(std::min<size_t>(8, text.size() - start))));
  for (char& c : piece) {
    if (random.Chance(30) && static_cast<unsigned char>(c) >= 0xE0) c = static_cast<char>(c - 0x20);
  }
  return piece;
}

// Criteria taken from a random record, so that most searches find something.
TSearchInputs RandomInputs(TRandom& random, const TDirectory& directory) {
  const TPhone& r = directory.Phones[random.Below(directory.Phones.size())];
  TSearchInputs in;
  const std::string_view number(r.Number);
  if (random.Chance(40))
    in.Phone = std::string(number.substr(number.size() - std::min<size_t>(number.size(), 1 + random.Below(7))));
  if (random.Chance(40)) in.Owner = (random.Chance(20) ? " " : "") + RandomPiece(random, directory.OwnerName(r));
  if (random.Chance(30)) in.CityIndices = {r.CityIndex, static_cast<int32_t>(random.Below(70))};
  if (random.Chance(20)) in.StreetIndices = {r.StreetIndex};
  if (random.Chance(30)) in.House = std::to_string(random.Chance(80) ? r.House : static_cast<int>(random.Below(5)));
  if (random.Chance(15)) in.Corpus = RandomPiece(random, r.Corpus);
  if (random.Chance(15)) in.Flat = std::to_string(r.Flat);
  return in;
}

class ScanEquivalence : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const TTempDirectory folder;
    GenerateDirectory(folder.Path(), 30000, 11);
    loaded = LoadDirectory(folder.Path());
    TTextTable& owners = loaded->Owners;
    TPhoneTable& phones = loaded->Phones;
    // Records no generator writes: before any owner, past the tables, odd numbers.
    phones.push_back(TPhone{-1, "4545", 65535, 65535, 65535, TCorpusText(phones, Cp("А")), 65535});
    phones.push_back(TPhone{static_cast<int32_t>(owners.size()) + 5, "-12345", 0, 0, 0, {}, 0});
    owners.push_back(Cp("Иван") + std::string(1, '\0') + Cp("Иван"));
    phones.push_back(TPhone{static_cast<int32_t>(owners.size()) - 1, "0", 1, 1, 1, {}, 1});
  }
  static void TearDownTestSuite() { loaded.reset(); }
  static std::shared_ptr<TDirectory> loaded;
};

std::shared_ptr<TDirectory> ScanEquivalence::loaded;

}  // namespace

TEST_F(ScanEquivalence, BlockScanFindsExactlyTheRecordsThatPassTheRecordTests) {
  const TDirectory& directory = *loaded;
  TRandom random(5);
  size_t searchesWithResults = 0;
  for (int search = 0; search < 300; ++search) {
    const TSearchInputs in = RandomInputs(random, directory);
    std::vector<int32_t> expected;
    for (size_t i = 0; i < directory.Phones.size(); ++i) {
      if (RecordIsResult(directory, in, directory.Phones[i])) expected.push_back(static_cast<int32_t>(i));
    }
    std::vector<int32_t> found;
    ScanPhones(
        directory, MakeSearchCriteria(in), [&](int32_t i) { found.push_back(i); }, [](int32_t) {});
    ASSERT_EQ(found, expected) << "search " << search << " phone '" << in.Phone << "' owner '"
                               << Utf8FromCp1251(in.Owner) << "' house '" << in.House << "'";
    searchesWithResults += !found.empty();
  }
  EXPECT_GT(searchesWithResults, 150u);
}

TEST_F(ScanEquivalence, CommonNamePartFindsTensOfRecordsPerThousand) {
  TSearchInputs in;
  in.Owner = Cp("ИВАН");
  size_t found = 0;
  ScanPhones(
      *loaded, MakeSearchCriteria(in), [&](int32_t) { ++found; }, [](int32_t) {});
  EXPECT_GT(found, loaded->Phones.size() / 50);
}
