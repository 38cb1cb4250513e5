#include <filesystem>

#include "data/Cp1251.h"
#include "data/DataFile.h"
#include "data/DataFilePath.h"
#include "data/LoadDirectory.h"
#include "tools/DirectoryTsv.h"

namespace {

constexpr size_t ChunkBytes = 1 << 20;

// The data library words its errors in Russian Windows-1251; the tool speaks English.
std::string EnglishText(const EInOutError& error) {
  std::error_code ignored;
  const bool special = std::filesystem::exists(error.Path, ignored) &&
                       !std::filesystem::is_regular_file(error.Path, ignored) &&
                       !std::filesystem::is_directory(error.Path, ignored);
  const std::string_view reason =
      error.Code == inout::AccessRefused && special ? "not a regular file" : inout::ReasonOf(error.Code).English;
  return "cannot read " + error.Path + ": " + std::string(reason) + " (error " + std::to_string(error.Code) + ")";
}

std::shared_ptr<const TDirectory> LoadForExport(const std::string& folder) {
  try {
    return LoadDirectory(folder);
  } catch (const EInOutError& error) {
    throw std::runtime_error(EnglishText(error));
  } catch (const std::exception&) {
    throw std::runtime_error("cannot read " + DataFilePath(folder, "Phones.dbr"));
  }
}

void AppendField(std::string& out, std::string_view bytes) {
  out += EscapeField(Utf8FromCp1251(bytes));
  out += '\t';
}

}  // namespace

void ExportTsv(const std::string& folder, const TTextSink& write) {
  const std::shared_ptr<const TDirectory> directory = LoadForExport(folder);
  std::string chunk;
  chunk.reserve(ChunkBytes + 4096);
  for (const TPhone& phone : directory->Phones) {
    chunk += std::string_view(phone.Number);
    chunk += '\t';
    AppendField(chunk, directory->OwnerName(phone));
    AppendField(chunk, directory->CityName(phone.CityIndex));
    AppendField(chunk, directory->StreetName(phone.StreetIndex));
    chunk += std::to_string(phone.House);
    chunk += '\t';
    AppendField(chunk, phone.Corpus);
    chunk += std::to_string(phone.Flat);
    chunk += '\n';
    if (chunk.size() >= ChunkBytes) {
      write(chunk);
      chunk.clear();
    }
  }
  write(chunk);
}
