// Searches in regular-expression mode: the criteria taken from the fields, the three
// expression tests, where an engine error stops the scan, and the reuse of compiled
// expressions checked against compiling afresh for every record.

#include <gtest/gtest.h>

#include "data/LoadDirectory.h"
#include "data/TextServices.h"
#include "regexpr/MatchLimits.h"
#include "regexpr/RegExpr.h"
#include "search/RegexCriteria.h"
#include "search/Search.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"
#include "tools/DirectoryGenerator.h"

namespace {

using Indices = std::vector<int32_t>;

TSearchInputs RegexInputs() {
  TSearchInputs inputs;
  inputs.RegExpr = true;
  return inputs;
}

Indices Results(const TDirectory& directory, const TSearchInputs& inputs) {
  Indices found;
  ScanPhones(
      directory, MakeSearchCriteria(inputs), [&](int32_t i) { found.push_back(i); }, [](int32_t) {});
  return found;
}

// The results reported before the scan raised, and the error's code (0: none raised).
struct TStoppedScan {
  Indices Found;
  int ErrorNumber = 0;
  std::string Message;
};

TStoppedScan ScanUntilError(const TDirectory& directory, const TSearchInputs& inputs) {
  TStoppedScan scan;
  try {
    ScanPhones(
        directory, MakeSearchCriteria(inputs), [&](int32_t i) { scan.Found.push_back(i); }, [](int32_t) {});
  } catch (const ERegExpr& e) {
    scan.ErrorNumber = e.ErrorNumber;
    scan.Message = e.what();
  }
  return scan;
}

class RegexSearchTest : public ::testing::Test {
 protected:
  TDirectory directory;
  TTextTable& Owners = directory.Owners;
  TPhoneTable& Phones = directory.Phones;

  Indices Results(const TSearchInputs& inputs) const { return ::Results(directory, inputs); }
  TStoppedScan ScanUntilError(const TSearchInputs& inputs) const { return ::ScanUntilError(directory, inputs); }

  void AddOwnerWithNumbers(const std::string& name, std::initializer_list<const char*> numbers) {
    Owners.push_back(Cp(name));
    const auto owner = static_cast<int32_t>(Owners.size()) - 1;
    for (const char* number : numbers) Phones.push_back(TPhone{owner, number, 0, 0, 0, {}, 0});
  }
};

}  // namespace

TEST(RegexSearchCriteria, OwnerAndCorpusAreTrimmedButKeepTheirCaseAndThePhoneIsTakenAsTyped) {
  TSearchInputs inputs = RegexInputs();
  inputs.Phone = " ^45 ";
  inputs.Owner = Cp("\t (?-i)ИВАН  ");
  inputs.Corpus = Cp(" К\\d ");
  const SearchCriteria criteria = MakeSearchCriteria(inputs);
  EXPECT_EQ(criteria.Phone, " ^45 ");
  EXPECT_EQ(criteria.Owner, Cp("(?-i)ИВАН"));
  EXPECT_EQ(criteria.Corpus, Cp("К\\d"));
  EXPECT_TRUE(criteria.RegExpr);
  inputs.Owner = " \t";
  EXPECT_TRUE(MakeSearchCriteria(inputs).Owner.empty()) << "blank owner text is no criterion";
}

TEST_F(RegexSearchTest, PhoneExpressionMatchesAnywhereInTheNumber) {
  AddOwnerWithNumbers("Иванов", {"8123", "4545", "1845", "45", "18", "3458"});
  TSearchInputs inputs = RegexInputs();
  inputs.Phone = "^8";
  EXPECT_EQ(Results(inputs), (Indices{0}));
  inputs.Phone = "45$";
  EXPECT_EQ(Results(inputs), (Indices{1, 2, 3})) << "4545 ends in 45, unlike in plain mode";
  inputs.Phone = "8";
  EXPECT_EQ(Results(inputs), (Indices{0, 2, 4, 5}));
  inputs.Phone = "^45$";
  EXPECT_EQ(Results(inputs), (Indices{3}));
  inputs.Phone = " 45";
  EXPECT_EQ(Results(inputs), Indices{}) << "a space typed in the phone field is part of the expression";
}

