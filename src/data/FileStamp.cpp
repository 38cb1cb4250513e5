#include "data/FileStamp.h"

#include <sys/stat.h>

TFileStamp FileStampOf(const struct stat& info) {
  return {.Present = true,
          .Device = static_cast<uint64_t>(info.st_dev),
          .Inode = static_cast<uint64_t>(info.st_ino),
          .Size = static_cast<uint64_t>(info.st_size),
          .ModifiedNanoseconds = static_cast<int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

TFileStamp ReadFileStamp(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return FileStampOf(info);
}
