#include "tools/DirectoryTsv.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "data/LoadDirectory.h"
#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"
#include "tools/DirectoryGenerator.h"
#include "tools/TsvFormat.h"
#include "tools/tests/support/DataFolders.h"

namespace {

// Hands the text out a few bytes at a time, so that lines cross the reads; a read
// past failAt bytes fails.
TLineReader::TRead ReaderOf(std::string text, size_t failAt = std::string::npos) {
  return [text = std::move(text), failAt, at = size_t{0}](char* buffer, size_t size) mutable {
    if (at >= failAt) throw std::runtime_error("read fault");
    const size_t count = std::min({size, text.size() - at, size_t{7}});
    std::copy_n(text.data() + at, count, buffer);
    at += count;
    return count;
  };
}

void Import(const std::string& text, const std::string& directory) { ImportTsv(ReaderOf(text), directory); }

std::string Export(const std::string& directory) {
  std::string out;
  ExportTsv(directory, [&](std::string_view text) { out += text; });
  return out;
}

std::string ImportError(const std::string& text) {
  TTempDirectory dir;
  try {
    Import(text, dir.Path());
  } catch (const ETsvError& error) {
    return error.what();
  }
  return "";
}

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// Every entry under a directory, temporaries included: a file with its bytes, a
// link with its text, a folder as "/".
std::map<std::string, std::string> Contents(const std::string& directory) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(directory)) {
    const std::string name = entry.path().lexically_relative(directory).string();
    contents[name] = entry.is_symlink()     ? "-> " + std::filesystem::read_symlink(entry.path()).string()
                     : entry.is_directory() ? "/"
                                            : FileBytes(entry.path().string());
  }
  return contents;
}

std::string Line(int number, std::string_view city, std::string_view street) {
  return std::to_string(number) + "\ta\t" + std::string(city) + '\t' + std::string(street) + "\t1\t\t2\n";
}

// Lines whose streets run from "s0" to "s<count - 1>", all in one city.
std::string StreetLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += Line(i, "c", "s" + std::to_string(i));
  return text;
}

const std::string OldText = "1\tИванов\tМосква\tул. Ленина\t2\t\t3\n";
const std::string GoodLine = "1\ta\tb\tc\t2\t\t3\n";

// A directory imported once, whose files every failed import must leave as they are.
class ExistingDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    Import(OldText, dir.Path());
    before = Contents(dir.Path());
    ASSERT_EQ(Export(dir.Path()), OldText);
  }
  void ExpectUnchanged() const { EXPECT_EQ(Contents(dir.Path()), before); }

  TTempDirectory dir;
  std::map<std::string, std::string> before;
};

}  // namespace

TEST(TsvFields, EscapesSurviveARoundTrip) {
  const std::string nasty("a\\b\tc\nd\re\0f", 11);
  EXPECT_EQ(EscapeField(nasty), "a\\\\b\\tc\\nd\\re\\0f");
  EXPECT_EQ(UnescapeField(EscapeField(nasty)), nasty);
  EXPECT_FALSE(UnescapeField("a\\").has_value());
  EXPECT_FALSE(UnescapeField("\\x").has_value());
  EXPECT_EQ(SplitFields("a\t\tb"), (std::vector<std::string_view>{"a", "", "b"}));
  EXPECT_EQ(SplitFields(""), (std::vector<std::string_view>{""}));
}

TEST(DirectoryTsv, ImportThenExportGivesTheSameText) {
  const std::string text =
      "745\tИванов Иван Иванович\tМосква\tул. Ленина\t12\tа\t45\n"
      "9161234567\tИванов Иван Иванович\tМосква\tул. Ленина\t12\tа\t45\n"
      "0\tООО «Ёлка»\tТверь\tул. Ленина\t0\t\t0\n"
      "-5\tTab\\there\t\t\t65535\tк1\t65535\n"
      "123456\tООО «Ёлка»\tМосква\tпр-т Мира\t1\t\t2\n";
  TTempDirectory dir;
  Import(text, dir.Path());
  EXPECT_EQ(Export(dir.Path()), text);
  const auto loaded = LoadDirectory(dir.Path());
  EXPECT_EQ(loaded->Owners.size(), 4u);
  EXPECT_EQ(loaded->Cities, (std::vector<std::string>{"", Cp("Москва"), Cp("Тверь")}));
  EXPECT_EQ(loaded->Streets, (std::vector<std::string>{"", Cp("ул. Ленина"), Cp("пр-т Мира")}))
      << "a street name is kept once, whatever its cities";
  EXPECT_EQ(loaded->Owners[2], "Tab\there");
  EXPECT_EQ(loaded->Phones[3].CityIndex, 0);
  EXPECT_EQ(loaded->Phones[2].StreetIndex, loaded->Phones[0].StreetIndex);
}

