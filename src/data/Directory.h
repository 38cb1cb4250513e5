#pragma once
// One telephone directory: the four tables read from its three data files.
// Filled by one load, read-only once handed over, so that several threads may read it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/PhoneTable.h"
#include "data/TextTable.h"

struct TDirectory {
  TDirectory() = default;
  // The phone table's corpus texts are referred to by address: a directory stays put.
  TDirectory(const TDirectory&) = delete;
  TDirectory& operator=(const TDirectory&) = delete;

  // Bounds-checked lookups: an index outside its table reads as the empty name.
  std::string_view OwnerName(const TPhone& phone) const { return OwnerNameAt(phone.OwnerIndex); }
  std::string_view OwnerNameAt(int32_t ownerIndex) const;
  std::string_view CityName(int32_t index) const;
  std::string_view StreetName(int32_t index) const;

  std::vector<std::string> Cities{""};  // element 0 is the empty name, not stored in the file
  std::vector<std::string> Streets{""};
  TTextTable Owners;
  TPhoneTable Phones;
};
