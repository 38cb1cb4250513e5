#pragma once
// Finds what a path names as the system would, but one link at a time, so that a
// link someone else may have planted is refused instead of followed. A link is
// followed only where nobody but the running user and root can have put it: its
// folder belongs to one of them and nobody else can write it, or the folder is
// sticky (others may add names there but not replace ours) and the link itself
// belongs to one of them.

#include <functional>
#include <string>
#include <string_view>

#include "tools/Descriptor.h"

struct TResolvedName {
  TDescriptor Folder;      // where Name lies, open for reading
  std::string FolderPath;  // its path with every link replaced by what it names
  std::string Name;        // a file, a missing name or a kept link; never a link to follow
  // Name is a link the system resolves to an open file that has no path of its
  // own, as /dev/stdout does when standard output is a pipe.
  bool OpenFileLink = false;

  std::string Path() const;
};

// keep(name, text) says whether the last link of a path, of that name and text,
// is the result instead of being followed.
using TKeepLink = std::function<bool(std::string_view name, std::string_view text)>;

// Throws std::runtime_error naming the path for a refused link, a folder that is
// missing or no folder, or a loop of links.
TResolvedName ResolveName(const std::string& path, const TKeepLink& keep = {});
