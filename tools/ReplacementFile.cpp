#include "tools/ReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <set>
#include <stdexcept>

namespace {

constexpr size_t BufferBytes = 1 << 20;

// Paths a signal handler may remove; only async-signal-safe calls touch them there.
struct TSignalSlot {
  char Path[PATH_MAX];
  volatile sig_atomic_t Used;
};
TSignalSlot signalSlots[8];

int RegisterForSignals(const std::string& path) {
  if (path.size() >= PATH_MAX) return -1;
  for (int i = 0; i < static_cast<int>(std::size(signalSlots)); ++i) {
    if (signalSlots[i].Used) continue;
    std::memcpy(signalSlots[i].Path, path.c_str(), path.size() + 1);
    signalSlots[i].Used = 1;
    return i;
  }
  return -1;
}

void UnregisterForSignals(int slot) {
  if (slot >= 0) signalSlots[slot].Used = 0;
}

void RemoveTemporariesAndEnd(int signal) {
  for (TSignalSlot& slot : signalSlots) {
    if (slot.Used) ::unlink(slot.Path);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

std::string ErrnoText() { return std::strerror(errno); }

// A link is followed to the file it names, so that the rename replaces that file.
std::string ReplacedPath(const std::string& target) {
  std::error_code error;
  if (!std::filesystem::is_symlink(target, error)) return target;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
  return error ? target : resolved.string();
}

std::string DirectoryOf(const std::string& path) {
  const std::string parent = std::filesystem::path(path).parent_path().string();
  return parent.empty() ? "." : parent;
}

// The replaced file keeps its permissions; a new one gets those the umask allows.
mode_t ModeFor(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void SyncDirectory(const std::string& directory) {
  const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  // Some file systems cannot flush a directory (EINVAL); the renames stand anyway.
  if (descriptor < 0 || (::fsync(descriptor) != 0 && errno != EINVAL)) {
    const std::string reason = ErrnoText();
    if (descriptor >= 0) ::close(descriptor);
    throw std::runtime_error("cannot flush the directory " + directory + " to disk: " + reason);
  }
  ::close(descriptor);
}

}  // namespace

TReplacementFile::TReplacementFile(const std::string& target)
    : target_(ReplacedPath(target)), directory_(DirectoryOf(target_)) {
  temporary_ = directory_ + "/." + std::filesystem::path(target_).filename().string() + ".XXXXXX";
  descriptor_ = ::mkostemp(temporary_.data(), O_CLOEXEC);
  if (descriptor_ < 0) {
    const std::string reason = ErrnoText();
    throw std::runtime_error("cannot write " + target_ + ": cannot create a file in " + directory_ + ": " + reason);
  }
  signalSlot_ = RegisterForSignals(temporary_);
  buffer_.reserve(BufferBytes);
}

TReplacementFile::~TReplacementFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
  if (!replaced_) ::unlink(temporary_.c_str());
  UnregisterForSignals(signalSlot_);
}

void TReplacementFile::Write(std::string_view bytes) {
  buffer_ += bytes;
  if (buffer_.size() >= BufferBytes) FlushBuffer();
}

void TReplacementFile::FlushBuffer() {
  std::string_view rest = buffer_;
  while (!rest.empty()) {
    const ssize_t written = ::write(descriptor_, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) Fail("cannot write");
    rest.remove_prefix(static_cast<size_t>(written));
  }
  buffer_.clear();
}

void TReplacementFile::Finish() {
  FlushBuffer();
  if (::fchmod(descriptor_, ModeFor(target_)) != 0 || ::fsync(descriptor_) != 0) Fail("cannot write");
  const int descriptor = descriptor_;
  descriptor_ = -1;
  if (::close(descriptor) != 0) Fail("cannot write");
}

void TReplacementFile::Replace() {
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail("cannot replace");
  replaced_ = true;
  UnregisterForSignals(signalSlot_);
  signalSlot_ = -1;
}

void TReplacementFile::Fail(const std::string& what) const {
  const std::string reason = ErrnoText();
  throw std::runtime_error(what + " " + target_ + ": " + reason);
}

void TReplacementFile::CommitTogether(std::initializer_list<TReplacementFile*> files) {
  for (TReplacementFile* file : files) file->Finish();
  for (TReplacementFile* file : files) file->Replace();
  std::set<std::string> directories;
  for (TReplacementFile* file : files) directories.insert(file->directory_);
  for (const std::string& directory : directories) SyncDirectory(directory);
}

void RemoveTemporariesOnSignals() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, RemoveTemporariesAndEnd);
}
