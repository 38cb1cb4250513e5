#pragma once
// Converts between a directory's three data files and one tab-separated UTF-8
// text (see TsvFormat.h), one line per phone record in table order.
//
// Import starts a new subscriber whenever a line's subscriber differs from the
// line before; each distinct city name and each distinct street name gets one
// index, in order of first use. Export cannot show subscribers without a phone line.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "data/Directory.h"
#include "data/TsvLine.h"
#include "tools/DataFileSet.h"
#include "tools/LineReader.h"
#include "tools/TsvFormat.h"

// An input without a single line is refused unless an empty directory is wanted.
enum class TEmptyInput { Refused, Allowed };

// Reads and checks the whole input before files receives Commit; on any failure
// it never does. Throws ETsvError for bad input (the message names the line) and
// std::runtime_error for a failed read or write.
void ImportTsv(const TLineReader::TRead& read, TDataFileSet& files, TEmptyInput empty = TEmptyInput::Refused);
// The same into a new generation of the directory's files (GenerationWriter.h).
void ImportTsv(const TLineReader::TRead& read, const std::string& directory, TEmptyInput empty = TEmptyInput::Refused);

// Receives the text in pieces; throws std::runtime_error when it cannot write.
using TTextSink = std::function<void(std::string_view)>;
// Throws std::runtime_error (English message naming the file) when the directory
// cannot be read; nothing reaches the sink then.
void ExportTsv(const std::string& directory, const TTextSink& write);

// The directory in folder, loaded; throws std::runtime_error (English message naming
// the file) when it cannot be read.
std::shared_ptr<const TDirectory> LoadReadableDirectory(const std::string& folder);
