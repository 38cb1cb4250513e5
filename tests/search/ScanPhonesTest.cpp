#include <gtest/gtest.h>

#include <set>

#include "search/Search.h"
#include "tests/support/Cp1251Literal.h"

namespace {

using Indices = std::vector<int32_t>;

class ScanPhonesTest : public ::testing::Test {
 protected:
  TDirectory directory;
  TTextTable& Owners = directory.Owners;
  TPhoneTable& Phones = directory.Phones;

  Indices Results(const TSearchInputs& inputs) {
    Indices found;
    ScanPhones(
        directory, MakeSearchCriteria(inputs), [&](int32_t i) { found.push_back(i); }, [](int32_t) {});
    return found;
  }

  void AddNumbers(std::initializer_list<const char*> numbers) {
    for (const char* number : numbers) Phones.push_back(TPhone{0, number, 0, 0, 0, {}, 0});
  }
};

TSearchInputs PhoneInput(std::string digits) {
  TSearchInputs inputs;
  inputs.Phone = std::move(digits);
  return inputs;
}

}  // namespace

TEST_F(ScanPhonesTest, PhoneFindsNumbersEndingInTheDigits) {
  Owners.push_back("A");
  AddNumbers({"4523", "23", "2345", "4545", "45", "12345", "4512", "5", "-45", "0", "9161234545"});
  EXPECT_EQ(Results(PhoneInput("23")), (Indices{0, 1}));
  EXPECT_EQ(Results(PhoneInput("45")), (Indices{2, 3, 4, 5, 8, 10}));
  EXPECT_EQ(Results(PhoneInput("0")), (Indices{9}));
  EXPECT_EQ(Results(PhoneInput("045")), Indices{});
  EXPECT_EQ(Results(PhoneInput("9161234545")), (Indices{10}));
  EXPECT_EQ(Results(PhoneInput("-45")), (Indices{8}));
  EXPECT_EQ(Results(PhoneInput("00000000000000000009161234545")), Indices{});
}

TEST_F(ScanPhonesTest, PhoneDigitsWithLeadingZerosNeedTheFullLength) {
  Owners.push_back("A");
  AddNumbers({"105", "5", "05", "1005", "123456789012345678"});
  EXPECT_EQ(Results(PhoneInput("05")), (Indices{0, 2, 3}));
  EXPECT_EQ(Results(PhoneInput("005")), (Indices{3}));
  EXPECT_EQ(Results(PhoneInput("123456789012345678")), (Indices{4}));
  EXPECT_EQ(Results(PhoneInput("0123456789012345678")), Indices{});
}

TEST_F(ScanPhonesTest, OwnerMatchesIgnoringCaseOnBothSides) {
  Owners.push_back(Cp("Иванов Пётр"));
  Owners.push_back(Cp("иван"));
  Owners.push_back(Cp("Петров"));
  Owners.push_back(std::string("Ab\0ivan", 7));
  for (int32_t owner : {0, 1, 2, 3, -1, 99}) Phones.push_back(TPhone{owner, "1", 0, 0, 0, {}, 0});
  TSearchInputs inputs;
  inputs.Owner = Cp("ИВАН");
  EXPECT_EQ(Results(inputs), (Indices{0, 1}));
  inputs.Owner = Cp("  иван ");
  EXPECT_EQ(Results(inputs), (Indices{0, 1}));
  inputs.Owner = Cp("ов");
  EXPECT_EQ(Results(inputs), (Indices{0, 2}));
  inputs.Owner = "b";
  EXPECT_EQ(Results(inputs), (Indices{3}));
  inputs.Owner = "ivan";
  EXPECT_EQ(Results(inputs), Indices{}) << "a name is read up to its first NUL";
  inputs.Owner = Cp("ванов пётр и");
  EXPECT_EQ(Results(inputs), Indices{}) << "no match across two names";
}

TEST_F(ScanPhonesTest, CorpusMatchesAsASubstringIgnoringCase) {
  Owners.push_back("A");
  for (const char* corpus : {"А", "12а", "б", "", "к1"})
    Phones.push_back(TPhone{0, "1", 0, 0, 0, TCorpusText(Phones, Cp(corpus)), 0});
  TSearchInputs inputs;
  inputs.Corpus = Cp("а");
  EXPECT_EQ(Results(inputs), (Indices{0, 1}));
  inputs.Corpus = Cp("К");
  EXPECT_EQ(Results(inputs), (Indices{4}));
}

TEST_F(ScanPhonesTest, CityStreetHouseAndFlatCompareIndicesAndNumbers) {
  Owners.push_back("A");
  Phones.push_back(TPhone{0, "1", 1, 5, 12, {}, 3});
  Phones.push_back(TPhone{0, "2", 2, 5, 0, {}, 0});
  Phones.push_back(TPhone{0, "3", 7, 6, 12, {}, 3});
  Phones.push_back(TPhone{0, "4", 0, 0, 12, {}, 3});
  TSearchInputs inputs;
  inputs.CityIndices = {1, 7};
  EXPECT_EQ(Results(inputs), (Indices{0, 2}));
  inputs.StreetIndices = {5};
  EXPECT_EQ(Results(inputs), (Indices{0}));
  inputs = {};
  inputs.House = "00012";
  EXPECT_EQ(Results(inputs), (Indices{0, 2, 3}));
  inputs.House = "0";
  EXPECT_EQ(Results(inputs), (Indices{1}));
  inputs.House = "99999";
  EXPECT_EQ(Results(inputs), Indices{});
  inputs = {};
  inputs.Flat = "3";
  inputs.CityIndices = {0};
  EXPECT_EQ(Results(inputs), (Indices{0, 2, 3})) << "the empty city entry is no criterion";
  inputs.CityIndices = {65536};
  EXPECT_EQ(Results(inputs), Indices{}) << "an index no record can hold finds nothing";
}

