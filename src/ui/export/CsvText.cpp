#include "ui/export/CsvText.h"

namespace {

// Spreadsheets start a formula with these, and run one after a tab or CR as well.
bool StartsAFormula(std::string_view text) {
  return !text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos;
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view utf8) {
  const bool inert = StartsAFormula(utf8);
  const bool quoted = utf8.find_first_of(";\"\r\n") != std::string_view::npos;
  if (quoted) out += '"';
  if (inert) out += '\'';
  if (utf8.find('"') == std::string_view::npos) {
    out += utf8;
  } else {
    for (char c : utf8) {
      if (c == '"') out += '"';
      out += c;
    }
  }
  if (quoted) out += '"';
}

void AppendCsvLine(std::string& out, const std::vector<std::string_view>& utf8Fields) {
  for (size_t i = 0; i < utf8Fields.size(); ++i) {
    if (i > 0) out += ';';
    AppendCsvField(out, utf8Fields[i]);
  }
  out += "\r\n";
}
