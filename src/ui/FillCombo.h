#pragma once
// The city and street drop-downs over their name tables.

#include <cstdint>
#include <string>
#include <vector>

class TLookupComboBox;

// Lists every name of the table once (equal names ignoring case share one entry) and
// selects the empty name.
void FillCombo(TLookupComboBox& combo, const std::vector<std::string>& table);

// Lists a new table's names, keeping the selected name where the new table has it.
void RefillCombo(TLookupComboBox& combo, const std::vector<std::string>& table);

// Every table index carrying the selected name; empty when the empty name is selected.
std::vector<int32_t> SelectedTableIndices(const TLookupComboBox& combo);
