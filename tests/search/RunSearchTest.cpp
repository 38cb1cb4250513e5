// The search off the window thread: the rows of a scan, a cancel leaving a leading
// part of them, failures kept, and searches at once over one directory.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "data/TextServices.h"
#include "regexpr/RegExpr.h"
#include "search/RunSearch.h"
#include "tests/support/Cp1251Literal.h"

namespace {

using Indices = std::vector<int32_t>;

Indices Scanned(const TDirectory& directory, const TSearchInputs& inputs) {
  Indices found;
  ScanPhones(
      directory, MakeSearchCriteria(inputs), [&](int32_t i) { found.push_back(i); }, [](int32_t) {});
  return found;
}

TSearchInputs Inputs(std::string_view owner, bool regExpr = false, std::string phone = "") {
  TSearchInputs inputs;
  inputs.Owner = Cp(owner);
  inputs.RegExpr = regExpr;
  inputs.Phone = std::move(phone);
  return inputs;
}

// Large enough for the scan and the name search to run in two parts.
constexpr int32_t LargeCount = 455'001;

const TDirectory& Large() {
  static const std::unique_ptr<TDirectory> large = [] {
    auto directory = std::make_unique<TDirectory>();
    const char* names[] = {"Иванов Пётр",   "Петров Иван", "Сидоров Иван", "Ивашов Семён",
                           "Кузнецов Пётр", "Попов Иван",  "Лебедев Пётр"};
    for (int32_t i = 0; i < LargeCount; ++i) {
      directory->Owners.push_back(Cp(names[i % 7]));
      directory->Phones.push_back(TPhone{i, TNumberText::FromValue(1000 + i % 97), 0, 0, 0, {}, 0});
    }
    return directory;
  }();
  return *large;
}

}  // namespace

TEST(RunSearchTest, FindsWhatTheScanFindsInBothModes) {
  for (const TSearchInputs& inputs : {Inputs("  ИВАН "), Inputs("^пет", true), Inputs("ван$", true),
                                      Inputs("", false, "45"), Inputs("", true, "5$")}) {
    int progressCalls = 0;
    const TSearchOutcome outcome = RunSearch(
        Large(), inputs, [&](int32_t) { ++progressCalls; }, nullptr);
    const Indices expected = Scanned(Large(), inputs);
    EXPECT_FALSE(expected.empty()) << Utf8FromCp1251(inputs.Owner) << inputs.Phone;
    EXPECT_EQ(outcome.Rows, expected) << Utf8FromCp1251(inputs.Owner) << inputs.Phone;
    EXPECT_FALSE(outcome.Cancelled || outcome.Error);
    ASSERT_EQ(outcome.Readings.size(), 1u);
    EXPECT_EQ(outcome.Readings[0].Rows, static_cast<int32_t>(expected.size()));
    EXPECT_EQ(outcome.Readings[0].Owner, MakeSearchCriteria(inputs).Owner);
    EXPECT_EQ(progressCalls, (LargeCount - 1) / ProgressStep + 1);
  }
}

TEST(RunSearchTest, FailuresAreKeptWithTheRowsFoundBeforeThem) {
  TDirectory directory;
  for (std::string name : {Cp("Иван"), Cp("Иван"), std::string(60, 'a') + "!b", Cp("Иванов")}) {
    directory.Owners.push_back(name);  // the third holds a "b", so the engine has to try it
    directory.Phones.push_back(TPhone{static_cast<int32_t>(directory.Owners.size()) - 1, "1", 0, 0, 0, {}, 0});
  }
  TSearchOutcome outcome = RunSearch(directory, Inputs("(a+)+\\1b|Иван", true), nullptr, nullptr);
  EXPECT_EQ(outcome.Rows, (Indices{0, 1}));
  EXPECT_EQ(outcome.Readings.at(0).Rows, 2);
  EXPECT_THROW(std::rethrow_exception(outcome.Error), ERegExpr) << "too many backtracking steps";
  TSearchInputs inputs = Inputs("иван");
  inputs.House = "1x";
  outcome = RunSearch(directory, inputs, nullptr, nullptr);
  EXPECT_TRUE(outcome.Rows.empty() && outcome.Readings.empty() && !outcome.Cancelled);
  EXPECT_THROW(std::rethrow_exception(outcome.Error), EConvertError);
}

