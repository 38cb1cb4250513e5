// The search as another thread runs it: the same rows as a scan, a cancel that
// leaves a leading part of them, failures kept in the outcome, and searches running
// at once over one directory.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "data/LoadDirectory.h"
#include "data/TextServices.h"
#include "regexpr/RegExpr.h"
#include "search/RunSearch.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/data/support/Win1251.h"
#include "tools/DirectoryGenerator.h"

namespace {

using Indices = std::vector<int32_t>;

Indices Scanned(const TDirectory& directory, const TSearchInputs& inputs) {
  Indices found;
  ScanPhones(
      directory, MakeSearchCriteria(inputs), [&](int32_t i) { found.push_back(i); }, [](int32_t) {});
  return found;
}

bool IsPrefix(const Indices& part, const Indices& whole) {
  return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

TSearchInputs OwnerInput(std::string_view utf8, bool regExpr = false) {
  TSearchInputs inputs;
  inputs.Owner = W(utf8);
  inputs.RegExpr = regExpr;
  return inputs;
}

// Large enough for the scan and the name search to run in two parts.
constexpr int32_t LargeCount = 455'001;

class RunSearchLarge : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    large = std::make_unique<TDirectory>();
    const char* names[] = {"Иванов", "Петров", "Сидоров", "Ивашов", "Кузнецов", "Попов", "Лебедев"};
    for (int32_t i = 0; i < LargeCount; ++i) {
      large->Owners.push_back(W(names[i % 7]));
      large->Phones.push_back(TPhone{i, TNumberText::FromValue(1000 + i % 97), 0, 0, 0, {}, 0});
    }
  }
  static void TearDownTestSuite() { large.reset(); }
  static std::unique_ptr<TDirectory> large;
};

std::unique_ptr<TDirectory> RunSearchLarge::large;

}  // namespace

TEST(RunSearchTest, FindsWhatTheScanFindsInBothModes) {
  const TTempDirectory folder;
  GenerateDirectory(folder.Path(), 20000, 3);
  const std::shared_ptr<TDirectory> directory = LoadDirectory(folder.Path());
  std::vector<TSearchInputs> searches = {OwnerInput("иван"), OwnerInput("^пет", true), OwnerInput("вна$", true)};
  TSearchInputs phoneAndHouse;
  phoneAndHouse.Phone = "5";
  phoneAndHouse.House = "3";
  searches.push_back(phoneAndHouse);
  phoneAndHouse.RegExpr = true;
  phoneAndHouse.Phone = "5$";
  searches.push_back(phoneAndHouse);
  for (const TSearchInputs& inputs : searches) {
    int progressCalls = 0;
    const TSearchOutcome outcome = RunSearch(
        *directory, inputs, [&](int32_t) { ++progressCalls; }, nullptr);
    const Indices expected = Scanned(*directory, inputs);
    EXPECT_FALSE(expected.empty()) << Utf8FromCp1251(inputs.Owner) << inputs.Phone;
    EXPECT_EQ(outcome.Rows, expected) << Utf8FromCp1251(inputs.Owner);
    EXPECT_FALSE(outcome.Cancelled);
    EXPECT_FALSE(outcome.Error);
    ASSERT_EQ(outcome.Readings.size(), 1u);
    EXPECT_EQ(outcome.Readings[0].Rows, static_cast<int32_t>(expected.size()));
    EXPECT_FALSE(outcome.Readings[0].LatinLayout);
    EXPECT_EQ(progressCalls, 2);
  }
  EXPECT_EQ(RunSearch(*directory, OwnerInput("  ИВАН "), nullptr, nullptr).Readings[0].Owner, W("иван"))
      << "a reading holds the text as the criteria do";
}

TEST(RunSearchTest, FailuresAreKeptWithTheRowsFoundBeforeThem) {
  TDirectory directory;
  const auto addOwner = [&](std::string_view name, int lines) {
    directory.Owners.push_back(W(name));
    for (int k = 0; k < lines; ++k)
      directory.Phones.push_back(TPhone{static_cast<int32_t>(directory.Owners.size()) - 1, "1", 0, 0, 0, {}, 0});
  };
  addOwner("Иван", 2);
  addOwner(std::string(60, 'a') + "!b", 1);  // the name holds a "b", so the engine has to try it
  addOwner("Иванов", 1);
  TSearchInputs inputs = OwnerInput("(a+)+\\1b|Иван", true);
  TSearchOutcome outcome = RunSearch(directory, inputs, nullptr, nullptr);
  EXPECT_EQ(outcome.Rows, (Indices{0, 1}));
  ASSERT_EQ(outcome.Readings.size(), 1u);
  EXPECT_EQ(outcome.Readings[0].Rows, 2);
  ASSERT_TRUE(outcome.Error);
  try {
    std::rethrow_exception(outcome.Error);
  } catch (const ERegExpr& error) {
    EXPECT_EQ(error.ErrorNumber, 1017);
  }

  inputs = OwnerInput("иван");
  inputs.House = "1x";
  outcome = RunSearch(directory, inputs, nullptr, nullptr);
  EXPECT_TRUE(outcome.Rows.empty());
  EXPECT_TRUE(outcome.Readings.empty());
  EXPECT_THROW(std::rethrow_exception(outcome.Error), EConvertError);
  EXPECT_FALSE(outcome.Cancelled);
}

