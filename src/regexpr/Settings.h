#pragma once
// What the compiler and the matcher read besides the expression and the
// modifiers: the class members, the line breaks and the case swap.

#include <bitset>
#include <cstdint>
#include <string>

using TCharSet = std::bitset<256>;
using TCaseSwapper = uint8_t (*)(uint8_t);

// The other-case form of a Windows-1251 letter; any other byte unchanged.
uint8_t SwapCaseByLocale(uint8_t c);

namespace regexpr {

struct TSettings {
  TSettings();

  std::string SpaceCharacters = std::string(" \t\n\r\f");
  std::string WordCharacters = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ_";
  const std::string LineBreakChars = "\r\n";
  // The line-break list never changes after creation, so its set is built once.
  TCharSet SeparatorSet;
  bool PairAssigned = false;
  uint8_t PairHead = 0;
  uint8_t PairTail = 0;
  TCaseSwapper CaseSwapper = SwapCaseByLocale;
};

}  // namespace regexpr
