#include "ui/text/Text1251.h"

#include <gtest/gtest.h>

TEST(Text1251, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(ToCp1251(FromCp1251(all)), all);
}

TEST(Text1251, CyrillicLettersMapToTheirUnicodeCharacters) {
  EXPECT_EQ(FromCp1251("\xC8\xE2\xE0\xED"), QString::fromUtf8("Иван"));
  EXPECT_EQ(FromCp1251("\xA8\xB8\xB9"), QString::fromUtf8("Ёё№"));
  EXPECT_EQ(ToCp1251(QString::fromUtf8("«Орлинар»")), "\xAB\xCE\xF0\xEB\xE8\xED\xE0\xF0\xBB");
}

TEST(Text1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(ToCp1251(QString::fromUtf8("a€b漢")),
            "a\x88"
            "b?");
}
