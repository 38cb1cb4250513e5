#pragma once
// A phone line as the data tool's tab-separated UTF-8 text: the seven fields in grid
// order, each escaping its backslash, tab, line feed, carriage return and NUL as
// \\ \t \n \r \0, so that any directory text fits on one line and imports again.

#include <string>
#include <string_view>

#include "data/Directory.h"

std::string EscapeField(std::string_view text);
// Appends line row of directory.Phones, ended by LF.
void AppendTsvLine(const TDirectory& directory, size_t row, std::string& out, std::string& scratch);
