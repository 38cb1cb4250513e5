#include "DirectoryTsv.h"

#include <charconv>
#include <map>

#include "Cp1251.h"
#include "DirectoryWriter.h"
#include "LoadDataThread.h"
#include "TsvFormat.h"

namespace {

enum Column { NumberColumn, SubscriberColumn, CityColumn, StreetColumn, HouseColumn, CorpusColumn, FlatColumn };
constexpr size_t ColumnCount = 7;

class TImport {
 public:
  explicit TImport(const std::string& directory) : directory_(directory), phones_(directory + "/Phones.dbr") {}

  void Line(std::string_view text) {
    const std::vector<std::string_view> fields = SplitFields(text);
    if (fields.size() != ColumnCount) Fail("expected 7 tab-separated fields, found " + std::to_string(fields.size()));
    TDirectoryLine line;
    line.Number = Number(fields[NumberColumn]);
    const std::string subscriber = Text(fields[SubscriberColumn], 127, "subscriber");
    const std::string city = Text(fields[CityColumn], 255, "city");
    const std::string street = Text(fields[StreetColumn], 255, "street");
    line.City = Index(cities_, cityNames_, city, city, "cities");
    line.Street = Index(streets_, streetNames_, std::to_string(line.City) + ':' + street, street, "streets");
    line.House = Small(fields[HouseColumn], "house");
    line.Corpus = Text(fields[CorpusColumn], 127, "corpus");
    line.Flat = Small(fields[FlatColumn], "flat");
    if (!hasOwner_ || subscriber != owner_) phones_.AddOwner(subscriber);
    hasOwner_ = true;
    owner_ = subscriber;
    phones_.AddPhone(line);
  }

  void Finish() {
    phones_.Close();
    WriteNameList(directory_ + "/Cities.dbr", cityNames_);
    WriteNameList(directory_ + "/Streets.dbr", streetNames_);
  }

  size_t lineNumber = 0;

 private:
  [[noreturn]] void Fail(const std::string& reason) const {
    throw ETsvError("line " + std::to_string(lineNumber) + ": " + reason);
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
    const auto bytes = Cp1251FromUtf8(*unescaped);
    if (!bytes) Fail(std::string(what) + " is not UTF-8 or has characters outside Windows-1251");
    if (bytes->size() > limit) Fail(std::string(what) + " is longer than " + std::to_string(limit) + " bytes");
    return *bytes;
  }

  uint16_t Index(std::map<std::string, uint16_t>& known, std::vector<std::string>& names, const std::string& key,
                 const std::string& name, const char* what) {
    if (name.empty()) return 0;
    if (const auto found = known.find(key); found != known.end()) return found->second;
    if (names.size() > 65535) Fail(std::string("more than 65535 ") + what);
    const auto index = static_cast<uint16_t>(names.size());
    names.push_back(name);
    known.emplace(key, index);
    return index;
  }

  std::string directory_;
  TPhonesFileWriter phones_;
  std::map<std::string, uint16_t> cities_;
  std::map<std::string, uint16_t> streets_;
  std::vector<std::string> cityNames_{""};
  std::vector<std::string> streetNames_{""};
  bool hasOwner_ = false;
  std::string owner_;
};

std::string Utf8Field(std::string_view bytes) { return EscapeField(Utf8FromCp1251(bytes)); }

}  // namespace

void ImportTsv(std::istream& tsv, const std::string& directory) {
  TImport import(directory);
  std::string line;
  while (std::getline(tsv, line)) {
    ++import.lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    import.Line(line);
  }
  import.Finish();
}

void ExportTsv(const std::string& directory, std::ostream& tsv) {
  SetDataDirectory(directory);
  try {
    LoadCities();
    LoadStreets();
  } catch (const EInOutError& error) {
    throw std::runtime_error(Utf8FromCp1251(error.what()));
  }
  DataLoaded = false;
  LoadFailed = false;
  { TLoadDataThread loader([](const std::function<void()>& procedure) { procedure(); }, nullptr); }
  if (LoadFailed) throw std::runtime_error(Utf8FromCp1251(LoadFailureText()));
  for (const TPhone& phone : Phones) {
    tsv << std::string_view(phone.Number) << '\t' << Utf8Field(OwnerName(phone)) << '\t'
        << Utf8Field(CityName(phone.CityIndex)) << '\t' << Utf8Field(StreetName(phone.StreetIndex)) << '\t'
        << phone.House << '\t' << Utf8Field(phone.Corpus) << '\t' << phone.Flat << '\n';
  }
  if (!tsv) throw std::runtime_error("cannot write the tab-separated output");
}
