#include "tools/LineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "tools/TsvFormat.h"

namespace {

std::string ErrnoText() { return std::strerror(errno); }

}  // namespace

bool TLineReader::Next(std::string_view& line) {
  for (;;) {
    const std::string_view unread = std::string_view(buffer_).substr(start_, end_ - start_);
    const size_t length = unread.find('\n');
    const bool complete = length != std::string_view::npos;
    if (!complete && unread.size() <= MaxLineBytes && Fill()) continue;
    if (unread.empty()) return false;
    line = unread.substr(0, length);
    start_ += complete ? length + 1 : unread.size();
    ++lineNumber_;
    if (line.size() > MaxLineBytes) {
      throw ETsvError("line " + std::to_string(lineNumber_) + ": longer than " + std::to_string(MaxLineBytes) +
                      " bytes; is this a tab-separated text file?");
    }
    if (line.ends_with('\r')) line.remove_suffix(1);
    return true;
  }
}

bool TLineReader::Fill() {
  if (ended_) return false;
  std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(start_), buffer_.begin() + static_cast<std::ptrdiff_t>(end_),
            buffer_.begin());
  end_ -= start_;
  start_ = 0;
  const size_t got = read_(buffer_.data() + end_, buffer_.size() - end_);
  end_ += got;
  ended_ = got == 0;
  return !ended_;
}

TInputFile::TInputFile(const std::string& path) : path_(path) {
  descriptor_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor_ < 0) throw std::runtime_error("cannot open " + path + ": " + ErrnoText());
  struct stat info {};
  if (::fstat(descriptor_, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(descriptor_);
    throw std::runtime_error("cannot read " + path + ": it is a folder, not a file");
  }
}

TInputFile::~TInputFile() { ::close(descriptor_); }

size_t TInputFile::Read(char* buffer, size_t size) {
  for (;;) {
    const ssize_t got = ::read(descriptor_, buffer, size);
    if (got >= 0) return static_cast<size_t>(got);
    if (errno != EINTR) throw std::runtime_error("cannot read " + path_ + ": " + ErrnoText());
  }
}
