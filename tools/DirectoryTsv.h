#pragma once
// Converts between a directory's three data files and one tab-separated UTF-8
// text (see TsvFormat.h), one line per phone record in table order.
//
// Import starts a new subscriber whenever a line's subscriber differs from the
// line before; cities and streets are numbered in order of first use, a street
// once per city. Export cannot show subscribers without a phone line.

#include <istream>
#include <ostream>
#include <stdexcept>
#include <string>

// Bad input; the message names the line.
class ETsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void ImportTsv(std::istream& tsv, const std::string& directory);
// Throws std::runtime_error (UTF-8 message) when the files cannot be read.
void ExportTsv(const std::string& directory, std::ostream& tsv);