TEST_F(ScanPhonesTest, EveryActiveCriterionMustHold) {
  Owners.push_back(Cp("Иванов"));
  Owners.push_back(Cp("Петров"));
  Phones.push_back(TPhone{0, "111", 1, 2, 3, TCorpusText(Phones, "a"), 4});
  Phones.push_back(TPhone{0, "111", 1, 2, 3, TCorpusText(Phones, "a"), 5});
  Phones.push_back(TPhone{1, "111", 1, 2, 3, TCorpusText(Phones, "a"), 4});
  Phones.push_back(TPhone{0, "112", 1, 2, 3, TCorpusText(Phones, "a"), 4});
  Phones.push_back(TPhone{0, "111", 1, 2, 3, TCorpusText(Phones, "b"), 4});
  TSearchInputs inputs;
  inputs.Phone = "11";
  inputs.Owner = Cp("иванов");
  inputs.CityIndices = {1};
  inputs.StreetIndices = {2};
  inputs.House = "3";
  inputs.Corpus = "A";
  inputs.Flat = "4";
  EXPECT_EQ(Results(inputs), (Indices{0}));
  EXPECT_EQ(Results(TSearchInputs{}).size(), 5u) << "no criterion: every record";
}

TEST_F(ScanPhonesTest, ProgressAtEveryMultipleOf10000AfterThatRecord) {
  Owners.push_back("A");
  for (int i = 0; i < 25000; ++i) Phones.push_back(TPhone{0, i % 10000 == 0 ? "7" : "1", 0, 0, 0, {}, 0});
  std::vector<std::string> events;
  ScanPhones(
      directory, MakeSearchCriteria(PhoneInput("7")),
      [&](int32_t i) { events.push_back("result " + std::to_string(i)); },
      [&](int32_t i) { events.push_back("progress " + std::to_string(i)); });
  EXPECT_EQ(events, (std::vector<std::string>{"result 0", "progress 0", "result 10000", "progress 10000",
                                              "result 20000", "progress 20000"}));
}

TEST_F(ScanPhonesTest, EmptyTableReportsNothing) {
  int calls = 0;
  ScanPhones(
      directory, MakeSearchCriteria(PhoneInput("1")), [&](int32_t) { ++calls; }, [&](int32_t) { ++calls; });
  EXPECT_EQ(calls, 0);
}

// Large enough for the scan and the name search to run in two parts: results and
// progress must still come in table order, across both places where they split.
TEST_F(ScanPhonesTest, TablesLargeEnoughToSplitReportInTableOrder) {
  constexpr int32_t count = 455'001;
  const std::set<int32_t> edges = {0,       1,       9'999,   10'000,  63,      64,     219'999,
                                   220'000, 220'001, 227'455, 227'456, 454'999, 455'000};
  std::vector<int64_t> expected;  // a result as its index, progress as -1 - index
  for (int32_t i = 0; i < count; ++i) {
    const bool found = edges.contains(i) || i % 7'919 == 0;
    Owners.push_back(found ? Cp("Иванов") : Cp("Петров"));
    Phones.push_back(TPhone{i, found ? "17" : "12", 0, 0, 0, {}, 0});
    if (found) expected.push_back(i);
    if (i % 10'000 == 0) expected.push_back(-1 - i);
  }
  TSearchInputs byName;
  byName.Owner = Cp("иван");
  for (const TSearchInputs& inputs : {PhoneInput("7"), byName}) {
    std::vector<int64_t> events;
    ScanPhones(
        directory, MakeSearchCriteria(inputs), [&](int32_t i) { events.push_back(i); },
        [&](int32_t i) { events.push_back(-1 - int64_t{i}); });
    EXPECT_EQ(events, expected) << Utf8FromCp1251(inputs.Owner);
  }
}

// Around the nine digits the short column holds and the ten that a number may have
// past it: every tail the field takes finds exactly the numbers ending in it.
TEST_F(ScanPhonesTest, TailsAtTheEdgesOfTheLastDigitsColumn) {
  Owners.push_back("A");
  const std::vector<std::string> numbers = {"0",          "7",          "999999999",           "1000000000",
                                            "1000000007", "100000007",  "9223372036854775807", "000000007",
                                            "-7",         "4000000007", "1999999999",          "2000000000"};
  for (const std::string& number : numbers) Phones.push_back(TPhone{0, number, 0, 0, 0, {}, 0});
  std::set<std::string> tails;
  for (const std::string& number : numbers)
    for (size_t length = 1; length <= std::min<size_t>(10, number.size()); ++length)
      tails.insert(number.substr(number.size() - length));
  for (const std::string& tail : tails) {
    if (tail.find_first_not_of("0123456789") != std::string::npos) continue;
    Indices expected;
    for (size_t i = 0; i < numbers.size(); ++i)
      if (PhoneTailMatches(tail, numbers[i])) expected.push_back(static_cast<int32_t>(i));
    EXPECT_EQ(Results(PhoneInput(tail)), expected) << tail;
  }
}
