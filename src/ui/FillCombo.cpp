#include "ui/FillCombo.h"

#include <algorithm>

#include "ui/inputs/LookupComboBox.h"
#include "ui/text/Text1251.h"

void FillCombo(TLookupComboBox& combo, const std::vector<std::string>& table) {
  combo.SelectPosition(-1);
  combo.BeginUpdate();
  try {
    combo.ClearEntries();
    for (size_t j = 0; j < table.size(); ++j) combo.AddEntry(FromCp1251(table[j]), static_cast<int32_t>(j));
  } catch (...) {
    combo.EndUpdate();
    throw;
  }
  combo.EndUpdate();
  combo.SelectPosition(0);
}

void RefillCombo(TLookupComboBox& combo, const std::vector<std::string>& table) {
  const QString selected = combo.currentText();
  FillCombo(combo, table);
  combo.SelectPosition(std::max(0, combo.findText(selected, Qt::MatchFixedString)));
}

std::vector<int32_t> SelectedTableIndices(const TLookupComboBox& combo) {
  if (combo.SelectedValue() <= 0) return {};
  return combo.SelectedValues();
}
