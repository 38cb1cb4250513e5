#pragma once
// Where a directory's data files lie.

#include <string>
#include <string_view>

// The directory of the running executable, links resolved, with a trailing '/'.
std::string ExecutableDirectory();
// fileName in folder, one '/' between them; an empty folder is the current one.
std::string DataFilePath(std::string_view folder, std::string_view fileName);
