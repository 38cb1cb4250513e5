#include <charconv>
#include <limits>
#include <optional>
#include <unordered_map>

#include "data/Cp1251.h"
#include "data/DbrRecords.h"
#include "data/PhoneFields.h"
#include "tools/DirectoryTsv.h"
#include "tools/DirectoryWriter.h"
#include "tools/GenerationWriter.h"

namespace {

// Gives each distinct name an index in order of first use; the empty name is 0.
class TNameNumbering {
 public:
  // nullopt for a name that would be one more than an index can reach.
  std::optional<uint16_t> IndexOf(const std::string& name) {
    if (name.empty()) return 0;
    if (const auto found = indexes_.find(name); found != indexes_.end()) return found->second;
    if (names_.size() > MaxListedNames) return std::nullopt;
    const auto index = static_cast<uint16_t>(names_.size());
    indexes_.emplace(name, index);
    names_.push_back(name);
    return index;
  }
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::unordered_map<std::string, uint16_t> indexes_;
  std::vector<std::string> names_{""};
};

// The digits of a whole number as export writes it: 1 to 19, no leading zero
// unless the number is 0.
std::optional<uint64_t> PlainDigits(std::string_view digits) {
  if (digits.empty() || digits.size() > 19 || digits.find_first_not_of("0123456789") != std::string_view::npos ||
      (digits[0] == '0' && digits.size() > 1)) {
    return std::nullopt;
  }
  uint64_t value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

// Each 64-bit value has exactly one text, the one export writes: no "+", no "-0".
std::optional<int64_t> ExportedNumber(std::string_view text) {
  const bool negative = text.starts_with('-');
  const auto magnitude = PlainDigits(text.substr(negative ? 1 : 0));
  const uint64_t limit = uint64_t{std::numeric_limits<int64_t>::max()} + (negative ? 1 : 0);
  if (!magnitude || *magnitude > limit || (negative && *magnitude == 0)) return std::nullopt;
  return static_cast<int64_t>(negative ? 0 - *magnitude : *magnitude);
}

class TImport {
 public:
  explicit TImport(TDataFileSet& files) : writer_(files) {}

  void Line(std::string_view text, size_t lineNumber) {
    lineNumber_ = lineNumber;
    if (text.empty()) Fail("is empty; every line holds the 7 fields of a telephone line");
    if (lineNumber == 1) RefuseByteOrderMark(text);
    if (text.find('\0') != std::string_view::npos) Fail("holds a NUL byte; a NUL in a field is written \\0");
    if (text.find('\r') != std::string_view::npos) {
      Fail(
          "holds a carriage return (CR) inside the line; lines must end with LF or CR LF, not with CR alone, "
          "and a carriage return in a field is written \\r");
    }
    const std::vector<std::string_view> fields = SplitFields(text);
    if (fields.size() != static_cast<size_t>(PhoneColumnCount))
      Fail("expected 7 tab-separated fields, found " + std::to_string(fields.size()));
    TDirectoryLine line;
    line.Number = Number(fields[colPhone]);
    const std::string subscriber = Text(fields[colOwner], MaxOwnerBytes, "subscriber");
    line.City = NameIndex(cities_, Text(fields[colCity], MaxNameBytes, "city"), "city");
    line.Street = NameIndex(streets_, Text(fields[colStreet], MaxNameBytes, "street"), "street");
    line.House = Small(fields[colHouse], "house");
    line.Corpus = Text(fields[colCorpus], MaxCorpusBytes, "corpus");
    line.Flat = Small(fields[colFlat], "flat");
    if (!hasOwner_ || subscriber != owner_) writer_.AddOwner(subscriber);
    hasOwner_ = true;
    owner_ = subscriber;
    writer_.AddPhone(line);
  }

  void Finish() { writer_.Commit(cities_.Names(), streets_.Names()); }

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw ETsvError("line " + std::to_string(lineNumber_) + ": " + reason);
  }

  void RefuseByteOrderMark(std::string_view text) const {
    const char* encoding = text.starts_with("\xEF\xBB\xBF")                               ? "UTF-8"
                           : text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF") ? "UTF-16"
                                                                                          : nullptr;
    if (encoding) {
      Fail(std::string("the file starts with a ") + encoding +
           " byte-order mark; save it as UTF-8 without a byte-order mark");
    }
  }

  int64_t Number(std::string_view field) const {
    const auto number = ExportedNumber(field);
    if (!number) {
      Fail(
          "number must be a signed 64-bit whole number in decimal: an optional minus, then 1 to 19 digits without "
          "leading zeros (0, not -0), from -9223372036854775808 to 9223372036854775807");
    }
    return *number;
  }

  uint16_t Small(std::string_view field, const char* what) const {
    const auto value = PlainDigits(field);
    if (!value || *value > static_cast<uint64_t>(MaxPhoneField)) {
      Fail(std::string(what) + " must be a whole number from 0 to 65535 without leading zeros");
    }
    return static_cast<uint16_t>(*value);
  }

  uint16_t NameIndex(TNameNumbering& names, const std::string& name, const char* what) const {
    const auto index = names.IndexOf(name);
    if (!index) {
      Fail("brings the " + std::to_string(MaxListedNames + 1) + "th distinct " + what +
           " name; a directory holds at most " + std::to_string(MaxListedNames));
    }
    return *index;
  }

  std::string Text(std::string_view field, size_t limit, const char* what) const {
    const auto unescaped = UnescapeField(field);
    if (!unescaped) Fail(std::string(what) + " has a backslash that is not \\\\, \\t, \\n, \\r or \\0");
    auto bytes = Cp1251FromUtf8(*unescaped);
    if (!bytes) Fail(std::string(what) + " is not UTF-8 or has characters outside Windows-1251");
    if (bytes->size() > limit) {
      Fail(std::string(what) + " is longer than " + std::to_string(limit) + " bytes of Windows-1251");
    }
    return std::move(*bytes);
  }

  TDataFilesWriter writer_;
  TNameNumbering cities_;
  TNameNumbering streets_;
  size_t lineNumber_ = 0;
  bool hasOwner_ = false;
  std::string owner_;
};

}  // namespace

void ImportTsv(const TLineReader::TRead& read, TDataFileSet& files, TEmptyInput empty) {
  TImport import(files);
  TLineReader lines(read);
  std::string_view line;
  while (lines.Next(line)) import.Line(line, lines.LineNumber());
  if (lines.LineNumber() == 0 && empty == TEmptyInput::Refused) {
    throw ETsvError("nothing to import; the directory is unchanged");
  }
  import.Finish();
}

void ImportTsv(const TLineReader::TRead& read, const std::string& directory, TEmptyInput empty) {
  TGenerationWriter generation(directory);
  ImportTsv(read, generation, empty);
}
