#include "data/PhoneFields.h"

#include "data/TextServices.h"

std::string_view PhoneFieldText(const TDirectory& directory, size_t row, int column, std::string& scratch) {
  const TPhoneTable& phones = directory.Phones;
  if (row >= phones.size()) return {};
  switch (column) {
    case colPhone: return scratch = std::string_view(phones.NumberOf(row));
    case colOwner: return directory.OwnerNameAt(phones.OwnerColumn()[row]);
    case colCity: return directory.CityName(phones.CityColumn()[row]);
    case colStreet: return directory.StreetName(phones.StreetColumn()[row]);
    case colHouse: return scratch = IntegerText(phones.HouseColumn()[row]);
    case colCorpus: return phones.CorpusOf(row);
    case colFlat: return scratch = IntegerText(phones.FlatColumn()[row]);
    default: return {};
  }
}