TEST_F(RunSearchLarge, CancelBeforeTheScanFindsNothing) {
  TSearchCancel cancel;
  cancel.Cancel();
  for (bool regExpr : {false, true}) {
    int progressCalls = 0;
    const TSearchOutcome outcome = RunSearch(
        *large, OwnerInput("иван", regExpr), [&](int32_t) { ++progressCalls; }, &cancel);
    EXPECT_TRUE(outcome.Cancelled);
    EXPECT_TRUE(outcome.Rows.empty());
    EXPECT_EQ(progressCalls, 0);
    EXPECT_FALSE(outcome.Error);
  }
}

// Blocks on either side of the split, each half's first and last block among them.
TEST_F(RunSearchLarge, CancelDuringThePlainScanLeavesALeadingPartOfTheRows) {
  const TSearchInputs inputs = OwnerInput("иван");
  const Indices whole = Scanned(*large, inputs);
  for (int32_t stopAt : {0, 10'000, 210'000, 220'000, 230'000, 440'000}) {
    TSearchCancel cancel;
    const TSearchOutcome outcome = RunSearch(
        *large, inputs,
        [&](int32_t i) {
          if (i == stopAt) cancel.Cancel();
        },
        &cancel);
    EXPECT_TRUE(outcome.Cancelled) << stopAt;
    EXPECT_TRUE(IsPrefix(outcome.Rows, whole)) << stopAt;
    ASSERT_FALSE(outcome.Rows.empty());
    EXPECT_GE(outcome.Rows.back(), stopAt) << "the rows of the block before the cancel stay";
    EXPECT_LT(outcome.Rows.back(), stopAt + ProgressStep) << "no block after the cancel is reported";
    EXPECT_EQ(outcome.Readings[0].Rows, static_cast<int32_t>(outcome.Rows.size()));
  }
}

TEST_F(RunSearchLarge, CancelInRegularExpressionModeStopsBeforeTheNextRecord) {
  TSearchInputs inputs;
  inputs.RegExpr = true;
  inputs.Phone = "7$";
  TSearchCancel cancel;
  int32_t results = 0;
  Indices rows;
  const bool finished = ScanPhones(
      *large, MakeSearchCriteria(inputs),
      [&](int32_t i) {
        rows.push_back(i);
        if (++results == 3) cancel.Cancel();
      },
      [](int32_t) {}, &cancel);
  EXPECT_FALSE(finished);
  EXPECT_EQ(rows, (Indices{7, 17, 27}));
}

// Run under ThreadSanitizer too: the scans only read the directory.
TEST_F(RunSearchLarge, SearchesAtOnceOverOneDirectoryAndACancelFromAnotherThread) {
  const TSearchInputs byName = OwnerInput("ива");
  TSearchInputs byPhone;
  byPhone.Phone = "19";
  TSearchInputs byExpression;
  byExpression.RegExpr = true;
  byExpression.Owner = W("ва.о");
  const Indices nameRows = Scanned(*large, byName);
  const Indices phoneRows = Scanned(*large, byPhone);

  TSearchCancel cancel;
  std::atomic<bool> started{false};
  TSearchOutcome first, second, cancelled;
  std::jthread one([&] { first = RunSearch(*large, byName, nullptr, nullptr); });
  std::jthread two([&] { second = RunSearch(*large, byPhone, nullptr, nullptr); });
  std::jthread three([&] {
    cancelled = RunSearch(
        *large, byExpression,
        [&](int32_t i) {
          if (i == 0) return;
          started = true;
          while (!cancel.Cancelled()) std::this_thread::yield();
        },
        &cancel);
  });
  while (!started) std::this_thread::yield();
  cancel.Cancel();
  one.join();
  two.join();
  three.join();
  EXPECT_EQ(first.Rows, nameRows);
  EXPECT_EQ(second.Rows, phoneRows);
  EXPECT_TRUE(cancelled.Cancelled);
  EXPECT_FALSE(cancelled.Error);
  ASSERT_FALSE(cancelled.Rows.empty());
  EXPECT_LE(cancelled.Rows.back(), ProgressStep);
}
