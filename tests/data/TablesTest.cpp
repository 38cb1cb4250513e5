#include "data/Directory.h"

#include <gtest/gtest.h>

#include "tests/support/Cp1251Literal.h"

TEST(NumberText, HoldsUpToTwentyBytes) {
  EXPECT_EQ(std::string_view(TNumberText::FromValue(INT64_MIN)), "-9223372036854775808");
  EXPECT_EQ(std::string_view(TNumberText::FromValue(0)), "0");
  EXPECT_EQ(std::string_view(TNumberText("")), "");
  EXPECT_EQ(std::string_view(TNumberText("123456789012345678901234")), "12345678901234567890");
  EXPECT_EQ(TNumberText("12").size(), 2u);
}

TEST(CorpusText, EqualTextsShareOneEntryAndEmptyIsZero) {
  TPhoneTable phones;
  const TCorpusText a(phones, "a"), b(phones, Cp("к1")), again(phones, "a");
  EXPECT_EQ(a.Id, again.Id);
  EXPECT_NE(a.Id, b.Id);
  EXPECT_EQ(TCorpusText(phones, "").Id, 0u);
  EXPECT_EQ(std::string_view(b), Cp("к1"));
  for (int i = 0; i < 5000; ++i) TCorpusText(phones, std::to_string(i));
  EXPECT_EQ(TCorpusText(phones, "4999").Id, TCorpusText(phones, "4999").Id);
  EXPECT_EQ(std::string_view(TCorpusText(phones.CorpusTexts(), a.Id)), "a");
  EXPECT_EQ(phones.CorpusTexts().size(), 5003u);
}

TEST(CorpusText, IdsForgottenByClearReadAsEmpty) {
  TPhoneTable phones;
  const TCorpusText stale(phones, "zz");
  phones.clear();
  EXPECT_EQ(std::string_view(stale), "");
}

TEST(TextTable, KeepsTextsAndALowerCasedCopyCutAtNul) {
  TTextTable table;
  table.push_back(Cp("ИВАН"));
  table.push_back("");
  table.push_back(std::string("Ab\0CD", 5));
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[0], Cp("ИВАН"));
  EXPECT_EQ(table[1], "");
  EXPECT_EQ(table[2], std::string("Ab\0CD", 5));
  EXPECT_EQ(table.LowerTexts(), Cp("иван") + std::string("\0\0ab\0\0\0\0", 8));
  EXPECT_EQ(table.StartOf(2), 6u);
  EXPECT_EQ(table.IndexAt(0), 0u);
  EXPECT_EQ(table.IndexAt(4), 0u);
  EXPECT_EQ(table.IndexAt(5), 1u);
  EXPECT_EQ(table.IndexAt(6), 2u);
  table.clear();
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table.LowerTexts(), "");
}

TEST(PhoneTable, ColumnsFollowTheRecords) {
  TPhoneTable phones;
  phones.push_back(TPhone{2, "9161234567", 1, 2, 3, TCorpusText(phones, "a"), 4});
  phones.push_back(TPhone{-1, "0123", 65535, 0, 0, {}, 0});
  phones.push_back(TPhone{0, "-5", 0, 0, 0, {}, 0});
  phones.push_back(TPhone{0, "0", 0, 0, 0, {}, 0});
  EXPECT_EQ(phones.OwnerColumn(), (std::vector<int32_t>{2, -1, 0, 0}));
  EXPECT_EQ(phones.NumberColumn(), (std::vector<int64_t>{9161234567, -1, -1, 0}));
  EXPECT_EQ(phones.CityColumn(), (std::vector<uint16_t>{1, 65535, 0, 0}));
  EXPECT_EQ(phones.StreetColumn()[0], 2);
  EXPECT_EQ(phones.HouseColumn()[0], 3);
  EXPECT_EQ(phones.FlatColumn()[0], 4);
}

