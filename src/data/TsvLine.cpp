#include "data/TsvLine.h"

#include "data/Cp1251.h"
#include "data/PhoneFields.h"

std::string EscapeField(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\0': out += "\\0"; break;
      default: out += c;
    }
  }
  return out;
}

void AppendTsvLine(const TDirectory& directory, size_t row, std::string& out, std::string& scratch) {
  for (int column = 0; column < PhoneColumnCount; ++column) {
    out += EscapeField(Utf8FromCp1251(PhoneFieldText(directory, row, column, scratch)));
    out += column + 1 < PhoneColumnCount ? '\t' : '\n';
  }
}
