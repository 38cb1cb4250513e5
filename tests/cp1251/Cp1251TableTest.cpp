#include "cp1251/Cp1251Table.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cstdint>
#include <cwctype>
#include <string>

namespace {

// The C library's Unicode case mapping is the independent reference for the letter pairs.
class UnicodeCaseLocale {
 public:
  UnicodeCaseLocale() : previous_(std::setlocale(LC_CTYPE, nullptr)) {
    available_ = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
  }
  ~UnicodeCaseLocale() { std::setlocale(LC_CTYPE, previous_.c_str()); }
  bool Available() const { return available_; }

 private:
  std::string previous_;
  bool available_ = false;
};

// The byte of a mapped character, or the original byte when the mapping leaves the code page.
unsigned char ByteOrSelf(std::wint_t mapped, unsigned char byte) { return cp1251::ByteOf(mapped).value_or(byte); }

TEST(Cp1251Table, CaseOfEveryByteFollowsUnicode) {
  const UnicodeCaseLocale locale;
  ASSERT_TRUE(locale.Available()) << "the C.UTF-8 locale is missing";
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<unsigned char>(b);
    const auto codePoint = static_cast<std::wint_t>(cp1251::CodePoints[byte]);
    const unsigned char upper = ByteOrSelf(std::towupper(codePoint), byte);
    const unsigned char lower = ByteOrSelf(std::towlower(codePoint), byte);
    EXPECT_EQ(cp1251::UpperCase[byte], upper) << "byte " << b;
    EXPECT_EQ(cp1251::LowerCase[byte], lower) << "byte " << b;
    EXPECT_EQ(cp1251::SwapCase[byte], lower != byte ? lower : upper) << "byte " << b;
  }
}

TEST(Cp1251Table, ByteOfFindsExactlyTheCodePointsOfTheBytes) {
  std::array<int, 0x10000> byteOf;
  byteOf.fill(-1);
  for (int b = 0; b < 256; ++b) {
    ASSERT_EQ(byteOf[cp1251::CodePoints[b]], -1) << "two bytes share the code point of byte " << b;
    byteOf[cp1251::CodePoints[b]] = b;
  }
  for (char32_t u = 0; u < byteOf.size(); ++u) {
    const auto found = cp1251::ByteOf(u);
    if (byteOf[u] < 0) {
      EXPECT_FALSE(found.has_value()) << "U+" << std::hex << static_cast<int>(u);
    } else {
      EXPECT_EQ(found, static_cast<unsigned char>(byteOf[u])) << "U+" << std::hex << static_cast<int>(u);
    }
  }
  for (char32_t u : {char32_t{0x10000}, char32_t{0x10410}, char32_t{0x10FFFF}, char32_t{0xFFFFFFFF}}) {
    EXPECT_FALSE(cp1251::ByteOf(u).has_value()) << std::hex << static_cast<uint32_t>(u);
  }
}

}  // namespace
