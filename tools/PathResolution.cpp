#include "tools/PathResolution.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <climits>
#include <vector>

#include "tools/SystemError.h"

namespace {

constexpr int MaxLinks = 40;  // as the system allows

// A folder's path as the walk finds it, a link's text in place of the link.
class TFolderPath {
 public:
  explicit TFolderPath(bool absolute) : absolute_(absolute) {}
  void Enter(const std::string& name) {
    if (name != "..") {
      parts_.push_back(name);
    } else if (!parts_.empty() && parts_.back() != "..") {
      parts_.pop_back();
    } else if (!absolute_) {
      parts_.push_back(name);
    }
  }
  std::string Text() const {
    std::string text = absolute_ ? "/" : "";
    for (const std::string& part : parts_) text += (text.empty() || text == "/" ? "" : "/") + part;
    return text.empty() ? "." : text;
  }
  std::string Join(const std::string& name) const {
    const std::string folder = Text();
    return folder == "." ? name : folder == "/" ? "/" + name : folder + "/" + name;
  }

 private:
  bool absolute_;
  std::vector<std::string> parts_;
};

// The components of path, the first last, without empty ones and ".".
std::vector<std::string> ComponentsToWalk(std::string_view path) {
  std::vector<std::string> components;
  while (!path.empty()) {
    const size_t slash = path.find_last_of('/');
    const std::string_view component = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (!component.empty() && component != ".") components.emplace_back(component);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
  }
  return components;
}

TDescriptor OpenFolder(int at, const char* name, int flags, const std::string& path) {
  const int descriptor = ::openat(at, name, flags | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) FailWithErrno("cannot open the folder " + path);
  return TDescriptor(descriptor);
}

std::string LinkText(int folder, const std::string& name, const std::string& path) {
  char text[PATH_MAX];
  const ssize_t length = ::readlinkat(folder, name.c_str(), text, sizeof text);
  if (length < 0) FailWithErrno("cannot read the link " + path);
  return std::string(text, static_cast<size_t>(length));
}

// Why a link may have been planted by someone other than the running user and
// root, or "" when it cannot have been.
std::string PlantedBecause(const struct stat& folder, const struct stat& link) {
  const uid_t me = ::geteuid();
  auto trusted = [&](uid_t user) { return user == me || user == 0; };
  if (!trusted(folder.st_uid)) return "its folder belongs to user " + std::to_string(folder.st_uid);
  if ((folder.st_mode & (S_IWGRP | S_IWOTH)) == 0) return "";
  if ((folder.st_mode & S_ISVTX) == 0) return "other users can write its folder";
  if (!trusted(link.st_uid))
    return "it belongs to user " + std::to_string(link.st_uid) + " in a folder others can write";
  return "";
}

void RequireUnplanted(int folder, const struct stat& link, const std::string& path) {
  struct stat info {};
  if (::fstat(folder, &info) != 0) FailWithErrno("cannot look up the folder of " + path);
  const std::string reason = PlantedBecause(info, link);
  if (!reason.empty()) {
    throw std::runtime_error("refusing to follow the link " + path + ": " + reason +
                             ", so someone else may have planted it; name the file it points to instead");
  }
}

TResolvedName Result(const TDescriptor& folder, const TFolderPath& where, const std::string& name) {
  return {OpenFolder(folder.Get(), ".", O_RDONLY, where.Text()), where.Text(), name};
}

}  // namespace

std::string TResolvedName::Path() const {
  return FolderPath == "." ? Name : FolderPath == "/" ? "/" + Name : FolderPath + "/" + Name;
}

TResolvedName ResolveName(const std::string& path, const TKeepLink& keep) {
  TFolderPath where(path.starts_with('/'));
  TDescriptor folder = OpenFolder(AT_FDCWD, where.Text().c_str(), O_PATH, where.Text());
  std::vector<std::string> pending = ComponentsToWalk(path);
  // The last link followed in the last place, for a link only the system can follow.
  TDescriptor linkFolder;
  TFolderPath linkWhere = where;
  std::string linkName;
  for (int links = 0; !pending.empty();) {
    const std::string name = std::move(pending.back());
    pending.pop_back();
    const bool last = pending.empty();
    if (name == ".." && !last) {
      folder = OpenFolder(folder.Get(), "..", O_PATH, where.Join(name));
      where.Enter(name);
      continue;
    }
    struct stat info {};
    if (::fstatat(folder.Get(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) FailWithErrno("cannot look up " + where.Join(name));
      if (!last) throw std::runtime_error("the folder " + where.Join(name) + " does not exist");
      struct stat target {};
      if (linkFolder.Valid() && ::fstatat(linkFolder.Get(), linkName.c_str(), &target, 0) == 0) {
        TResolvedName open = Result(linkFolder, linkWhere, linkName);
        open.OpenFileLink = true;
        return open;
      }
      return Result(folder, where, name);
    }
    if (S_ISLNK(info.st_mode)) {
      const std::string text = LinkText(folder.Get(), name, where.Join(name));
      if (last && keep && keep(name, text)) return Result(folder, where, name);
      RequireUnplanted(folder.Get(), info, where.Join(name));
      if (++links > MaxLinks) throw std::runtime_error("too many links in " + path);
      if (last) {
        linkFolder = TDescriptor(::fcntl(folder.Get(), F_DUPFD_CLOEXEC, 0));
        linkWhere = where;
        linkName = name;
      }
      if (text.starts_with('/')) {
        where = TFolderPath(true);
        folder = OpenFolder(AT_FDCWD, "/", O_PATH, "/");
      }
      for (std::string& component : ComponentsToWalk(text)) pending.push_back(std::move(component));
      continue;
    }
    if (last) return Result(folder, where, name);
    if (!S_ISDIR(info.st_mode)) throw std::runtime_error(where.Join(name) + " is not a folder");
    folder = OpenFolder(folder.Get(), name.c_str(), O_PATH | O_NOFOLLOW, where.Join(name));
    where.Enter(name);
  }
  return Result(folder, where, ".");
}
