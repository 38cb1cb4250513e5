#include "data/DirectoryFiles.h"

#include <sys/stat.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "data/DataFilePath.h"
#include "data/InOutCodes.h"

namespace {

// A switch between two opens shows at once when the names are looked at again.
// Rounds go on until one sees no switch, never settling for a mix; past the first
// few they wait a little, so that an import switching again and again gets ahead.
constexpr int QuickOpenRounds = 4;
constexpr auto PauseBetweenRounds = std::chrono::milliseconds(1);

// A file missing at its open that is there now came with a switch.
bool AppearedSince(const std::exception_ptr& failure, const std::string& path) {
  try {
    std::rethrow_exception(failure);
  } catch (const EInOutError& error) {
    struct stat info {};
    return (error.Code == inout::FileNotFound || error.Code == inout::FolderNotFound) &&
           ::stat(path.c_str(), &info) == 0;
  }
}

}  // namespace

std::array<std::string, 3> DirectoryFilePaths(std::string_view folder) {
  return {DataFilePath(folder, "Cities.dbr"), DataFilePath(folder, "Streets.dbr"), DataFilePath(folder, "Phones.dbr")};
}

TDirectoryStamp ReadDirectoryStamp(std::string_view folder) {
  const std::array<std::string, 3> paths = DirectoryFilePaths(folder);
  return {ReadFileStamp(paths[0]), ReadFileStamp(paths[1]), ReadFileStamp(paths[2])};
}

TDirectoryFiles::TDirectoryFiles(std::string_view folder) : paths_(DirectoryFilePaths(folder)) {
  for (int round = 1; !OpenRound(); ++round) {
    if (round >= QuickOpenRounds) std::this_thread::sleep_for(PauseBetweenRounds);
  }
  for (size_t i = 0; i < paths_.size(); ++i)
    stamp_[i] = files_[i].File ? files_[i].File->Stamp() : ReadFileStamp(paths_[i]);
}

bool TDirectoryFiles::OpenRound() {
  for (size_t i = 0; i < paths_.size(); ++i) {
    files_[i] = {};
    try {
      files_[i].File = std::make_unique<TDataFile>(paths_[i]);
    } catch (const EInOutError&) {
      files_[i].Failure = std::current_exception();
    }
  }
  // A generation is never reused, so a name that still leads to the file opened
  // through it was not switched since; one switched name shows in every later look.
  for (size_t i = 0; i < paths_.size(); ++i) {
    const bool unchanged =
        files_[i].File ? files_[i].File->IsNamedBy(paths_[i]) : !AppearedSince(files_[i].Failure, paths_[i]);
    if (!unchanged) return false;
  }
  return true;
}

std::unique_ptr<TDataFile> TDirectoryFiles::Take(TWhich which) {
  TOpened& opened = files_[which];
  if (opened.Failure) std::rethrow_exception(opened.Failure);
  if (!opened.File) throw std::logic_error("a data file is taken only once");
  return std::move(opened.File);
}