TEST_F(RegexSearchTest, OwnerExpressionFoldsCaseUnlessTheExpressionSaysOtherwise) {
  AddOwnerWithNumbers("иванов", {"1"});
  AddOwnerWithNumbers("Иванова Анна", {"2", "3"});
  AddOwnerWithNumbers("Петров Иван", {"4"});
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp("Иван");
  EXPECT_EQ(Results(inputs), (Indices{0, 1, 2, 3}));
  inputs.Owner = Cp("(?-i)Иван");
  EXPECT_EQ(Results(inputs), (Indices{1, 2, 3}));
  inputs.Owner = Cp("  ^иван  ");
  EXPECT_EQ(Results(inputs), (Indices{0, 1, 2})) << "trimmed before use";
  inputs.Owner = Cp("ов$");
  EXPECT_EQ(Results(inputs), (Indices{0}));
}

TEST_F(RegexSearchTest, OwnersMissingOrCutByANulAreMatchedAsTheirText) {
  Owners.push_back(std::string("Ab\0ivan", 7));
  Phones.push_back(TPhone{0, "1", 0, 0, 0, {}, 0});
  Phones.push_back(TPhone{-1, "2", 0, 0, 0, {}, 0});
  Phones.push_back(TPhone{7, "3", 0, 0, 0, {}, 0});
  Phones.push_back(TPhone{0, "4", 0, 0, 0, {}, 0});
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = "ivan";
  EXPECT_EQ(Results(inputs), Indices{}) << "a name is read up to its first NUL";
  inputs.Owner = "b$";
  EXPECT_EQ(Results(inputs), (Indices{0, 3}));
  inputs.Owner = "^$";
  EXPECT_EQ(Results(inputs), (Indices{1, 2})) << "an absent owner reads as the empty name";
  inputs.Owner = ".";
  EXPECT_EQ(Results(inputs), (Indices{0, 3}));
}

TEST_F(RegexSearchTest, CorpusExpressionAndThePlainTestsCombine) {
  Owners.push_back(Cp("Иванов"));
  const char* corpora[] = {"1а", "1А", "12", "", "к1", "1а"};
  for (int32_t i = 0; i < 6; ++i)
    Phones.push_back(TPhone{0, "100", 1 + i % 2, 5, 7, TCorpusText(Phones, Cp(corpora[i])), 3});
  TSearchInputs inputs = RegexInputs();
  inputs.Corpus = Cp("^1а$");
  EXPECT_EQ(Results(inputs), (Indices{0, 1, 5}));
  inputs.Corpus = Cp("(?-i)а");
  EXPECT_EQ(Results(inputs), (Indices{0, 5}));
  inputs.CityIndices = {2};
  EXPECT_EQ(Results(inputs), (Indices{5}));
  inputs.Corpus = "\\d";
  inputs.House = "7";
  inputs.Flat = "3";
  inputs.StreetIndices = {5};
  EXPECT_EQ(Results(inputs), (Indices{1, 5}));
  inputs.Flat = "4";
  EXPECT_EQ(Results(inputs), Indices{});
}

TEST_F(RegexSearchTest, ProgressFollowsTheSameRecordsAsInPlainMode) {
  Owners.push_back("A");
  Owners.push_back(Cp("Иван"));
  for (int i = 0; i < 25000; ++i) {
    const bool found = i % 10000 == 0;
    Phones.push_back(TPhone{found ? 1 : 0, found ? "7" : "1", 0, 0, 0, {}, 0});
  }
  TSearchInputs byPhone = RegexInputs();
  byPhone.Phone = "7";
  TSearchInputs byName = RegexInputs();  // answered by the name search alone
  byName.Owner = Cp("иван");
  for (const TSearchInputs& inputs : {byPhone, byName}) {
    std::vector<std::string> events;
    ScanPhones(
        directory, MakeSearchCriteria(inputs), [&](int32_t i) { events.push_back("result " + std::to_string(i)); },
        [&](int32_t i) { events.push_back("progress " + std::to_string(i)); });
    EXPECT_EQ(events, (std::vector<std::string>{"result 0", "progress 0", "result 10000", "progress 10000",
                                                "result 20000", "progress 20000"}));
  }
}

