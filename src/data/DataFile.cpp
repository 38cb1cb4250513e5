#include "DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "Cp1251.h"

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

std::string ReasonText(int code) {
  switch (code) {
    case 2: return "файл не найден";
    case 3: return "папка не найдена";
    case 4: return "слишком много открытых файлов";
    case 5: return "доступ запрещён";
    case 30: return "ошибка чтения";
    default: return "ошибка ввода-вывода";
  }
}

std::string MessageFor(int code, const std::string& path) {
  return Cp1251FromUtf8Lossy("Не удалось прочитать файл \"" + path + "\": " + ReasonText(code) + " (код " +
                             std::to_string(code) + ")");
}

}  // namespace

EInOutError::EInOutError(int code, const std::string& path)
    : std::runtime_error(MessageFor(code, path)), Code(code), Path(path) {}

int InOutErrorCode(int errnoValue, const std::string& path) {
  switch (errnoValue) {
    case ENOENT: return DirectoryExists(ParentOf(path)) ? 2 : 3;
    case ENOTDIR: return 3;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return 5;
    case EMFILE:
    case ENFILE: return 4;
    default: return 30;
  }
}

TDataFile::TDataFile(std::string path) : path_(std::move(path)) {
  descriptor_ = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor_ < 0) throw EInOutError(InOutErrorCode(errno, path_), path_);
  struct stat info {};
  // A directory opens for reading on this platform but is no data file.
  if (::fstat(descriptor_, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int code = S_ISDIR(info.st_mode) ? 5 : InOutErrorCode(errno, path_);
    ::close(descriptor_);
    throw EInOutError(code, path_);
  }
}

TDataFile::~TDataFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

size_t TDataFile::Read(void* buffer, size_t n) {
  auto* bytes = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < n) {
    const ssize_t got = ::read(descriptor_, bytes + done, n - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw EInOutError(InOutErrorCode(errno, path_), path_);
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

bool TDataFile::AtEnd() {
  struct stat info {};
  const off_t position = ::lseek(descriptor_, 0, SEEK_CUR);
  if (position < 0 || ::fstat(descriptor_, &info) != 0) throw EInOutError(InOutErrorCode(errno, path_), path_);
  return position >= info.st_size;
}

std::string TDataFile::ReadToEnd() {
  struct stat info {};
  const size_t expected = ::fstat(descriptor_, &info) == 0 && info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
  // One byte beyond the expected size tells whether the file grew meanwhile.
  size_t request = expected + 1;
  std::string content;
  for (;;) {
    const size_t before = content.size();
    content.resize(before + request);
    const size_t got = Read(content.data() + before, request);
    content.resize(before + got);
    if (got < request) return content;
    request = 1 << 20;
  }
}

void TDataFile::Close() {
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (::close(descriptor) != 0) throw EInOutError(InOutErrorCode(errno, path_), path_);
}
