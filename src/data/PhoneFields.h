#pragma once
// The seven fields of a phone line as texts, in the one order in which the window's
// grid shows them and the data tool writes and reads them.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/Directory.h"

enum TPhoneColumn { colPhone, colOwner, colCity, colStreet, colHouse, colCorpus, colFlat };
constexpr int PhoneColumnCount = colFlat + 1;

// The text of column in line row of directory.Phones; scratch holds it when no table
// does. A row outside Phones or a column outside the seven reads as the empty text.
std::string_view PhoneFieldText(const TDirectory& directory, size_t row, int column, std::string& scratch);
