// Plain search compares lowered texts, the expression engine a byte with its
// swapped case; both must treat the same bytes as one letter.

#include <gtest/gtest.h>

#include <string>

#include "data/TextServices.h"
#include "regexpr/RegExpr.h"

namespace {

unsigned char Lower(unsigned char c) {
  return static_cast<unsigned char>(LowerText(std::string(1, static_cast<char>(c)))[0]);
}

TEST(CaseFolding, LowerTextAndCaseSwapAgreeOnEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const auto c = static_cast<unsigned char>(b);
    const unsigned char swapped = SwapCaseByLocale(c);
    if (Lower(c) != c) {
      EXPECT_EQ(SwapCaseByLocale(Lower(c)), c) << "capital " << b;
      EXPECT_EQ(swapped, Lower(c)) << "capital " << b;
    } else {
      EXPECT_TRUE(swapped == c || Lower(swapped) == c) << "byte " << b << " swaps to a letter that lowers elsewhere";
    }
  }
}

}  // namespace
