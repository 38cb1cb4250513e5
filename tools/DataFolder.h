#pragma once
// The layout that import and generate keep in a data folder F, so that one rename
// replaces a whole directory:
//   F/Cities.dbr -> .orlinar-current/Cities.dbr     and the same for Streets.dbr, Phones.dbr
//   F/.orlinar-current -> .orlinar-generation-XXXXXX
//   F/.orlinar-generation-XXXXXX/                   Cities.dbr, Streets.dbr, Phones.dbr
// The program reads the three names as ever. The tool never follows a link inside
// F: it reads the texts of its own links and checks them.

#include <array>
#include <string>
#include <string_view>

#include "tools/Descriptor.h"

inline constexpr std::array<const char*, 3> DataFileNames{"Cities.dbr", "Streets.dbr", "Phones.dbr"};
inline constexpr std::string_view CurrentLinkName = ".orlinar-current";

// The text of the link by which F shows fileName.
std::string ManagedLinkText(std::string_view fileName);

// Names with a fresh unique part: a generation folder, and a temporary for the
// entry name (a data file's name or the current link's).
std::string NewGenerationName();
std::string NewTemporaryName(std::string_view name);
// Whether a name is of those patterns, and so the tool's own.
bool IsGenerationName(std::string_view name);
bool IsTemporaryName(std::string_view name);

struct TDataFolder {
  TDescriptor Folder;  // open for reading
  std::string Path;
};

// F for directory: DIR/X.dbr that is a link is followed (a link planted by someone
// else is refused, PathResolution.h) up to a name that is no link or is the link
// ManagedLinkText(X.dbr); a missing name counts where it would be. The three must
// end as X.dbr in one folder that is not a generation folder. Throws
// std::runtime_error saying why not.
TDataFolder FindDataFolder(const std::string& directory);
