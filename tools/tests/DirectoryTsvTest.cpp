#include "DirectoryTsv.h"

#include <gtest/gtest.h>

#include <sstream>

#include "DirectoryFiles.h"
#include "DirectoryGenerator.h"
#include "LoadDataThread.h"
#include "TsvFormat.h"
#include "Win1251.h"

namespace {

std::string Export(const std::string& directory) {
  std::ostringstream out;
  ExportTsv(directory, out);
  return out.str();
}

void Import(const std::string& text, const std::string& directory) {
  std::istringstream in(text);
  ImportTsv(in, directory);
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
  EXPECT_EQ(Owners.size(), 4u);
  EXPECT_EQ(Cities.size(), 3u);
  EXPECT_EQ(Streets.size(), 4u) << "a street is kept once per city";
  EXPECT_EQ(Owners[2], "Tab\there");
  EXPECT_EQ(Phones[3].CityIndex, 0);
}

TEST(DirectoryTsv, GeneratedDirectoryRoundTrips) {
  TTempDirectory generated, imported;
  GenerateDirectory(generated.Path(), 5000, 3);
  const std::string text = Export(generated.Path());
  Import(text, imported.Path());
  EXPECT_EQ(Export(imported.Path()), text);
  EXPECT_EQ(Phones.size(), 5000u);
}

TEST(DirectoryTsv, ImportAcceptsWindowsLineEndsAndSkipsEmptyLines) {
  TTempDirectory dir;
  Import("1\ta\tb\tc\t2\t\t3\r\n\r\n\n2\ta\tb\tc\t2\t\t3", dir.Path());
  EXPECT_EQ(Export(dir.Path()), "1\ta\tb\tc\t2\t\t3\n2\ta\tb\tc\t2\t\t3\n");
}

TEST(DirectoryTsv, BadInputIsRefusedNamingTheLine) {
  const std::string good = "1\ta\tb\tc\t2\t\t3\n";
  EXPECT_EQ(ImportError(good + "1\ta\tb\tc\t2\t3\n"), "line 2: expected 7 tab-separated fields, found 6");
  EXPECT_EQ(ImportError(good + good + "x\ta\tb\tc\t2\t\t3\n"), "line 3: number must be a whole number of at most 19 digits");
  EXPECT_EQ(ImportError("99999999999999999999\ta\tb\tc\t2\t\t3\n"),
            "line 1: number must be a whole number of at most 19 digits");
  EXPECT_EQ(ImportError("1\ta\tb\tc\t65536\t\t3\n"), "line 1: house must be a whole number from 0 to 65535");
  EXPECT_EQ(ImportError("1\ta\tb\tc\t1\t\t-1\n"), "line 1: flat must be a whole number from 0 to 65535");
  EXPECT_EQ(ImportError("1\t日本\tb\tc\t1\t\t1\n"),
            "line 1: subscriber is not UTF-8 or has characters outside Windows-1251");
  EXPECT_EQ(ImportError("1\t" + std::string(128, 'x') + "\tb\tc\t1\t\t1\n"),
            "line 1: subscriber is longer than 127 bytes");
  EXPECT_EQ(ImportError("1\ta\tb\tc\t1\t\\q\t1\n"),
            "line 1: corpus has a backslash that is not \\\\, \\t, \\n, \\r or \\0");
  EXPECT_EQ(ImportError(good), "");
}

TEST(DirectoryTsv, ExportOfAMissingDirectoryNamesTheFile) {
  TTempDirectory dir;
  try {
    Export(dir.Path() + "/none");
    FAIL() << "exported a missing directory";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("Cities.dbr"), std::string::npos);
  }
}
