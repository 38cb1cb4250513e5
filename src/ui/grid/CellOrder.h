#pragma once
// The grid's one text order: unsigned bytes, no locale, no case folding, no numbers.

#include <string_view>

// Negative, zero or positive as a sorts before, with or after b.
int CompareCellTexts(std::string_view a, std::string_view b);
