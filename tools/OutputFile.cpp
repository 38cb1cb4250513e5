#include "tools/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "tools/SystemError.h"

namespace {

// A target that is not a regular file: the open file it names, for writing.
TDescriptor OpenInPlace(const TResolvedName& target) {
  const int follow = target.OpenFileLink ? 0 : O_NOFOLLOW;
  const int descriptor = ::openat(target.Folder.Get(), target.Name.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | follow);
  if (descriptor < 0) FailWithErrno("cannot write " + target.Path());
  TDescriptor opened(descriptor);
  struct stat info {};
  if (::fstat(opened.Get(), &info) != 0) FailWithErrno("cannot write " + target.Path());
  // A regular file only gets here when it took the place of another while it was opened.
  if (S_ISREG(info.st_mode)) throw std::runtime_error("cannot write " + target.Path() + ": it changed while opened");
  return opened;
}

}  // namespace

TOutputFile::TOutputFile(const std::string& path) {
  TResolvedName target = ResolveName(path);
  struct stat info {};
  const int follow = target.OpenFileLink ? 0 : AT_SYMLINK_NOFOLLOW;
  if (::fstatat(target.Folder.Get(), target.Name.c_str(), &info, follow) != 0) {
    if (errno != ENOENT) FailWithErrno("cannot write " + target.Path());
    replacement_.emplace(std::move(target));
  } else if (S_ISDIR(info.st_mode)) {
    throw std::runtime_error("cannot write " + target.Path() + ": it is a folder");
  } else if (S_ISREG(info.st_mode) && target.OpenFileLink) {
    throw std::runtime_error("cannot write " + target.Path() + ": it is an open file whose name is gone");
  } else if (S_ISREG(info.st_mode)) {
    replacement_.emplace(std::move(target));
  } else {
    inPlace_.emplace(OpenInPlace(target), target.Path());
  }
}

void TOutputFile::Write(std::string_view bytes) {
  if (replacement_) {
    replacement_->Write(bytes);
  } else {
    inPlace_->Write(bytes);
  }
}

void TOutputFile::Commit() {
  if (replacement_) {
    replacement_->Commit();
  } else {
    inPlace_->Close();
  }
}
