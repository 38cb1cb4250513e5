#include "tools/DataFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <random>
#include <stdexcept>

#include "tools/PathResolution.h"
#include "tools/SystemError.h"

namespace {

constexpr std::string_view GenerationPrefix = ".orlinar-generation-";
constexpr size_t UniqueLength = 6;
constexpr std::string_view UniqueCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string UniquePart() {
  thread_local std::mt19937_64 random(std::random_device{}());
  std::string part(UniqueLength, ' ');
  for (char& c : part) c = UniqueCharacters[random() % UniqueCharacters.size()];
  return part;
}

bool IsUniquePart(std::string_view text) {
  return text.size() == UniqueLength && std::all_of(text.begin(), text.end(), [](char c) {
           return UniqueCharacters.find(c) != std::string_view::npos;
         });
}

bool SameFolder(const TDescriptor& first, const TDescriptor& second) {
  struct stat a {
  }, b{};
  if (::fstat(first.Get(), &a) != 0 || ::fstat(second.Get(), &b) != 0) FailWithErrno("cannot look up a folder");
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string LastComponent(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

}  // namespace

std::string ManagedLinkText(std::string_view fileName) {
  return std::string(CurrentLinkName) + "/" + std::string(fileName);
}

std::string NewGenerationName() { return std::string(GenerationPrefix) + UniquePart(); }

std::string NewTemporaryName(std::string_view name) { return "." + std::string(name) + "." + UniquePart(); }

bool IsGenerationName(std::string_view name) {
  return name.starts_with(GenerationPrefix) && IsUniquePart(name.substr(GenerationPrefix.size()));
}

bool IsTemporaryName(std::string_view name) {
  if (!name.starts_with('.') || name.size() < UniqueLength + 2 ||
      !IsUniquePart(name.substr(name.size() - UniqueLength))) {
    return false;
  }
  const std::string_view entry = name.substr(1, name.size() - UniqueLength - 2);
  return name[name.size() - UniqueLength - 1] == '.' &&
         (entry == CurrentLinkName ||
          std::find(DataFileNames.begin(), DataFileNames.end(), entry) != DataFileNames.end());
}

TDataFolder FindDataFolder(const std::string& directory) {
  std::optional<TResolvedName> first;
  std::string firstPath;
  for (const char* file : DataFileNames) {
    const std::string path = directory + "/" + file;
    TResolvedName found = ResolveName(path, [&](std::string_view name, std::string_view text) {
      return name == file && text == ManagedLinkText(file);
    });
    if (found.OpenFileLink || found.Name != file) {
      throw std::runtime_error(path + " leads to " + found.Path() + ", but a data file must keep its name");
    }
    if (IsGenerationName(LastComponent(found.FolderPath))) {
      throw std::runtime_error(path + " leads into " + found.FolderPath +
                               ", a generation the tool replaces; name its data folder instead");
    }
    if (first && !SameFolder(first->Folder, found.Folder)) {
      throw std::runtime_error("the data files of " + directory + " must lie in one folder, but " + firstPath +
                               " lies in " + first->FolderPath + " and " + path + " in " + found.FolderPath);
    }
    if (!first) {
      first = std::move(found);
      firstPath = path;
    }
  }
  return {std::move(first->Folder), first->FolderPath};
}
