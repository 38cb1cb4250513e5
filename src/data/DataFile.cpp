#include "data/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "data/Cp1251.h"

namespace {

bool DirectoryExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ParentOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string MessageFor(int code, const std::string& path, const std::string& reason) {
  return Cp1251FromUtf8Lossy("Не удалось прочитать файл \"" + path + "\": " + reason + " (код " + std::to_string(code) +
                             ")");
}

std::string KindName(mode_t mode) {
  if (S_ISDIR(mode)) return "папка";
  if (S_ISFIFO(mode)) return "именованный канал";
  if (S_ISCHR(mode)) return "символьное устройство";
  if (S_ISBLK(mode)) return "блочное устройство";
  if (S_ISSOCK(mode)) return "сокет";
  return "файл особого вида";
}

EInOutError NotARegularFile(mode_t mode, const std::string& path) {
  return EInOutError(inout::AccessRefused, path, "это не обычный файл, а " + KindName(mode));
}

int OpenBlocking(const std::string& path) {
  int descriptor;
  do {
    descriptor = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  } while (descriptor < 0 && errno == EINTR);
  return descriptor;
}

// Without O_NONBLOCK a named pipe would hold the open until a writer comes, and a
// terminal could become the process's controlling one.
int OpenWithoutWaiting(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor >= 0) return descriptor;
  const int error = errno;
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    // A socket or a device without a driver fails to open at all; its kind is the
    // better reason.
    if (!S_ISREG(info.st_mode)) throw NotARegularFile(info.st_mode, path);
    // Only a lease being broken refuses a regular file this way; a blocking open
    // waits for its holder to let go, as it always did.
    if (error == EWOULDBLOCK) {
      const int waited = OpenBlocking(path);
      if (waited >= 0) return waited;
      throw EInOutError(InOutErrorCode(errno, path), path);
    }
  }
  throw EInOutError(InOutErrorCode(error, path), path);
}

}  // namespace

EInOutError::EInOutError(int code, const std::string& path)
    : EInOutError(code, path, std::string(inout::ReasonOf(code).Russian)) {}

EInOutError::EInOutError(int code, const std::string& path, const std::string& reasonUtf8)
    : std::runtime_error(MessageFor(code, path, reasonUtf8)), Code(code), Path(path) {}

int InOutErrorCode(int errnoValue, const std::string& path) {
  switch (errnoValue) {
    case ENOENT: return DirectoryExists(ParentOf(path)) ? inout::FileNotFound : inout::FolderNotFound;
    case ENOTDIR: return inout::FolderNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return inout::AccessRefused;
    case EMFILE:
    case ENFILE: return inout::TooManyOpenFiles;
    default: return inout::ReadFault;
  }
}

TDataFile::TDataFile(std::string path) : path_(std::move(path)), descriptor_(OpenWithoutWaiting(path_)) {
  try {
    // A directory, a pipe or a device opens for reading here but is no data file: a
    // device may never end, a pipe waits for a writer's bytes.
    struct stat info {};
    if (::fstat(descriptor_, &info) != 0) throw EInOutError(InOutErrorCode(errno, path_), path_);
    if (!S_ISREG(info.st_mode)) throw NotARegularFile(info.st_mode, path_);
    stamp_ = FileStampOf(info);
    const int flags = ::fcntl(descriptor_, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
      throw EInOutError(InOutErrorCode(errno, path_), path_);
    }
  } catch (...) {
    ::close(descriptor_);
    throw;
  }
}

TDataFile::~TDataFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

// Reads are retried until n bytes or the end: a signal or a pipe-like source may
// hand over fewer.
template <typename TReadSome>
size_t TDataFile::ReadFully(void* buffer, size_t n, TReadSome&& readSome) const {
  auto* bytes = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < n) {
    const ssize_t got = readSome(bytes + done, n - done, done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw EInOutError(InOutErrorCode(errno, path_), path_);
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

size_t TDataFile::Read(void* buffer, size_t n) {
  return ReadFully(buffer, n, [this](char* into, size_t wanted, size_t) { return ::read(descriptor_, into, wanted); });
}

size_t TDataFile::ReadAt(uint64_t offset, void* buffer, size_t n) const {
  return ReadFully(buffer, n, [this, offset](char* into, size_t wanted, size_t done) {
    return ::pread(descriptor_, into, wanted, static_cast<off_t>(offset + done));
  });
}

bool TDataFile::AtEnd() {
  struct stat info {};
  const off_t position = ::lseek(descriptor_, 0, SEEK_CUR);
  if (position < 0 || ::fstat(descriptor_, &info) != 0) throw EInOutError(InOutErrorCode(errno, path_), path_);
  return position >= info.st_size;
}

bool TDataFile::IsNamedBy(const std::string& path) const {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && info.st_dev == stamp_.Device && info.st_ino == stamp_.Inode;
}

void TDataFile::Rewind() {
  if (::lseek(descriptor_, 0, SEEK_SET) != 0) throw EInOutError(InOutErrorCode(errno, path_), path_);
}

void TDataFile::Close() {
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (::close(descriptor) != 0) throw EInOutError(InOutErrorCode(errno, path_), path_);
}