TEST_F(RegexSearchTest, ExpressionThatDoesNotCompileRaisesOnlyWhenARecordReachesItsTest) {
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = "(";
  EXPECT_EQ(ScanUntilError(inputs).ErrorNumber, 0) << "empty table";

  AddOwnerWithNumbers("Иванов", {"1", "2", "3"});
  EXPECT_EQ(ScanUntilError(inputs).ErrorNumber, 103) << "the first record reaches the owner test";
  inputs.Phone = "9";
  EXPECT_EQ(ScanUntilError(inputs).ErrorNumber, 0) << "no number reaches the owner test";

  inputs.Phone = "3";
  const TStoppedScan stopped = ScanUntilError(inputs);
  EXPECT_EQ(stopped.ErrorNumber, 103);
  EXPECT_EQ(stopped.Message, "TRegExpr(comp): ParseReg Unmatched () (pos 1)");

  inputs = RegexInputs();
  inputs.Phone = "[";
  EXPECT_EQ(ScanUntilError(inputs).ErrorNumber, 113);
}

TEST_F(RegexSearchTest, CorpusThatDoesNotCompileRaisesAtTheFirstRecordPassingTheEarlierTests) {
  Owners.push_back("A");
  Phones.push_back(TPhone{0, "1", 1, 0, 0, {}, 0});
  Phones.push_back(TPhone{0, "2", 1, 0, 0, {}, 0});
  Phones.push_back(TPhone{0, "3", 2, 0, 0, {}, 0});
  TSearchInputs inputs = RegexInputs();
  inputs.Corpus = "a\\";
  inputs.CityIndices = {3};
  EXPECT_EQ(ScanUntilError(inputs).ErrorNumber, 0);
  inputs.CityIndices = {2};
  EXPECT_NE(ScanUntilError(inputs).ErrorNumber, 0);
}

TEST_F(RegexSearchTest, RunawayMatchStopsTheScanAfterTheResultsOfEarlierRecords) {
  AddOwnerWithNumbers("Иван", {"1", "2"});
  AddOwnerWithNumbers("Петров", {"3"});
  // The name holds a "b", so the engine has to try it.
  AddOwnerWithNumbers(std::string(60, 'a') + "!b", {"4", "5"});
  AddOwnerWithNumbers("Иванов", {"6"});
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp("(a+)+\\1b|Иван");  // the back-reference keeps the failure memo out
  const TStoppedScan stopped = ScanUntilError(inputs);
  EXPECT_EQ(stopped.Found, (Indices{0, 1}));
  EXPECT_EQ(stopped.ErrorNumber, 1017);
  EXPECT_EQ(stopped.Message, "TRegExpr(exec): Too Many Backtracking Steps");

  inputs.Phone = "[^45]";
  EXPECT_EQ(Results(inputs), (Indices{0, 1, 5})) << "records whose phone test fails never reach the owner test";
}

TEST_F(RegexSearchTest, NamesHoldingNoTextEveryMatchHoldsAreNeverGivenToTheEngine) {
  AddOwnerWithNumbers("Иван", {"1"});
  AddOwnerWithNumbers(std::string(60, 'a') + "!", {"2"});  // would run away, but holds neither text
  AddOwnerWithNumbers("ИВАНОВ", {"3"});
  AddOwnerWithNumbers("Иван" + std::string(1, '\0') + "b", {"4"});  // the engine sees the name up to its NUL
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp("(a+)+\\1b|иван");
  const TStoppedScan scan = ScanUntilError(inputs);
  EXPECT_EQ(scan.ErrorNumber, 0);
  EXPECT_EQ(scan.Found, (Indices{0, 2, 3}));
  inputs.Owner = Cp("(?-i)(a+)+\\1b|иван");
  EXPECT_EQ(Results(inputs), Indices{}) << "a case-sensitive literal is no case-insensitive one";
}

TEST_F(RegexSearchTest, RecordsArePassedOverUnseenOnlyWhenNoPhoneTestComesFirst) {
  AddOwnerWithNumbers("Петров", {"1"});
  AddOwnerWithNumbers("Иванов", {"2"});
  TSearchInputs inputs = RegexInputs();
  inputs.Owner = Cp("иван");
  const SearchCriteria ownerOnly = MakeSearchCriteria(inputs);
  TRegexRecordTests first(directory, ownerOnly);
  EXPECT_FALSE(first.Passes(0));
  EXPECT_FALSE(first.MayPass(0));
  EXPECT_TRUE(first.MayPass(1));
  // A phone test may raise on any record, so every record must reach it.
  inputs.Phone = "\\d";
  const SearchCriteria withPhone = MakeSearchCriteria(inputs);
  TRegexRecordTests second(directory, withPhone);
  EXPECT_FALSE(second.Passes(0));
  EXPECT_TRUE(second.MayPass(0));
}

