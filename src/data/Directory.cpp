#include "data/Directory.h"

namespace {

std::string_view NameAt(const std::vector<std::string>& table, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < table.size() ? std::string_view(table[index]) : std::string_view();
}

}  // namespace

std::string_view TDirectory::OwnerNameAt(int32_t index) const {
  return index >= 0 && static_cast<size_t>(index) < Owners.size() ? Owners[static_cast<size_t>(index)]
                                                                  : std::string_view();
}

std::string_view TDirectory::CityName(int32_t index) const { return NameAt(Cities, index); }

std::string_view TDirectory::StreetName(int32_t index) const { return NameAt(Streets, index); }
