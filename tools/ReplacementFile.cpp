#include "tools/ReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "tools/DataFolder.h"
#include "tools/GenerationFolder.h"
#include "tools/SystemError.h"

namespace {

mode_t ModeFor(const TResolvedName& target) {
  struct stat info {};
  const bool exists = ::fstatat(target.Folder.Get(), target.Name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
  return exists ? CarriedMode(info.st_mode) : NewFileMode();
}

TDescriptor CreateTemporary(const TResolvedName& target, std::string& name) {
  for (;;) {
    name = NewTemporaryName(target.Name);
    const int descriptor =
        ::openat(target.Folder.Get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor >= 0) return TDescriptor(descriptor);
    if (errno != EEXIST) {
      FailWithErrno("cannot write " + target.Path() + ": cannot create a file in " + target.FolderPath);
    }
  }
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

void TReplacementFile::Commit() {
  file_.Finish(mode_);
  if (::renameat(target_.Folder.Get(), temporary_.c_str(), target_.Folder.Get(), target_.Name.c_str()) != 0) {
    FailWithErrno("cannot replace " + target_.Path());
  }
  replaced_ = true;
  registered_.Forget();
  SyncFolder(target_.Folder.Get(), target_.FolderPath);
}
