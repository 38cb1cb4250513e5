#include <filesystem>

#include "data/DataFile.h"
#include "data/DataFilePath.h"
#include "data/LoadDirectory.h"
#include "data/TsvLine.h"
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

}  // namespace

std::shared_ptr<const TDirectory> LoadReadableDirectory(const std::string& folder) {
  try {
    return LoadDirectory(folder);
  } catch (const EInOutError& error) {
    throw std::runtime_error(EnglishText(error));
  } catch (const std::exception&) {
    throw std::runtime_error("cannot read " + DataFilePath(folder, "Phones.dbr"));
  }
}

void ExportTsv(const std::string& folder, const TTextSink& write) {
  const std::shared_ptr<const TDirectory> directory = LoadReadableDirectory(folder);
  std::string chunk;
  chunk.reserve(ChunkBytes + 4096);
  std::string scratch;
  for (size_t row = 0; row < directory->Phones.size(); ++row) {
    AppendTsvLine(*directory, row, chunk, scratch);
    if (chunk.size() >= ChunkBytes) {
      write(chunk);
      chunk.clear();
    }
  }
  write(chunk);
}
