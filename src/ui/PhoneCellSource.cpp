#include "ui/PhoneCellSource.h"

std::string_view TPhoneCellSource::CellText(uint32_t key, int column, std::string& scratch) const {
  return PhoneFieldText(*directory_, key, column, scratch);
}
