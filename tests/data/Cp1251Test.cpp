#include "data/Cp1251.h"

#include <gtest/gtest.h>

TEST(Cp1251, EveryByteSurvivesARoundTripThroughUtf8) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const auto back = Cp1251FromUtf8(Utf8FromCp1251(all));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
}

TEST(Cp1251, MapsCyrillicLettersAndSigns) {
  EXPECT_EQ(Utf8FromCp1251("\xC0\xFF\xA8\xB8\xB9"), "АяЁё№");
  EXPECT_EQ(Cp1251FromUtf8("«Ёлка» — №1"), std::optional<std::string>("\xAB\xA8\xEB\xEA\xE0\xBB \x97 \xB9"
                                                                      "1"));
}

TEST(Cp1251, RefusesCharactersWithoutAByteAndMalformedUtf8) {
  EXPECT_FALSE(Cp1251FromUtf8("日本").has_value());
  EXPECT_FALSE(Cp1251FromUtf8("\xD0").has_value());
  EXPECT_FALSE(Cp1251FromUtf8("\xC0\x80").has_value());
  EXPECT_FALSE(Cp1251FromUtf8("\xED\xA0\x80").has_value());
  EXPECT_EQ(Cp1251FromUtf8Lossy("a日b\xFF"), "a?b?");
}
