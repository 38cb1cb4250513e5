#pragma once
// Text typed with the Latin layout switched on where the Russian one was meant.

#include <string>
#include <string_view>

// Whether text holds a letter A to Z, in either case: only then may it have been
// typed in the wrong layout.
bool HasLatinLetters(std::string_view text);
// What the same keys give in the Russian layout ЙЦУКЕН, shifted keys included;
// other bytes stay.
std::string RussianLayoutText(std::string_view latin);
