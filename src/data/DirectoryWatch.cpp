#include "data/DirectoryWatch.h"

#include <utility>

TDirectoryWatch::TDirectoryWatch(std::string folder, const TDirectoryStamp& loaded)
    : folder_(std::move(folder)), loaded_(loaded), lastSeen_(loaded) {}

bool TDirectoryWatch::Replaced() {
  if (reported_) return false;
  const TDirectoryStamp seen = ReadDirectoryStamp(folder_);
  const bool settled = seen == lastSeen_;
  lastSeen_ = seen;
  reported_ = settled && seen != loaded_;
  return reported_;
}
