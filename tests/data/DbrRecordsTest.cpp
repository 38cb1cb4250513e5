#include "data/DbrRecords.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/Cp1251Literal.h"

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out += static_cast<char>(b);
  return out;
}

}  // namespace

// Pins the encoder to the file bytes on its own: the loader tests build their files
// with it, so a fault shared by encoder and decoder would pass them.
TEST(DbrRecords, EncodesTheBytesOfTheFiles) {
  std::string phones;
  AppendOwnerRecord(phones, Cp("Ива"));
  AppendPhoneRecord(phones, TDbrPhone{745, 3, 7, 12, 45, Cp("а")});
  AppendPhoneRecord(phones, TDbrPhone{-2, 0x1234, 0xFFFF, 0x8000, 1, ""});
  EXPECT_EQ(phones,
            Bytes({0x03, 0xC8, 0xE2, 0xE0,  //
                   0x81, 0xE9, 0x02, 0,    0,    0,    0,    0,    0,    0x03, 0,    0x07, 0,    0x0C, 0,    0x2D, 0,
                   0xE0,  //
                   0x80, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 0xFF, 0xFF, 0,    0x80, 0x01, 0}));
  std::string names;
  AppendNameRecord(names, "");
  AppendNameRecord(names, std::string(255, 'n'));
  EXPECT_EQ(names, Bytes({0, 0xFF}) + std::string(255, 'n'));
}

TEST(DbrRecords, TextBeyondItsLengthByteIsRefusedAndNothingAppended) {
  const std::string owner(127, 'o');
  std::string out = "kept";
  AppendOwnerRecord(out, owner);
  AppendPhoneRecord(out, TDbrPhone{1, 0, 0, 0, 0, owner});
  const std::string written = out;
  EXPECT_THROW(AppendNameRecord(out, std::string(256, 'n')), std::length_error);
  EXPECT_THROW(AppendOwnerRecord(out, owner + "o"), std::length_error);
  EXPECT_THROW(AppendPhoneRecord(out, TDbrPhone{1, 0, 0, 0, 0, owner + "o"}), std::length_error);
  EXPECT_EQ(out, written);
  try {
    AppendPhoneRecord(out, TDbrPhone{1, 0, 0, 0, 0, owner + "o"});
  } catch (const std::length_error& error) {
    EXPECT_STREQ(error.what(), "corpus longer than 127 bytes");
  }
}
