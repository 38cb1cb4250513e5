#pragma once
// Lines of a list for spreadsheets: UTF-8 fields parted by ";", lines ended by CR LF,
// a field quoted when it holds a ";", a quote or a line break (its quotes doubled).
// A field that a spreadsheet would read as a formula gets a leading apostrophe, so
// that a subscriber named "=HYPERLINK(...)" stays text.

#include <string>
#include <string_view>
#include <vector>

// Opens a file, so that spreadsheets read it as UTF-8 rather than the locale's code page.
inline constexpr std::string_view CsvByteOrderMark = "\xEF\xBB\xBF";

void AppendCsvField(std::string& out, std::string_view utf8);
void AppendCsvLine(std::string& out, const std::vector<std::string_view>& utf8Fields);
