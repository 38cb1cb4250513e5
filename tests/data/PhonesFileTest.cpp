#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/LoadDataThread.h"
#include "data/LoadDirectory.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"

namespace {

class PhonesFile : public ::testing::Test {
 protected:
  std::shared_ptr<TDirectory> Load(const std::string& bytes) { return LoadPhonesFile(dir, bytes); }
  TTempDirectory dir;
};

std::string Hex(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

}  // namespace

TEST_F(PhonesFile, ReadsTheExampleRecords) {
  const auto d = Load(Hex({0x03, 0xC8, 0xE2, 0xE0}) +
                      Hex({0x81, 0xE9, 0x02, 0, 0, 0, 0, 0, 0, 0x03, 0, 0x07, 0, 0x0C, 0, 0x2D, 0, 0xE0}));
  ASSERT_EQ(d->Owners.size(), 1u);
  EXPECT_EQ(d->Owners[0], Cp("Ива"));
  ASSERT_EQ(d->Phones.size(), 1u);
  const TPhone& phone = d->Phones[0];
  EXPECT_EQ(phone.OwnerIndex, 0);
  EXPECT_EQ(std::string_view(phone.Number), "745");
  EXPECT_EQ(phone.CityIndex, 3);
  EXPECT_EQ(phone.StreetIndex, 7);
  EXPECT_EQ(phone.House, 12);
  EXPECT_EQ(std::string_view(phone.Corpus), Cp("а"));
  EXPECT_EQ(phone.Flat, 45);
}

TEST_F(PhonesFile, PhonesBelongToTheOwnerReadMostRecently) {
  const auto d = Load(OwnerRecord("A") + PhoneRecord(1, 0, 0, 0, 0) + PhoneRecord(2, 0, 0, 0, 0) + OwnerRecord("B") +
                      OwnerRecord("C") + PhoneRecord(3, 0, 0, 0, 0) + OwnerRecord("D"));
  EXPECT_EQ(d->Owners.size(), 4u);
  ASSERT_EQ(d->Phones.size(), 3u);
  EXPECT_EQ(d->Phones[0].OwnerIndex, 0);
  EXPECT_EQ(d->Phones[1].OwnerIndex, 0);
  EXPECT_EQ(d->Phones[2].OwnerIndex, 2);
  EXPECT_EQ(d->OwnerName(d->Phones[2]), "C");
}

TEST_F(PhonesFile, PhoneBeforeAnyOwnerHasNoOwnerName) {
  const auto d = Load(PhoneRecord(5, 1, 1, 1, 1) + OwnerRecord("A"));
  EXPECT_EQ(d->Phones[0].OwnerIndex, -1);
  EXPECT_EQ(d->OwnerName(d->Phones[0]), "");
}

TEST_F(PhonesFile, NumbersBecomeDecimalTextAcrossTheWholeRange) {
  const auto d = Load(OwnerRecord("") + PhoneRecord(0, 0, 0, 0, 0) + PhoneRecord(-42, 0, 0, 0, 0) +
                      PhoneRecord(INT64_MAX, 0, 0, 0, 0) + PhoneRecord(INT64_MIN, 0, 0, 0, 0) +
                      PhoneRecord(9161234567, 0, 0, 0, 0));
  ASSERT_EQ(d->Phones.size(), 5u);
  EXPECT_EQ(std::string_view(d->Phones[0].Number), "0");
  EXPECT_EQ(std::string_view(d->Phones[1].Number), "-42");
  EXPECT_EQ(std::string_view(d->Phones[2].Number), "9223372036854775807");
  EXPECT_EQ(std::string_view(d->Phones[3].Number), "-9223372036854775808");
  EXPECT_EQ(std::string_view(d->Phones[4].Number), "9161234567");
}

TEST_F(PhonesFile, SixteenBitFieldsAreZeroExtended) {
  const auto d = Load(OwnerRecord("") + PhoneRecord(1, 65535, 40000, 65535, 32768) + PhoneRecord(2, 0, 0, 0, 0));
  EXPECT_EQ(d->Phones[0].CityIndex, 65535);
  EXPECT_EQ(d->Phones[0].StreetIndex, 40000);
  EXPECT_EQ(d->Phones[0].House, 65535);
  EXPECT_EQ(d->Phones[0].Flat, 32768);
  EXPECT_EQ(d->Phones[1].House, 0);
  EXPECT_EQ(d->CityName(d->Phones[0].CityIndex), "");
}

TEST_F(PhonesFile, CorpusTextsOfEveryLength) {
  const std::string longest(127, 'k');
  const auto d = Load(OwnerRecord("") + PhoneRecord(1, 0, 0, 0, 0) + PhoneRecord(2, 0, 0, 0, 0, longest) +
                      PhoneRecord(3, 0, 0, 0, 0, "2") + PhoneRecord(4, 0, 0, 0, 0, "2"));
  EXPECT_EQ(std::string_view(d->Phones[0].Corpus), "");
  EXPECT_EQ(std::string_view(d->Phones[1].Corpus), longest);
  EXPECT_EQ(std::string_view(d->Phones[2].Corpus), "2");
  EXPECT_EQ(std::string_view(d->Phones[3].Corpus), "2");
}

TEST_F(PhonesFile, OwnerNamesOfZeroAnd127Bytes) {
  const std::string longest(127, '\xC0');
  const auto d = Load(OwnerRecord("") + OwnerRecord(longest));
  ASSERT_EQ(d->Owners.size(), 2u);
  EXPECT_EQ(d->Owners[0], "");
  EXPECT_EQ(d->Owners[1], longest);
  EXPECT_TRUE(d->Phones.empty());
}

TEST_F(PhonesFile, EmptyFileLoadsAsEmptyTables) {
  const auto d = Load("");
  EXPECT_TRUE(d->Phones.empty());
  EXPECT_TRUE(d->Owners.empty());
}

TEST_F(PhonesFile, FinalPhoneCutShortIsDroppedWithoutBorrowingBytes) {
  const std::string whole = OwnerRecord("A") + PhoneRecord(111, 1, 2, 3, 4, "xyz");
  for (size_t cut = 1; cut < 19; ++cut) {
    const std::string truncated = PhoneRecord(222, 5, 6, 7, 8, "ab").substr(0, cut);
    const auto d = Load(whole + truncated);
    ASSERT_EQ(d->Phones.size(), 1u) << cut;
    EXPECT_EQ(std::string_view(d->Phones[0].Number), "111") << cut;
    EXPECT_EQ(std::string_view(d->Phones[0].Corpus), "xyz") << cut;
  }
}

TEST_F(PhonesFile, FinalOwnerCutShortIsDropped) {
  const auto d = Load(OwnerRecord("A") + PhoneRecord(1, 0, 0, 0, 0) +
                      std::string("\x05"
                                  "ab"));
  EXPECT_EQ(d->Owners.size(), 1u);
  EXPECT_EQ(d->Phones.size(), 1u);
}

TEST_F(PhonesFile, ReloadReplacesEverything) {
  TDirectory directory;
  auto loadInto = [&](const std::string& bytes) {
    dir.Write("Phones.dbr", bytes);
    TLoadDataThread loader(directory, dir.Path(), HandOverAtOnce, nullptr);
    loader.Join();
    return loader.DataLoaded();
  };
  ASSERT_TRUE(loadInto(OwnerRecord("A") + PhoneRecord(1, 0, 0, 0, 0, "q") + PhoneRecord(2, 0, 0, 0, 0)));
  ASSERT_TRUE(loadInto(OwnerRecord("B") + PhoneRecord(3, 0, 0, 0, 0, "r")));
  ASSERT_EQ(directory.Phones.size(), 1u);
  EXPECT_EQ(directory.Owners[0], "B");
  EXPECT_EQ(std::string_view(directory.Phones[0].Corpus), "r");
  EXPECT_EQ(directory.Phones.CorpusTexts().size(), 2u);
}

TEST_F(PhonesFile, RecordsAcrossManyReadingBuffersAllArrive) {
  // Records of every size, so that the buffer's end cuts owners and phones at
  // every offset over a file several buffers long.
  std::string bytes;
  std::vector<std::string> owners;
  std::vector<int64_t> numbers;
  for (int i = 0; bytes.size() < 3 * 1024 * 1024; ++i) {
    owners.push_back(std::string(static_cast<size_t>(i % 128), static_cast<char>('a' + i % 26)));
    bytes += OwnerRecord(owners.back());
    for (int k = 0; k < i % 3; ++k) {
      numbers.push_back(int64_t{i} * 10 + k);
      bytes += PhoneRecord(numbers.back(), 1, 2, 3, 4, std::string(static_cast<size_t>(i % 12), 'c'));
    }
  }
  const auto d = Load(bytes);
  ASSERT_EQ(d->Owners.size(), owners.size());
  ASSERT_EQ(d->Phones.size(), numbers.size());
  for (size_t i = 0; i < owners.size(); ++i) ASSERT_EQ(d->Owners[i], owners[i]) << i;
  for (size_t i = 0; i < numbers.size(); ++i) {
    const TPhone phone = d->Phones[i];
    ASSERT_EQ(std::string_view(phone.Number), std::to_string(numbers[i])) << i;
    ASSERT_EQ(phone.OwnerIndex, static_cast<int32_t>(numbers[i] / 10)) << i;
    ASSERT_EQ(std::string_view(phone.Corpus).size(), static_cast<size_t>(numbers[i] / 10 % 12)) << i;
  }
}

TEST(AddPhone, CountsAndAppendsOneRecord) {
  TTempDirectory dir;
  dir.Write("Phones.dbr", "");
  TDirectory directory;
  TLoadDataThread loader(directory, dir.Path(), HandOverAtOnce, nullptr);
  loader.Join();
  ASSERT_TRUE(loader.DataLoaded());
  AddPhone(directory, loader, 4,
           TDbrPhone{.Number = 5551234, .City = 1, .Street = 2, .House = 12, .Flat = 9, .Corpus = Cp("к1")});
  AddPhone(directory, loader, 4, TDbrPhone{.Number = 7, .City = 1, .Corpus = ""});
  EXPECT_EQ(loader.Count, 2);
  ASSERT_EQ(directory.Phones.size(), 2u);
  const TPhone& phone = directory.Phones[0];
  EXPECT_EQ(phone.OwnerIndex, 4);
  EXPECT_EQ(std::string_view(phone.Number), "5551234");
  EXPECT_EQ(phone.CityIndex, 1);
  EXPECT_EQ(phone.StreetIndex, 2);
  EXPECT_EQ(phone.House, 12);
  EXPECT_EQ(std::string_view(phone.Corpus), Cp("к1"));
  EXPECT_EQ(phone.Flat, 9);
  EXPECT_EQ(directory.OwnerName(phone), "");
}