TEST(DirectoryTsv, GeneratedDirectoryRoundTrips) {
  TTempDirectory generated, imported;
  GenerateDirectory(generated.Path(), 5000, 3);
  const std::string text = Export(generated.Path());
  Import(text, imported.Path());
  EXPECT_EQ(Export(imported.Path()), text);
  EXPECT_EQ(LoadDirectory(imported.Path())->Phones.size(), 5000u);
}

TEST(DirectoryTsv, ImportAcceptsWindowsLineEndsAndALastLineWithout) {
  TTempDirectory dir;
  Import("1\ta\tb\tc\t2\t\t3\r\n2\ta\tb\tc\t2\t\t3", dir.Path());
  EXPECT_EQ(Export(dir.Path()), "1\ta\tb\tc\t2\t\t3\n2\ta\tb\tc\t2\t\t3\n");
}

// Export must give back every directory import can write, and import must take
// every number export writes: each 64-bit value has exactly one accepted text.
TEST(DirectoryTsv, EveryNumberADirectoryCanHoldIsExportedAsImportTakesIt) {
  std::vector<int64_t> numbers{INT64_MIN, INT64_MIN + 1, -1000000000000000000, -10, -1, 0, 1, 9, 10, INT64_MAX};
  std::mt19937_64 random(7);
  for (int i = 0; i < 200; ++i) numbers.push_back(static_cast<int64_t>(random() >> (i % 64)) * (i % 2 ? -1 : 1));
  std::string phones = OwnerRecord("a");
  for (int64_t number : numbers) phones += PhoneRecord(number, 0, 0, 1, 2);
  TTempDirectory stored, imported;
  stored.Write("Cities.dbr", "");
  stored.Write("Streets.dbr", "");
  stored.Write("Phones.dbr", phones);
  const std::string text = Export(stored.Path());
  std::string expected;
  for (int64_t number : numbers) expected += std::to_string(number) + "\ta\t\t\t1\t\t2\n";
  EXPECT_EQ(text, expected);
  Import(text, imported.Path());
  EXPECT_EQ(FileBytes(imported.FilePath("Phones.dbr")), phones);
}

TEST(DirectoryTsv, ANumberIsAnOptionalMinusAndUpTo19DigitsWithoutLeadingZerosInRange) {
  for (const char* number : {"-0", "00", "01", "-01", "+1", "", "-", " 1", "1 ", "1e3", "0x10", "9223372036854775808",
                             "-9223372036854775809", "0000000000000000000000001", "99999999999999999999"}) {
    EXPECT_EQ(ImportError(std::string(number) + "\ta\tb\tc\t2\t\t3\n"),
              "line 1: number must be a signed 64-bit whole number in decimal: an optional minus, then 1 to 19 "
              "digits without leading zeros (0, not -0), from -9223372036854775808 to 9223372036854775807")
        << number;
  }
  for (const char* field : {"00", "01", "065535"}) {
    EXPECT_EQ(ImportError(std::string("1\ta\tb\tc\t") + field + "\t\t3\n"),
              "line 1: house must be a whole number from 0 to 65535 without leading zeros")
        << field;
  }
}

TEST(DirectoryTsv, PairsOfCityAndStreetBeyondTheIndexLimitFitWhenTheNamesDo) {
  std::string text;
  for (int city = 0; city < 300; ++city) {
    for (int street = 0; street < 300; ++street) {
      text += Line(city * 300 + street, "c" + std::to_string(city), "s" + std::to_string(street));
    }
  }
  TTempDirectory dir;
  Import(text, dir.Path());
  EXPECT_EQ(Export(dir.Path()), text);
  const auto loaded = LoadDirectory(dir.Path());
  EXPECT_EQ(loaded->Cities.size(), 301u);
  EXPECT_EQ(loaded->Streets.size(), 301u);
  EXPECT_EQ(loaded->Streets[300], "s299");
}

