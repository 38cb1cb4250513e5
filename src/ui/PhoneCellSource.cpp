#include "ui/PhoneCellSource.h"

#include "data/TextServices.h"

std::string_view TPhoneCellSource::CellText(uint32_t key, int column, std::string& scratch) const {
  const TPhoneTable& phones = directory_.Phones;
  if (key >= phones.size()) return {};
  switch (column) {
    case colPhone: return scratch = std::string_view(phones.NumberOf(key));
    case colOwner: return directory_.OwnerNameAt(phones.OwnerColumn()[key]);
    case colCity: return directory_.CityName(phones.CityColumn()[key]);
    case colStreet: return directory_.StreetName(phones.StreetColumn()[key]);
    case colHouse: return scratch = IntegerText(phones.HouseColumn()[key]);
    case colCorpus: return phones.CorpusOf(key);
    case colFlat: return scratch = IntegerText(phones.FlatColumn()[key]);
    default: return {};
  }
}
