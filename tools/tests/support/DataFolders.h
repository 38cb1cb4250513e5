#pragma once
// Data folders for the tool's tests.

#include <string>

// One telephone line as three plain files, the layout earlier versions wrote and
// copies keep; PlainDirectoryText is the line the directory reads as.
extern const std::string PlainDirectoryText;
void WritePlainDirectory(const std::string& folder);