TEST(DirectoryTsv, AsManyNamesAsTheIndexHoldsFitAndTheLineOfOneMoreIsNamed) {
  TTempDirectory dir;
  Import(StreetLines(65535), dir.Path());
  EXPECT_EQ(Export(dir.Path()), StreetLines(65535));
  const auto loaded = LoadDirectory(dir.Path());
  EXPECT_EQ(loaded->Streets.size(), 65536u);
  EXPECT_EQ(loaded->Streets[65535], "s65534");

  EXPECT_EQ(ImportError(StreetLines(65537)),
            "line 65536: brings the 65536th distinct street name; a directory holds at most 65535");
  std::string cities = Line(0, "c", "") + Line(1, "c", "");
  for (int i = 0; i < 65536; ++i) cities += Line(i, "c" + std::to_string(i), "");
  EXPECT_EQ(ImportError(cities), "line 65537: brings the 65536th distinct city name; a directory holds at most 65535");
}

TEST(DirectoryTsv, BadInputIsRefusedNamingTheLine) {
  EXPECT_EQ(ImportError(GoodLine + "1\ta\tb\tc\t2\t3\n"), "line 2: expected 7 tab-separated fields, found 6");
  EXPECT_TRUE(ImportError(GoodLine + GoodLine + "x\ta\tb\tc\t2\t\t3\n").starts_with("line 3: number must be a "));
  EXPECT_EQ(ImportError(GoodLine + "\n" + GoodLine),
            "line 2: is empty; every line holds the 7 fields of a telephone line");
  EXPECT_EQ(ImportError(GoodLine + "\r\n"), "line 2: is empty; every line holds the 7 fields of a telephone line");
  EXPECT_EQ(ImportError(GoodLine + std::string("1\ta\0\tb\tc\t2\t\t3\n", 15)),
            "line 2: holds a NUL byte; a NUL in a field is written \\0");
  EXPECT_EQ(ImportError("1\ta\tb\tc\t65536\t\t3\n"),
            "line 1: house must be a whole number from 0 to 65535 without leading zeros");
  EXPECT_EQ(ImportError("1\ta\tb\tc\t1\t\t-1\n"),
            "line 1: flat must be a whole number from 0 to 65535 without leading zeros");
  EXPECT_EQ(ImportError("1\t日本\tb\tc\t1\t\t1\n"),
            "line 1: subscriber is not UTF-8 or has characters outside Windows-1251");
  EXPECT_EQ(ImportError("1\t" + std::string(128, 'x') + "\tb\tc\t1\t\t1\n"),
            "line 1: subscriber is longer than 127 bytes of Windows-1251");
  auto cyrillic = [](int letters) {
    std::string text;
    for (int i = 0; i < letters; ++i) text += "я";
    return "1\ta\t" + text + "\tc\t1\t\t1\n";
  };
  EXPECT_EQ(ImportError(cyrillic(255)), "") << "255 letters take 510 bytes of UTF-8 but 255 of Windows-1251";
  EXPECT_EQ(ImportError(cyrillic(256)), "line 1: city is longer than 255 bytes of Windows-1251");
  EXPECT_EQ(ImportError("1\ta\tb\tc\t1\t\\q\t1\n"),
            "line 1: corpus has a backslash that is not \\\\, \\t, \\n, \\r or \\0");
  EXPECT_EQ(ImportError(GoodLine + std::string(TLineReader::MaxLineBytes + 1, 'x')),
            "line 2: longer than 65536 bytes; is this a tab-separated text file?");
  EXPECT_EQ(ImportError(GoodLine), "");
}

TEST(DirectoryTsv, ByteOrderMarksAndCarriageReturnLineEndsAreNamed) {
  EXPECT_EQ(ImportError("\xEF\xBB\xBF" + GoodLine),
            "line 1: the file starts with a UTF-8 byte-order mark; save it as UTF-8 without a byte-order mark");
  EXPECT_EQ(ImportError(std::string("\xFF\xFE"
                                    "1\0\t\0",
                                    6)),
            "line 1: the file starts with a UTF-16 byte-order mark; save it as UTF-8 without a byte-order mark");
  const std::string carriageReturnOnly = "1\ta\tb\tc\t2\t\t3\r2\ta\tb\tc\t2\t\t3\r";
  for (const std::string& text :
       {carriageReturnOnly, GoodLine + carriageReturnOnly, GoodLine + "1\ta\rb\tb\tc\t2\t\t3\n"}) {
    const std::string error = ImportError(text);
    EXPECT_TRUE(error.starts_with(text.starts_with(GoodLine) ? "line 2: " : "line 1: ")) << error;
    EXPECT_NE(error.find("carriage return (CR) inside the line; lines must end with LF or CR LF, not with CR alone"),
              std::string::npos)
        << error;
  }
}

