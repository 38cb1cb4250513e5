#include <charconv>
#include <unordered_map>

#include "data/Cp1251.h"
#include "data/DbrRecords.h"
#include "tools/DirectoryTsv.h"
#include "tools/DirectoryWriter.h"

namespace {

enum Column { NumberColumn, SubscriberColumn, CityColumn, StreetColumn, HouseColumn, CorpusColumn, FlatColumn };
constexpr size_t ColumnCount = 7;
// The phone records hold city and street indexes in 16 bits; 0 is the empty name.
constexpr size_t MaxNames = 65535;

// Gives each distinct name an index in order of first use; the empty name is 0.
class TNameNumbering {
 public:
  uint32_t IndexOf(const std::string& name) {
    if (name.empty()) return 0;
    const auto [entry, added] = indexes_.try_emplace(name, static_cast<uint32_t>(names_.size()));
    if (added) names_.push_back(name);
    return entry->second;
  }
  size_t Count() const { return names_.size() - 1; }
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::unordered_map<std::string, uint32_t> indexes_;
  std::vector<std::string> names_{""};
};

class TImport {
 public:
  explicit TImport(const std::string& directory) : writer_(directory) {}

  void Line(std::string_view text, size_t lineNumber) {
    lineNumber_ = lineNumber;
    if (lineNumber == 1) RefuseByteOrderMark(text);
    if (text.find('\r') != std::string_view::npos) {
      Fail(
          "holds a carriage return (CR) inside the line; lines must end with LF or CR LF, not with CR alone, "
          "and a carriage return in a field is written \\r");
    }
    const std::vector<std::string_view> fields = SplitFields(text);
    if (fields.size() != ColumnCount) Fail("expected 7 tab-separated fields, found " + std::to_string(fields.size()));
    TDirectoryLine line;
    line.Number = Number(fields[NumberColumn]);
    const std::string subscriber = Text(fields[SubscriberColumn], MaxOwnerBytes, "subscriber");
    const uint32_t city = cities_.IndexOf(Text(fields[CityColumn], MaxNameBytes, "city"));
    const uint32_t street = streets_.IndexOf(Text(fields[StreetColumn], MaxNameBytes, "street"));
    line.House = Small(fields[HouseColumn], "house");
    line.Corpus = Text(fields[CorpusColumn], MaxCorpusBytes, "corpus");
    line.Flat = Small(fields[FlatColumn], "flat");
    // Past the limit the import is refused at the end; only the names are still counted.
    if (cities_.Count() > MaxNames || streets_.Count() > MaxNames) return;
    line.City = static_cast<uint16_t>(city);
    line.Street = static_cast<uint16_t>(street);
    if (!hasOwner_ || subscriber != owner_) writer_.AddOwner(subscriber);
    hasOwner_ = true;
    owner_ = subscriber;
    writer_.AddPhone(line);
  }

  void Finish() {
    RequireNamesFit(cities_, "city");
    RequireNamesFit(streets_, "street");
    writer_.Commit(cities_.Names(), streets_.Names());
  }

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
    int64_t value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || result.ec != std::errc() || result.ptr != field.data() + field.size()) {
      Fail("number must be a whole number of at most 19 digits");
    }
    return value;
  }

  uint16_t Small(std::string_view field, const char* what) const {
    unsigned value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || result.ec != std::errc() || result.ptr != field.data() + field.size() || value > 65535) {
      Fail(std::string(what) + " must be a whole number from 0 to 65535");
    }
    return static_cast<uint16_t>(value);
  }

  std::string Text(std::string_view field, size_t limit, const char* what) const {
    const auto unescaped = UnescapeField(field);
    if (!unescaped) Fail(std::string(what) + " has a backslash that is not \\\\, \\t, \\n, \\r or \\0");
    auto bytes = Cp1251FromUtf8(*unescaped);
    if (!bytes) Fail(std::string(what) + " is not UTF-8 or has characters outside Windows-1251");
    if (bytes->size() > limit) Fail(std::string(what) + " is longer than " + std::to_string(limit) + " bytes");
    return std::move(*bytes);
  }

  static void RequireNamesFit(const TNameNumbering& names, const char* what) {
    if (names.Count() <= MaxNames) return;
    throw ETsvError("the input has " + std::to_string(names.Count()) + " distinct " + what + " names, more than the " +
                    std::to_string(MaxNames) + " a directory can hold");
  }

  TDataFilesWriter writer_;
  TNameNumbering cities_;
  TNameNumbering streets_;
  size_t lineNumber_ = 0;
  bool hasOwner_ = false;
  std::string owner_;
};

}  // namespace

void ImportTsv(const TLineReader::TRead& read, const std::string& directory) {
  TImport import(directory);
  TLineReader lines(read);
  std::string_view line;
  while (lines.Next(line)) {
    if (!line.empty()) import.Line(line, lines.LineNumber());
  }
  import.Finish();
}