TEST(PhoneTable, RecordsComeBackAsPutInWhateverTheirNumberText) {
  TPhoneTable phones;
  const std::vector<std::string> texts{"-0", "5", "007", "", "-9223372036854775808", "12a", "0", "+3"};
  for (size_t i = 0; i < texts.size(); ++i) {
    const auto n = static_cast<int32_t>(i);
    phones.push_back(TPhone{n - 1, texts[i], n, n + 1, n + 2, TCorpusText(phones, texts[i]), n + 3});
  }
  phones.Append(3, TDbrPhone{.Number = -77, .City = 9, .Street = 9, .House = 9, .Flat = 9, .Corpus = ""});
  ASSERT_EQ(phones.size(), texts.size() + 1);
  for (size_t i = 0; i < texts.size(); ++i) {
    const TPhone phone = phones[i];
    const auto n = static_cast<int32_t>(i);
    EXPECT_EQ(std::string_view(phone.Number), texts[i]) << i;
    EXPECT_EQ(std::string_view(phone.Corpus), texts[i]) << i;
    EXPECT_EQ(phone.OwnerIndex, n - 1);
    EXPECT_EQ(phone.CityIndex, n);
    EXPECT_EQ(phone.StreetIndex, n + 1);
    EXPECT_EQ(phone.House, n + 2);
    EXPECT_EQ(phone.Flat, n + 3);
  }
  EXPECT_EQ(std::string_view(phones.NumberOf(texts.size())), "-77");
  EXPECT_EQ(phones.NumberColumn()[1], 5);
  EXPECT_EQ(phones.NumberColumn()[6], 0);
  phones.clear();
  phones.push_back(TPhone{0, "1", 0, 0, 0, {}, 0});
  EXPECT_EQ(std::string_view(phones[0].Number), "1");  // no text left over from before the clear
}

TEST(PhoneTable, CorpusOfAnotherTableIsTakenByItsText) {
  TPhoneTable other;
  TCorpusText(other, "x");
  const TCorpusText foreign(other, "y");
  TPhoneTable phones;
  phones.push_back(TPhone{0, "1", 0, 0, 0, foreign, 0});
  EXPECT_EQ(std::string_view(phones[0].Corpus), "y");
  EXPECT_EQ(phones[0].Corpus.Texts(), &phones.CorpusTexts());
  EXPECT_EQ(phones.CorpusTexts().size(), 2u);
}

TEST(PhoneTable, RefusesFieldsNoDataFileCanHold) {
  TPhoneTable phones;
  EXPECT_THROW(phones.push_back(TPhone{0, "1", 65536, 0, 0, {}, 0}), std::out_of_range);
  EXPECT_THROW(phones.push_back(TPhone{0, "1", 0, -1, 0, {}, 0}), std::out_of_range);
  EXPECT_THROW(phones.push_back(TPhone{0, "1", 0, 0, 70000, {}, 0}), std::out_of_range);
  EXPECT_THROW(phones.push_back(TPhone{0, "1", 0, 0, 0, {}, 65536}), std::out_of_range);
  EXPECT_TRUE(phones.empty());
  EXPECT_TRUE(phones.CityColumn().empty());
}

TEST(TextTable, IndexAtFindsTheHoldingTextFromAnyEarlierStart) {
  TTextTable table;
  std::vector<size_t> owner;  // text index of every byte of LowerTexts()
  for (size_t i = 0; i < 300; ++i) {
    table.push_back(std::string(i * 7 % 13, 'x'));
    owner.insert(owner.end(), i * 7 % 13 + 1, i);
  }
  ASSERT_EQ(owner.size(), table.LowerTexts().size());
  for (size_t offset = 0; offset < owner.size(); offset += 3) {
    for (size_t from : {size_t{0}, owner[offset] / 2, owner[offset]}) {
      ASSERT_EQ(table.IndexAt(offset, from), owner[offset]) << offset << " from " << from;
    }
  }
}