// Before the scan (-1), and blocks on either side of the split, each half's first
// and last among them; an expression stops before the next record.
TEST(RunSearchTest, CancelLeavesALeadingPartOfTheRows) {
  const TSearchInputs inputs = Inputs("иван");
  const Indices whole = Scanned(Large(), inputs);
  for (int32_t stopAt : {-1, 0, 10'000, 210'000, 220'000, 230'000, 440'000}) {
    TSearchCancel cancel;
    if (stopAt < 0) cancel.Cancel();
    int progressCalls = 0;
    const auto onProgress = [&](int32_t i) {
      ++progressCalls;
      if (i == stopAt) cancel.Cancel();
    };
    const TSearchOutcome outcome = RunSearch(Large(), inputs, onProgress, &cancel);
    EXPECT_TRUE(outcome.Cancelled) << stopAt;
    EXPECT_EQ(outcome.Rows, Indices(whole.begin(), whole.begin() + static_cast<ptrdiff_t>(outcome.Rows.size())));
    EXPECT_EQ(outcome.Rows.empty(), stopAt < 0);
    EXPECT_EQ(progressCalls, stopAt < 0 ? 0 : stopAt / ProgressStep + 1);
    EXPECT_LT(stopAt < 0 ? -1 : outcome.Rows.back(), stopAt + ProgressStep) << "no block after the cancel";
    EXPECT_EQ(outcome.Readings[0].Rows, static_cast<int32_t>(outcome.Rows.size()));
  }
  TSearchCancel cancel;
  Indices rows;
  const auto onResult = [&](int32_t i) {
    rows.push_back(i);
    if (rows.size() == 3) cancel.Cancel();
  };
  EXPECT_FALSE(ScanPhones(
      Large(), MakeSearchCriteria(Inputs("", true, "7$")), onResult, [](int32_t) {}, &cancel));
  EXPECT_EQ(rows, (Indices{7, 17, 27}));
}

// The expression's literals pass over most records unseen, on both sides of the
// split, yet the callbacks and the stops by a cancel are those of testing each
// record in turn: before the scan, at a block's progress and at a result.
TEST(RunSearchTest, RegexRecordsPassedOverByTheOwnerFilterKeepTheWalkOfEveryRecord) {
  const SearchCriteria criteria = MakeSearchCriteria(Inputs("^пет", true));  // «Петров Иван» only
  for (int32_t stopAt : {-2, -1, 0, 220'000, 230'000, 230'007, 440'000, 450'003}) {
    TSearchCancel cancel;
    if (stopAt == -1) cancel.Cancel();
    std::vector<int32_t> events;  // a result as its row, progress at row i as -1 - i
    const bool done = ScanPhones(
        Large(), criteria,
        [&](int32_t i) {
          events.push_back(i);
          if (i == stopAt) cancel.Cancel();
        },
        [&](int32_t i) {
          events.push_back(-1 - i);
          if (i == stopAt) cancel.Cancel();
        },
        &cancel);
    std::vector<int32_t> expected;
    for (int32_t i = 0; i < LargeCount && stopAt != -1 && (stopAt < 0 || i <= stopAt); ++i) {
      if (i % 7 == 1) expected.push_back(i);
      if (i % ProgressStep == 0) expected.push_back(-1 - i);
    }
    EXPECT_EQ(done, stopAt == -2) << stopAt;
    EXPECT_EQ(events, expected) << stopAt;
  }
}

// A runaway name on either side of the split ends the scan with the rows before it.
TEST(RunSearchTest, RegexErrorOnEitherSideOfTheSplitKeepsTheRowsBeforeIt) {
  for (int32_t runaway : {100'003, 300'003}) {
    TDirectory directory;
    for (int32_t i = 0; i < LargeCount; ++i) {
      // The runaway name holds a "b", so the engine has to try it.
      directory.Owners.push_back(i == runaway ? std::string(60, 'a') + "!b" : Cp(i % 3 == 0 ? "Иван" : "Пётр"));
      directory.Phones.push_back(TPhone{i, "1", 0, 0, 0, {}, 0});
    }
    int progressCalls = 0;
    const TSearchOutcome outcome = RunSearch(
        directory, Inputs("(a+)+\\1b|Иван", true), [&](int32_t) { ++progressCalls; }, nullptr);
    EXPECT_THROW(std::rethrow_exception(outcome.Error), ERegExpr) << runaway;
    ASSERT_EQ(outcome.Rows.size(), static_cast<size_t>((runaway + 2) / 3)) << runaway;
    for (size_t k = 0; k < outcome.Rows.size(); ++k) ASSERT_EQ(outcome.Rows[k], static_cast<int32_t>(k) * 3);
    EXPECT_EQ(progressCalls, (runaway - 1) / ProgressStep + 1);
  }
}

// Run under ThreadSanitizer too: the scans only read the directory.
TEST(RunSearchTest, SearchesAtOnceOverOneDirectoryAndACancelFromAnotherThread) {
  TSearchInputs forgiving = Inputs("петр ива");  // its words are read on both threads of the pass
  forgiving.Forgiving = true;
  TSearchCancel cancel;
  std::atomic<bool> started{false};
  TSearchOutcome byName, byPhone, byWords, cancelled;
  std::jthread one([&] { byName = RunSearch(Large(), Inputs("ива"), nullptr, nullptr); });
  std::jthread two([&] {
    byPhone = RunSearch(Large(), Inputs("", false, "19"), nullptr, nullptr);
    byWords = RunSearch(Large(), forgiving, nullptr, nullptr);
  });
  std::jthread three([&] {
    const auto waitForCancel = [&](int32_t i) {
      started = i > 0;
      while (started && !cancel.Cancelled()) std::this_thread::yield();
    };
    cancelled = RunSearch(Large(), Inputs("ва.о", true), waitForCancel, &cancel);
  });
  while (!started) std::this_thread::yield();
  cancel.Cancel();
  one.join();
  two.join();
  three.join();
  EXPECT_EQ(byName.Rows, Scanned(Large(), Inputs("ива")));
  EXPECT_EQ(byPhone.Rows, Scanned(Large(), Inputs("", false, "19")));
  EXPECT_EQ(byWords.Rows.size(), (LargeCount + 6) / 7 + (LargeCount + 5) / 7);
  for (int32_t row : byWords.Rows) ASSERT_LT(row % 7, 2) << "«Иванов Пётр» and «Петров Иван» only";
  EXPECT_TRUE(cancelled.Cancelled && !cancelled.Error);
  ASSERT_FALSE(cancelled.Rows.empty());
  EXPECT_LE(cancelled.Rows.back(), ProgressStep);
}
