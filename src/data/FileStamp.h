#pragma once
// What a data file's name leads to, enough to tell a file replaced or rewritten in
// place since it was read: its identity, size and time of change.

#include <cstdint>
#include <string>

struct stat;

struct TFileStamp {
  bool Present = false;  // false: the name led to nothing that could be looked at
  uint64_t Device = 0;
  uint64_t Inode = 0;
  uint64_t Size = 0;
  int64_t ModifiedNanoseconds = 0;
  bool operator==(const TFileStamp&) const = default;
};

TFileStamp FileStampOf(const struct stat& info);
// By name, links followed; absent when the name leads nowhere or cannot be looked at.
TFileStamp ReadFileStamp(const std::string& path);
