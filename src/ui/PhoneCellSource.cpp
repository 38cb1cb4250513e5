#include "ui/PhoneCellSource.h"

#include "data/Tables.h"
#include "data/TextServices.h"

std::string_view TPhoneCellSource::CellText(uint32_t key, int column, std::string& scratch) const {
  if (key >= Phones.size()) return {};
  switch (column) {
    case colPhone: return scratch = std::string_view(Phones.NumberOf(key));
    case colOwner: return OwnerNameAt(Phones.OwnerColumn()[key]);
    case colCity: return CityName(Phones.CityColumn()[key]);
    case colStreet: return StreetName(Phones.StreetColumn()[key]);
    case colHouse: return scratch = IntegerText(Phones.HouseColumn()[key]);
    case colCorpus: return Phones.CorpusOf(key);
    case colFlat: return scratch = IntegerText(Phones.FlatColumn()[key]);
    default: return {};
  }
}
