// Any bytes as Phones.dbr: loading and searching must stay inside every table and
// buffer (run under the sanitizers), and the tables must stay in step.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "DirectoryFiles.h"
#include "LoadDataThread.h"
#include "Search.h"

namespace {

const std::string& FuzzDirectory() {
  static const std::string path = [] {
    const auto directory = std::filesystem::temp_directory_path() / ("orlinar-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    static const std::string removeAtExit = directory.string();
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(removeAtExit, ignored);
    });
    return directory.string();
  }();
  return path;
}

void SearchEverything(std::string_view seed) {
  TSearchInputs inputs;
  inputs.Owner = std::string(seed.substr(0, 3));
  inputs.Corpus = std::string(seed.substr(0, 1));
  inputs.Phone = "1";
  inputs.CityIndices = {1, 65535};
  size_t found = 0;
  ScanPhones(MakeSearchCriteria(inputs), [&](int32_t i) { found += OwnerName(Phones[i]).size(); }, [](int32_t) {});
  if (found > Phones.size() * 127) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::ofstream(FuzzDirectory() + "/Phones.dbr", std::ios::binary | std::ios::trunc) << bytes;
  if (!LoadPhonesFrom(FuzzDirectory())) std::abort();
  if (Phones.OwnerColumn().size() != Phones.size() || Phones.NumberColumn().size() != Phones.size()) std::abort();
  for (const TPhone& phone : Phones) {
    if (OwnerName(phone).size() > 127 || std::string_view(phone.Corpus).size() > 127) std::abort();
    if (std::string_view(phone.Number).empty()) std::abort();
  }
  SearchEverything(bytes);
  return 0;
}
