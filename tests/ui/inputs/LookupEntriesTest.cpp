#include "ui/inputs/LookupEntries.h"

#include <gtest/gtest.h>

#include "tests/ui/inputs/support/Utf8Text.h"

namespace {

// The Russian collation lists Cyrillic before Latin.
TEST(LookupEntries, CollationIgnoresCaseAndPutsTheEmptyTextFirst) {
  TLookupEntries entries;
  entries.Add(U("Яблоновка"), 1);
  entries.Add(U("абакан"), 2);
  entries.Add(U("Borovo"), 3);
  entries.Add(U(""), 0);
  entries.Add(U("Ёлкино"), 4);
  entries.Add(U("Елец"), 5);
  entries.Add(U("Бор"), 6);
  entries.Add(U("alpha"), 7);
  EXPECT_EQ(entries.Texts(), QStringList({U(""), U("абакан"), U("Бор"), U("Елец"), U("Ёлкино"), U("Яблоновка"),
                                          U("alpha"), U("Borovo")}));
}

TEST(LookupEntries, EqualTextsAreListedOnceWithEveryValueRemembered) {
  TLookupEntries entries;
  entries.Add(U(""), 0);
  EXPECT_EQ(entries.Add(U("Заречный"), 5), 1);
  EXPECT_EQ(entries.Add(U("ЗАРЕЧНЫЙ"), 9), -1);
  EXPECT_EQ(entries.Add(U("заречный"), 12), -1);
  EXPECT_EQ(entries.Add(U(""), 3), -1);
  ASSERT_EQ(entries.Count(), 2);
  EXPECT_EQ(entries.Text(1), U("Заречный"));
  EXPECT_EQ(entries.Value(1), 5);
  EXPECT_EQ(entries.Values(1), std::vector<int32_t>({5, 9, 12}));
  EXPECT_EQ(entries.Values(0), std::vector<int32_t>({0, 3}));
  // Ё and Е are different letters, not case variants.
  EXPECT_GE(entries.Add(U("Зарёчный"), 13), 0);
}

TEST(LookupEntries, FindAndPrefixSearch) {
  TLookupEntries entries;
  for (const char* name : {"", "Зеленоград", "заречный", "Абакан", "Зима"}) entries.Add(U(name), 0);
  EXPECT_EQ(entries.Find(U("ЗИМА")), 4);
  EXPECT_EQ(entries.Find(U("Зимы")), -1);
  EXPECT_EQ(entries.FindPrefix(U("з")), 2);
  EXPECT_EQ(entries.FindPrefix(U("ЗЕ")), 3);
  EXPECT_EQ(entries.FindPrefix(U("Ж")), -1);
  EXPECT_EQ(entries.FindPrefix(U("")), 0);
  entries.Clear();
  EXPECT_EQ(entries.Count(), 0);
  EXPECT_EQ(entries.FindPrefix(U("")), -1);
}

}  // namespace

namespace {

TEST(LookupEntries, AppendedEntriesSettleLikeAddedOnes) {
  TLookupEntries entries;
  entries.Add(U("Заречный"), 5);
  entries.Append(U("Бор"), 1);
  entries.Append(U("ЗАРЕЧНЫЙ"), 9);
  entries.Append(U(""), 0);
  entries.Append(U("бор"), 7);
  entries.Append(U("Заречный"), 11);
  EXPECT_EQ(entries.Texts(), QStringList({U(""), U("Бор"), U("Заречный")}));
  EXPECT_EQ(entries.Values(1), std::vector<int32_t>({1, 7}));
  EXPECT_EQ(entries.Values(2), std::vector<int32_t>({5, 9, 11}));
  // Adding after appending sees the settled list.
  EXPECT_EQ(entries.Add(U("БОР"), 20), -1);
  EXPECT_EQ(entries.Add(U("Абакан"), 21), 1);
  EXPECT_EQ(entries.Values(2), std::vector<int32_t>({1, 7, 20}));
}

}  // namespace
