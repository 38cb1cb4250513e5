#include "search/TextsContaining.h"

#include <gtest/gtest.h>

#include "tests/support/Cp1251Literal.h"
#include "tools/Random.h"

namespace {

std::string RandomText(TRandom& random, size_t size, std::string_view alphabet) {
  std::string text(size, ' ');
  for (char& c : text) c = alphabet[random.Below(alphabet.size())];
  return text;
}

}  // namespace

TEST(TextFinder, AgreesWithAPlainFindAtEveryLengthAndStart) {
  TRandom random(3);
  const std::string alphabet = Cp("иван о") + std::string(1, '\0');
  for (int round = 0; round < 400; ++round) {
    const std::string text = RandomText(random, random.Below(100), alphabet);
    const std::string needle = RandomText(random, 1 + random.Below(6), Cp("иван о"));
    const TTextFinder finder(needle);
    for (size_t from = 0; from <= text.size() + 1; ++from) {
      ASSERT_EQ(finder.Find(text, from), std::string_view(text).find(needle, from))
          << "text of " << text.size() << " bytes, needle of " << needle.size() << ", from " << from;
    }
  }
}

TEST(TextFinder, FindsANeedleThatEndsAtTheLastByte) {
  for (size_t size = 2; size < 80; ++size) {
    const std::string text = std::string(size - 2, 'a') + "xy";
    EXPECT_EQ(TTextFinder("xy").Find(text, 0), size - 2);
    EXPECT_EQ(TTextFinder("xyz").Find(text, 0), std::string_view::npos);
  }
  EXPECT_EQ(TTextFinder("").Find("abc", 0), std::string_view::npos);
}

TEST(TextsContaining, MarksEachTextThatHoldsTheNeedleOnce) {
  TTextTable table;
  for (const char* name : {"Иванов", "Петров", "", "ИВАН ИВАНОВИЧ", "Ива", "нов"}) table.push_back(Cp(name));
  const std::vector<uint64_t> bits = TextsContaining(table, Cp("иван"));
  ASSERT_EQ(bits.size(), 1u);
  EXPECT_EQ(bits[0], 0b1001u);
  EXPECT_EQ(TextsContaining(table, Cp("ов"))[0], 0b101011u);
  EXPECT_EQ(TextsContaining(table, Cp("ванпетров"))[0], 0u) << "texts do not run into each other";
  EXPECT_EQ(TextsContaining(table, "")[0], 0u);
}

TEST(TextsContaining, StartingWithAnyMarksTextsThatBeginWithOneOfTheNeedles) {
  TTextTable table;
  for (const char* name : {"Иванов", "Петров", "", "Сидоров Иван", "Ива", "ПЕТРОВА"}) table.push_back(Cp(name));
  table.push_back(Cp("Ив") + std::string(1, '\0') + Cp("анов"));  // searched up to its NUL only
  const std::vector<std::string> needles = {Cp("иван"), "", Cp("петров")};
  EXPECT_EQ(TextsStartingWithAny(table, needles)[0], 0b100011u);
  EXPECT_EQ(TextsStartingWithAny(table, std::vector<std::string>{""})[0], 0u) << "an empty needle is in no text";
  EXPECT_EQ(TextsStartingWithAny(table, std::vector<std::string>{Cp("ив")})[0], 0b1010001u);
}

TEST(TextFinder, ReadingYoAsEAgreesWithAFindOverTextWithYoReplaced) {
  TRandom random(4);
  const std::string alphabet = Cp("еёвао ");
  for (int round = 0; round < 400; ++round) {
    const std::string text = RandomText(random, random.Below(100), alphabet);
    const std::string needle = RandomText(random, 1 + random.Below(5), Cp("еваео"));
    std::string replaced = text;
    for (char& c : replaced)
      if (c == Cp("ё")[0]) c = Cp("е")[0];
    const TTextFinder finder(needle, true);
    for (size_t from = 0; from <= text.size(); ++from)
      ASSERT_EQ(finder.Find(text, from), std::string_view(replaced).find(needle, from)) << round << " " << from;
  }
  TTextTable table;
  for (const char* name : {"Ёлкин", "Елкин", "Ёжиков", "ЕЛКИНА"}) table.push_back(Cp(name));
  EXPECT_EQ(TextsContainingReadingYoAsE(table, Cp("елк"))[0], 0b1011u);
  EXPECT_EQ(TextsContainingReadingYoAsE(table, Cp("елк"), [](size_t index, int) { return index != 1; })[0], 0b1001u);
  EXPECT_EQ(TextsContaining(table, Cp("елк"))[0], 0b1010u) << "only forgiving reads «ё» as «е»";
}
