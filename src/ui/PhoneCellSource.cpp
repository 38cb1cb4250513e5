#include "PhoneCellSource.h"

#include "Tables.h"
#include "TextServices.h"

std::string_view TPhoneCellSource::CellText(uint32_t key, int column, std::string& scratch) const {
  if (key >= Phones.size()) return {};
  const TPhone phone = Phones[key];
  switch (column) {
    case colPhone: return scratch = std::string_view(phone.Number);
    case colOwner: return OwnerName(phone);
    case colCity: return CityName(phone.CityIndex);
    case colStreet: return StreetName(phone.StreetIndex);
    case colHouse: return scratch = IntegerText(phone.House);
    case colCorpus: return phone.Corpus;
    case colFlat: return scratch = IntegerText(phone.Flat);
    default: return {};
  }
}