// What an expression takes over the texts in turn, on one object as a criterion has.
int64_t StepsOver(const std::string& expression, const std::vector<std::string>& texts) {
  constexpr int64_t plenty = INT64_MAX / 2;
  TStepBudget budget(plenty);
  TRegExpr regex;
  regex.SetExpression(expression);
  regex.SetStepBudget(&budget);
  for (const std::string& text : texts) regex.Exec(text);
  return plenty - budget.Remaining();
}

// The records that pass until the tests raise, and the code raised (0: none).
TStoppedScan TestRecordsUntilError(const TDirectory& directory, const SearchCriteria& criteria, int64_t stepBudget) {
  TStoppedScan scan;
  TRegexRecordTests tests(directory, criteria, stepBudget);
  try {
    for (int32_t i = 0; i < static_cast<int32_t>(directory.Phones.size()); ++i)
      if (tests.Passes(i)) scan.Found.push_back(i);
  } catch (const ERegExpr& e) {
    scan.ErrorNumber = e.ErrorNumber;
  }
  return scan;
}

TEST_F(RegexSearchTest, TheExpressionsOfASearchShareOneStepBudget) {
  std::vector<std::string> numbers;
  std::vector<std::string> names;
  for (int i = 0; i < 40; ++i) {
    numbers.push_back(std::to_string(1000000 + i * 7919) + "5");
    names.push_back(Cp(i % 4 == 0 ? "Иванов Павел" : "Абвгдеж Ивановна"));
    Owners.push_back(names.back());
    Phones.push_back(TPhone{i, numbers.back(), 0, 0, 0, TCorpusText(), 0});
  }
  TSearchInputs inputs = RegexInputs();
  inputs.Phone = "^(\\d|\\d)*5$";
  // Sets, not literals, so that no name is passed over without the engine's work.
  inputs.Owner = Cp("^(а|б|в|[а-я])*[о][в]\\s");
  const int64_t phoneSteps = StepsOver(inputs.Phone, numbers);
  const int64_t ownerSteps = StepsOver(inputs.Owner, names);
  const int64_t budget = std::max(phoneSteps, ownerSteps) + std::min(phoneSteps, ownerSteps) / 2;

  const TStoppedScan both = TestRecordsUntilError(directory, MakeSearchCriteria(inputs), budget);
  EXPECT_EQ(both.ErrorNumber, regexpr::ErrorStepBudgetSpent);
  ASSERT_FALSE(both.Found.empty());
  EXPECT_LT(both.Found.back(), 36);
  for (size_t k = 0; k < both.Found.size(); ++k) EXPECT_EQ(both.Found[k], static_cast<int32_t>(k * 4));

  TSearchInputs phoneOnly = inputs;
  phoneOnly.Owner.clear();
  EXPECT_EQ(TestRecordsUntilError(directory, MakeSearchCriteria(phoneOnly), budget).Found.size(), 40u);
  TSearchInputs ownerOnly = inputs;
  ownerOnly.Phone.clear();
  EXPECT_EQ(TestRecordsUntilError(directory, MakeSearchCriteria(ownerOnly), budget).Found.size(), 10u);
}

TEST_F(RegexSearchTest, AScanEndsOnceTheSearchBudgetIsSpent) {
  // Every record costs about the same; a search of them all would take far
  // more than the budget of one search.
  Owners.push_back("A");
  const std::string number = "1234567890123456789";
  const std::string expression = "(\\d|\\d|\\d)*x";
  const int64_t perRecord = StepsOver(expression, {number, number}) - StepsOver(expression, {number});
  const int64_t records = SearchStepBudget / perRecord * 3 / 2;
  Phones.push_back(TPhone{0, "7x", 0, 0, 0, TCorpusText(), 0});
  for (int64_t i = 0; i < records; ++i) Phones.push_back(TPhone{0, number, 0, 0, 0, TCorpusText(), 0});
  TSearchInputs inputs = RegexInputs();
  inputs.Phone = expression;
  const TStoppedScan stopped = ScanUntilError(inputs);
  EXPECT_EQ(stopped.ErrorNumber, regexpr::ErrorStepBudgetSpent);
  EXPECT_EQ(stopped.Found, Indices{0});
}

