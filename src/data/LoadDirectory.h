#pragma once
// A whole directory read at once, for the programs that have no window to hand it to.

#include <memory>
#include <string>

#include "data/Directory.h"

// Reads folder's name lists, then its "Phones.dbr" on a loader thread at normal
// priority whose hand-over runs on that thread, and waits for it. Throws the error
// that stopped the load: EInOutError for a data file that cannot be read. The caller
// is the directory's only holder, free to share it read-only.
std::shared_ptr<TDirectory> LoadDirectory(const std::string& folder);
