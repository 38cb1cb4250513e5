#include "tools/BufferedFile.h"

#include <sys/stat.h>

#include "tools/SystemError.h"

namespace {

constexpr size_t BufferBytes = 1 << 20;

}  // namespace

TBufferedFile::TBufferedFile(TDescriptor descriptor, std::string path)
    : descriptor_(std::move(descriptor)), path_(std::move(path)) {
  buffer_.reserve(BufferBytes);
}

void TBufferedFile::Write(std::string_view bytes) {
  buffer_ += bytes;
  if (buffer_.size() >= BufferBytes) Flush();
}

void TBufferedFile::Flush() {
  std::string_view rest = buffer_;
  while (!rest.empty()) {
    const ssize_t written = ::write(descriptor_.Get(), rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) Fail();
    rest.remove_prefix(static_cast<size_t>(written));
  }
  buffer_.clear();
}

void TBufferedFile::Finish(mode_t mode) {
  Flush();
  if (::fchmod(descriptor_.Get(), mode) != 0 || ::fsync(descriptor_.Get()) != 0) Fail();
  Close();
}

void TBufferedFile::Close() {
  Flush();
  if (::close(descriptor_.Release()) != 0) Fail();
}

void TBufferedFile::Fail() const { FailWithErrno("cannot write " + path_); }

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0644 & ~mask;
}