// The reuse of one compiled expression per criterion and the answers remembered
// per owner and per corpus text must not change a single result.
class RegexScanEquivalence : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const TTempDirectory folder;
    GenerateDirectory(folder.Path(), 20000, 7);
    loaded = LoadDirectory(folder.Path());
    TTextTable& owners = loaded->Owners;
    TPhoneTable& phones = loaded->Phones;
    // Records no generator writes: before any owner, past the table, owners revisited.
    phones.push_back(TPhone{-1, "8800", 0, 0, 0, TCorpusText(phones, Cp("А")), 0});
    phones.push_back(TPhone{static_cast<int32_t>(owners.size()) + 5, "4545", 0, 0, 0, {}, 0});
    owners.push_back(Cp("Иван") + std::string(1, '\0') + Cp("Петров"));
    for (int32_t owner : {0, static_cast<int32_t>(owners.size()) - 1, 0, 1, 0})
      phones.push_back(TPhone{owner, "845", 1, 1, 1, TCorpusText(phones, Cp("2б")), 1});
  }
  static void TearDownTestSuite() { loaded.reset(); }
  static std::shared_ptr<TDirectory> loaded;

  // Every test afresh, in the order of the tests, compiling each expression per record.
  static bool FreshRecordTest(const TSearchInputs& in, const TPhone& r) {
    if (!in.Phone.empty() && !RegexMatches(in.Phone, r.Number)) return false;
    const std::string owner = TrimText(in.Owner);
    if (!owner.empty() && !RegexMatches(owner, loaded->OwnerName(r))) return false;
    const std::string corpus = TrimText(in.Corpus);
    return corpus.empty() || RegexMatches(corpus, r.Corpus);
  }

  static void ExpectSameAsFresh(const TSearchInputs& in) {
    Indices expected;
    for (size_t i = 0; i < loaded->Phones.size(); ++i) {
      if (FreshRecordTest(in, loaded->Phones[i])) expected.push_back(static_cast<int32_t>(i));
    }
    EXPECT_EQ(Results(*loaded, in), expected) << "phone '" << in.Phone << "' owner '" << Utf8FromCp1251(in.Owner)
                                              << "' corpus '" << Utf8FromCp1251(in.Corpus) << "'";
    EXPECT_FALSE(expected.empty()) << Utf8FromCp1251(in.Owner) << " should find something";
  }
};

std::shared_ptr<TDirectory> RegexScanEquivalence::loaded;

TEST_F(RegexScanEquivalence, OwnerExpressionsFindWhatFreshCompilationsFind) {
  for (const char* owner : {"^(иван|петр)ов",
                            "(?-i)Иван",
                            "вна$",
                            "^[а-я]+ [а-я]+ [а-я]+$",
                            "^ООО «",
                            "(ий|ая)\\s",
                            "«\\S+»$",
                            "и.{2,4}н",
                            "(?i)ПЁТР",
                            "^$|^Иван",
                            "(?-i)(Иван|Пётр)о",
                            "(?x) и в а н",
                            "(?m)^пет",
                            "(?s)ан.а",
                            "(?r)[а-я]ван",
                            "(?-g)и.*в",
                            "ёвич|ЁВ",
                            "петров",
                            "(иван|ольг)(а|ов)\\s",
                            "^(ан)+"}) {
    TSearchInputs in = RegexInputs();
    in.Owner = Cp(owner);
    ExpectSameAsFresh(in);
  }
}

TEST_F(RegexScanEquivalence, PhoneAndCorpusExpressionsAndCombinationsFindWhatFreshCompilationsFind) {
  const std::pair<const char*, const char*> phoneAndCorpus[] = {
      {"^8", ""}, {"45$", ""}, {"(\\d)\\1", ""}, {"", "\\d"}, {"", "^[а-я]$"}, {"5", "(?-i)б"}, {"^9\\d{2}", "."}};
  for (const auto& [phone, corpus] : phoneAndCorpus) {
    TSearchInputs in = RegexInputs();
    in.Phone = phone;
    in.Corpus = Cp(corpus);
    ExpectSameAsFresh(in);
  }
  TSearchInputs in = RegexInputs();
  in.Phone = "4";
  in.Owner = Cp("ов");
  in.Corpus = "1|2";
  ExpectSameAsFresh(in);
}
