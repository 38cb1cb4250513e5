#pragma once
// Data folders for the tool's tests: the old plain layout and a view of the names
// in a folder that does not depend on the unique part of a generation's name.

#include <string>
#include <vector>

// One telephone line as three plain files, the layout earlier versions wrote and
// copies keep; PlainDirectoryText is the line the directory reads as.
extern const std::string PlainDirectoryText;
void WritePlainDirectory(const std::string& folder);

// The names in folder, sorted, with a generation folder's unique part as "*".
std::vector<std::string> LayoutOf(const std::string& folder);
// What LayoutOf gives for a folder holding one directory and the extra names.
std::vector<std::string> ManagedLayout(std::vector<std::string> extra = {});