TEST_F(ExistingDirectory, FailedImportsLeaveTheOldFilesByteForByte) {
  const std::string good = StreetLines(2000);
  EXPECT_THROW(Import(good + "1\ta\tb\tc\t2\t\tx\n", dir.Path()), ETsvError) << "bad last line";
  ExpectUnchanged();
  EXPECT_THROW(Import(good + "1\ta\tb\tc", dir.Path()), ETsvError) << "last line cut short";
  ExpectUnchanged();
  EXPECT_THROW(Import(StreetLines(65536), dir.Path()), ETsvError) << "too many names";
  ExpectUnchanged();
  try {
    ImportTsv(ReaderOf(good, good.size() - 10), dir.Path());
    ADD_FAILURE() << "a failed read was taken for the end of the input";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "read fault");
  }
  ExpectUnchanged();
}

TEST_F(ExistingDirectory, AFolderThatCannotBeWrittenFailsTheImportAndKeepsItsFiles) {
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const std::string probe = dir.FilePath("probe");
  const int descriptor = ::open(probe.c_str(), O_WRONLY | O_CREAT, 0600);
  if (descriptor < 0) {
    try {
      Import(GoodLine, dir.Path());
      ADD_FAILURE() << "imported into a read-only folder";
    } catch (const std::runtime_error& error) {
      EXPECT_TRUE(std::string(error.what()).starts_with("cannot write " + dir.FilePath(""))) << error.what();
      EXPECT_NE(std::string(error.what()).find("Permission denied"), std::string::npos) << error.what();
    }
  } else {
    // Permissions do not stop root: a read-only bind mount, seen by a child process only, does.
    ::close(descriptor);
    ::unlink(probe.c_str());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
          ::mount(dir.Path().c_str(), dir.Path().c_str(), nullptr, MS_BIND, nullptr) != 0 ||
          ::mount(nullptr, dir.Path().c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
        ::_exit(77);
      }
      try {
        Import(GoodLine, dir.Path());
      } catch (const std::runtime_error& error) {
        ::_exit(std::string(error.what()).find("Read-only file system") != std::string::npos ? 0 : 2);
      }
      ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
      GTEST_SKIP() << "running as root without the right to mount: no way to make a folder unwritable here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: imported into a read-only folder; 2: failed with another error";
  }
  ExpectUnchanged();
}

TEST_F(ExistingDirectory, LinkedFilesAreReplacedWhereTheyLieAndKeepTheirLinksAndModes) {
  TTempDirectory links;
  for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) {
    std::filesystem::create_symlink(dir.FilePath(name), links.FilePath(name));
    std::filesystem::permissions(dir.FilePath(name), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::owner_write |
                                                         std::filesystem::perms::group_read);
  }
  Import(GoodLine, links.Path());
  for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) {
    EXPECT_TRUE(std::filesystem::is_symlink(links.FilePath(name))) << name;
    EXPECT_EQ(std::filesystem::status(dir.FilePath(name)).permissions(), std::filesystem::perms::owner_read |
                                                                             std::filesystem::perms::owner_write |
                                                                             std::filesystem::perms::group_read)
        << name;
  }
  EXPECT_EQ(Export(dir.Path()), GoodLine);
  EXPECT_EQ(LayoutOf(dir.Path()), ManagedLayout()) << "no temporaries left";
  EXPECT_EQ(LayoutOf(links.Path()), (std::vector<std::string>{"Cities.dbr", "Phones.dbr", "Streets.dbr"}));
}

TEST(DirectoryTsv, ExportOfAMissingDirectoryNamesTheFileInEnglish) {
  TTempDirectory dir;
  bool wrote = false;
  try {
    ExportTsv(dir.Path() + "/none", [&](std::string_view) { wrote = true; });
    FAIL() << "exported a missing directory";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "cannot read " + dir.Path() + "/none/Cities.dbr: no such folder (error 3)");
  }
  dir.Write("Cities.dbr", "");
  dir.Write("Streets.dbr", "");
  try {
    ExportTsv(dir.Path(), [&](std::string_view) { wrote = true; });
    FAIL() << "exported a directory without Phones.dbr";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "cannot read " + dir.Path() + "/Phones.dbr: no such file (error 2)");
  }
  EXPECT_FALSE(wrote);
}
