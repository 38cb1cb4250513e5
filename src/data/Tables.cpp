#include "data/Tables.h"

std::vector<std::string> Cities{""};
std::vector<std::string> Streets{""};
TTextTable Owners;
TPhoneTable Phones;

namespace {

std::string_view NameAt(const std::vector<std::string>& table, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < table.size() ? std::string_view(table[index]) : std::string_view();
}

}  // namespace

std::string_view OwnerName(const TPhone& phone) { return OwnerNameAt(phone.OwnerIndex); }

std::string_view OwnerNameAt(int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < Owners.size() ? Owners[static_cast<size_t>(index)]
                                                                  : std::string_view();
}

std::string_view CityName(int32_t index) { return NameAt(Cities, index); }

std::string_view StreetName(int32_t index) { return NameAt(Streets, index); }
