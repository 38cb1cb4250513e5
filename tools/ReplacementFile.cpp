#include "tools/ReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <random>

#include "tools/SystemError.h"

namespace {

mode_t ModeFor(const TResolvedName& target) {
  struct stat info {};
  const bool exists = ::fstatat(target.Folder.Get(), target.Name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
  return exists ? CarriedMode(info.st_mode) : NewFileMode();
}

std::string TemporaryName(const std::string& name) {
  constexpr std::string_view Characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random(std::random_device{}());
  std::string unique(6, ' ');
  for (char& c : unique) c = Characters[random() % Characters.size()];
  return "." + name + "." + unique;
}

TDescriptor CreateTemporary(const TResolvedName& target, std::string& name) {
  for (;;) {
    name = TemporaryName(target.Name);
    const int descriptor =
        ::openat(target.Folder.Get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor >= 0) return TDescriptor(descriptor);
    if (errno != EEXIST) {
      FailWithErrno("cannot write " + target.Path() + ": cannot create a file in " + target.FolderPath);
    }
  }
}

void SyncFolder(int folder, const std::string& path) {
  if (::fsync(folder) != 0 && errno != EINVAL) FailWithErrno("cannot flush the folder " + path + " to disk");
}

}  // namespace

TReplacementFile::TReplacementFile(TResolvedName target)
    : target_(std::move(target)),
      mode_(ModeFor(target_)),
      file_(CreateTemporary(target_, temporary_), target_.Path()),
      registered_(target_.Folder.Get(), temporary_) {}

TReplacementFile::~TReplacementFile() {
  registered_.Forget();
  if (!replaced_) ::unlinkat(target_.Folder.Get(), temporary_.c_str(), 0);
}

void TReplacementFile::Replace() {
  if (::renameat(target_.Folder.Get(), temporary_.c_str(), target_.Folder.Get(), target_.Name.c_str()) != 0) {
    FailWithErrno("cannot replace " + target_.Path());
  }
  replaced_ = true;
  registered_.Forget();
}

void TReplacementFile::CommitTogether(std::initializer_list<TReplacementFile*> files) {
  for (TReplacementFile* file : files) file->file_.Finish(file->mode_);
  for (TReplacementFile* file : files) file->Replace();
  for (TReplacementFile* file : files) SyncFolder(file->target_.Folder.Get(), file->target_.FolderPath);
}
