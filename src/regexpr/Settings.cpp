#include "regexpr/Settings.h"

#include "cp1251/Cp1251Table.h"

uint8_t SwapCaseByLocale(uint8_t c) { return cp1251::SwapCase[c]; }

namespace regexpr {

TSettings::TSettings() {
  for (char c : LineBreakChars) SeparatorSet.set(static_cast<uint8_t>(c));
}

}  // namespace regexpr
