#include "tools/GenerationWriter.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <stdexcept>
#include <vector>

#include "tools/SystemError.h"
#include "tools/Temporaries.h"

namespace {

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "a link";
}

std::optional<std::string> LinkTextAt(int folder, const std::string& name) {
  char text[PATH_MAX];
  const ssize_t length = ::readlinkat(folder, name.c_str(), text, sizeof text);
  if (length < 0) return std::nullopt;
  return std::string(text, static_cast<size_t>(length));
}

void CopyFile(int fromFolder, const std::string& fromPath, const std::string& name, const TGenerationFolder& into,
              mode_t mode) {
  const TDescriptor from(::openat(fromFolder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
  if (!from.Valid()) FailWithErrno("cannot read " + fromPath);
  TBufferedFile to(into.CreateFile(name), into.PathOf(name));
  std::string buffer(1 << 16, '\0');
  for (;;) {
    const ssize_t got = ::read(from.Get(), buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) FailWithErrno("cannot read " + fromPath);
    if (got == 0) break;
    to.Write(std::string_view(buffer.data(), static_cast<size_t>(got)));
  }
  to.Finish(mode);
}

// Renames the link temporary, just made, over name; on failure the temporary goes
// and, since every step before leaves the directory as it reads, nothing changed.
void RenameLinkOver(int folder, const std::string& temporary, const std::string& name, const std::string& failure) {
  if (::renameat(folder, temporary.c_str(), folder, name.c_str()) == 0) return;
  const std::string reason = ErrnoText();
  ::unlinkat(folder, temporary.c_str(), 0);
  throw std::runtime_error(failure + ": " + reason + "; the directory is unchanged");
}

}  // namespace

TGenerationWriter::TGenerationWriter(const std::string& directory, TStepHook afterStep)
    : folder_(FindDataFolder(directory)), afterStep_(std::move(afterStep)) {
  Lock();
  Inspect();
  RemoveLeftovers(current_);
  for (size_t i = 0; i < DataFileNames.size(); ++i) modes_[i] = ModeShown(i);
  next_ = std::make_unique<TGenerationFolder>(folder_.Folder.Get(), folder_.Path);
  for (size_t i = 0; i < DataFileNames.size(); ++i) {
    files_[i].emplace(next_->CreateFile(DataFileNames[i]), next_->PathOf(DataFileNames[i]));
  }
}

TGenerationWriter::~TGenerationWriter() = default;

void TGenerationWriter::Write(TDataFileKind file, std::string_view bytes) {
  files_[static_cast<size_t>(file)]->Write(bytes);
}

void TGenerationWriter::Commit() {
  for (size_t i = 0; i < DataFileNames.size(); ++i) files_[i]->Finish(modes_[i]);
  next_->Finish(FolderMode());
  Step();
  const TSignalsHeld held;
  if (std::any_of(shown_.begin(), shown_.end(), [](TShown shown) { return shown != TShown::ManagedLink; })) {
    // Every name keeps showing the old file through each of these steps.
    TGenerationFolder old(folder_.Folder.Get(), folder_.Path);
    for (size_t i = 0; i < DataFileNames.size(); ++i) Snapshot(i, old);
    old.Finish(FolderMode());
    Step();
    SwitchTo(old);
    for (size_t i = 0; i < DataFileNames.size(); ++i) {
      if (shown_[i] != TShown::ManagedLink) LinkName(i);
    }
    SyncFolder(folder_.Folder.Get(), folder_.Path);
  }
  SwitchTo(*next_);
  RemoveLeftovers(current_);
}

void TGenerationWriter::Lock() const {
  if (::flock(folder_.Folder.Get(), LOCK_EX | LOCK_NB) == 0) return;
  if (errno == EWOULDBLOCK) {
    throw std::runtime_error("another orlinar-data is writing " + folder_.Path + "; try again when it has finished");
  }
  FailWithErrno("cannot lock " + folder_.Path);
}

void TGenerationWriter::Inspect() {
  const int folder = folder_.Folder.Get();
  for (size_t i = 0; i < DataFileNames.size(); ++i) {
    const std::string name = DataFileNames[i];
    struct stat info {};
    if (::fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) FailWithErrno("cannot look up " + PathOf(name));
      shown_[i] = TShown::Nothing;
    } else if (S_ISREG(info.st_mode)) {
      shown_[i] = TShown::PlainFile;
    } else if (S_ISLNK(info.st_mode) && LinkTextAt(folder, name) == ManagedLinkText(name)) {
      shown_[i] = TShown::ManagedLink;
    } else {
      throw std::runtime_error(PathOf(name) + " is " + KindOf(info.st_mode) + ", not a data file; nothing was changed");
    }
  }
  const auto current = LinkTextAt(folder, std::string(CurrentLinkName));
  if (!current || !IsGenerationName(*current)) return;
  current_ = *current;
  currentFolder_ = TDescriptor(::openat(folder, current_.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

void TGenerationWriter::RemoveLeftovers(const std::string& current) const {
  const int folder = folder_.Folder.Get();
  TDescriptor listed(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  DIR* entries = listed.Valid() ? ::fdopendir(listed.Get()) : nullptr;
  if (!entries) return;  // what is left stays for another time
  listed.Release();
  std::vector<std::string> generations, temporaries;
  while (const dirent* entry = ::readdir(entries)) {
    const std::string_view name = entry->d_name;
    if (IsGenerationName(name) && name != current) generations.emplace_back(name);
    if (IsTemporaryName(name)) temporaries.emplace_back(name);
  }
  ::closedir(entries);
  for (const std::string& name : generations) RemoveGeneration(folder, name);
  for (const std::string& name : temporaries) ::unlinkat(folder, name.c_str(), 0);
}

int TGenerationWriter::ShownFolder(size_t file) const {
  switch (shown_[file]) {
    case TShown::PlainFile: return folder_.Folder.Get();
    case TShown::ManagedLink: return currentFolder_.Get();
    case TShown::Nothing: return -1;
  }
  return -1;
}

std::string TGenerationWriter::ShownPath(size_t file) const {
  const std::string name = DataFileNames[file];
  return shown_[file] == TShown::ManagedLink ? PathOf(current_ + "/" + name) : PathOf(name);
}

mode_t TGenerationWriter::ModeShown(size_t file) const {
  struct stat info {};
  const int folder = ShownFolder(file);
  if (folder < 0 || ::fstatat(folder, DataFileNames[file], &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) {
    return NewFileMode();
  }
  return CarriedMode(info.st_mode);
}

mode_t TGenerationWriter::FolderMode() const {
  mode_t modes = 0;
  for (mode_t mode : modes_) modes |= mode;
  return modes;
}

void TGenerationWriter::Snapshot(size_t file, const TGenerationFolder& into) const {
  if (shown_[file] == TShown::Nothing) return;
  const std::string name = DataFileNames[file];
  const int from = ShownFolder(file);
  struct stat info {};
  if (from >= 0 && ::fstatat(from, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 && errno == ENOENT) return;
  if (from < 0 || !S_ISREG(info.st_mode)) {
    throw std::runtime_error("cannot tell which file " + PathOf(name) + " shows: " + PathOf(CurrentLinkName) +
                             " is not the tool's link to a generation; nothing was changed");
  }
  if (::linkat(from, name.c_str(), into.Descriptor(), name.c_str(), 0) == 0) return;
  CopyFile(from, ShownPath(file), name, into, modes_[file]);
}

void TGenerationWriter::SwitchTo(TGenerationFolder& generation) {
  const int folder = folder_.Folder.Get();
  const std::string temporary = NewTemporaryName(CurrentLinkName);
  if (::symlinkat(generation.Name().c_str(), folder, temporary.c_str()) != 0) {
    FailWithErrno("cannot write " + PathOf(temporary));
  }
  Step();
  RenameLinkOver(folder, temporary, std::string(CurrentLinkName),
                 "cannot switch " + PathOf(CurrentLinkName) + " to " + generation.Name());
  generation.Keep();
  current_ = generation.Name();
  Step();
  SyncFolder(folder, folder_.Path);
}

void TGenerationWriter::LinkName(size_t file) const {
  const int folder = folder_.Folder.Get();
  const std::string name = DataFileNames[file];
  const std::string temporary = NewTemporaryName(name);
  if (::symlinkat(ManagedLinkText(name).c_str(), folder, temporary.c_str()) != 0) {
    FailWithErrno("cannot write " + PathOf(temporary));
  }
  Step();
  RenameLinkOver(folder, temporary, name,
                 "cannot replace " + PathOf(name) + " by its link into " + std::string(CurrentLinkName));
  Step();
}
