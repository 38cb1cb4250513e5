#include "tools/GenerationFolder.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "tools/DataFolder.h"
#include "tools/SystemError.h"

namespace {

TDescriptor MakeFolder(int dataFolder, const std::string& dataFolderPath, std::string& name) {
  for (;;) {
    name = NewGenerationName();
    if (::mkdirat(dataFolder, name.c_str(), 0700) == 0) break;
    if (errno != EEXIST) FailWithErrno("cannot write " + dataFolderPath + "/" + name);
  }
  const int folder = ::openat(dataFolder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (folder < 0) {
    const int error = errno;
    ::unlinkat(dataFolder, name.c_str(), AT_REMOVEDIR);
    errno = error;
    FailWithErrno("cannot open the new generation " + dataFolderPath + "/" + name);
  }
  return TDescriptor(folder);
}

}  // namespace

TGenerationFolder::TGenerationFolder(int dataFolder, const std::string& dataFolderPath)
    : dataFolder_(dataFolder),
      folder_(MakeFolder(dataFolder, dataFolderPath, name_)),
      temporary_(dataFolder, name_, folder_.Get()) {
  path_ = dataFolderPath + "/" + name_;
}

TGenerationFolder::~TGenerationFolder() {
  if (kept_) return;
  temporary_.Forget();
  for (const char* file : DataFileNames) ::unlinkat(folder_.Get(), file, 0);
  ::unlinkat(dataFolder_, name_.c_str(), AT_REMOVEDIR);
}

TDescriptor TGenerationFolder::CreateFile(const std::string& file) const {
  const int descriptor =
      ::openat(folder_.Get(), file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (descriptor < 0) FailWithErrno("cannot write " + PathOf(file));
  return TDescriptor(descriptor);
}

void TGenerationFolder::Finish(mode_t fileModes) const {
  const mode_t readable = fileModes & 0044;
  if (::fchmod(folder_.Get(), 0700 | readable | (readable >> 2)) != 0) FailWithErrno("cannot write " + path_);
  SyncFolder(folder_.Get(), path_);
}

void TGenerationFolder::Keep() {
  kept_ = true;
  temporary_.Forget();
}

void RemoveGeneration(int dataFolder, const std::string& name) {
  const TDescriptor folder(::openat(dataFolder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!folder.Valid()) return;
  for (const char* file : DataFileNames) ::unlinkat(folder.Get(), file, 0);
  ::unlinkat(dataFolder, name.c_str(), AT_REMOVEDIR);
}

void SyncFolder(int folder, const std::string& path) {
  if (::fsync(folder) != 0 && errno != EINVAL) FailWithErrno("cannot flush the folder " + path + " to disk");
}
