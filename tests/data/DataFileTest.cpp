#include "data/DataFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/data/support/DirectoryFiles.h"
#include "tests/support/Cp1251Literal.h"

namespace {

int OpenErrorCode(const std::string& path) {
  try {
    TDataFile file(path);
  } catch (const EInOutError& error) {
    EXPECT_EQ(error.Path, path);
    return error.Code;
  }
  return 0;
}

}  // namespace

TEST(DataFileOpen, ReportsMissingFileDirectoryAndDirectoryAsFile) {
  TTempDirectory dir;
  EXPECT_EQ(OpenErrorCode(dir.FilePath("Phones.dbr")), 2);
  EXPECT_EQ(OpenErrorCode(dir.FilePath("absent/Phones.dbr")), 3);
  dir.Write("plain", "x");
  EXPECT_EQ(OpenErrorCode(dir.FilePath("plain/Phones.dbr")), 3);
  EXPECT_EQ(OpenErrorCode(dir.Path()), 5);
}

TEST(DataFileOpen, RefusesAFileWithoutReadPermission) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads a mode-000 file, so access cannot be refused here";
  TTempDirectory dir;
  dir.Write("Phones.dbr", "x");
  ASSERT_EQ(::chmod(dir.FilePath("Phones.dbr").c_str(), 0), 0);
  EXPECT_EQ(OpenErrorCode(dir.FilePath("Phones.dbr")), 5);
}

TEST(DataFileOpen, NeverCreatesTheFile) {
  TTempDirectory dir;
  EXPECT_THROW(TDataFile(dir.FilePath("Cities.dbr")), EInOutError);
  EXPECT_NE(::access(dir.FilePath("Cities.dbr").c_str(), F_OK), 0);
}

TEST(DataFileOpen, MessageNamesTheFileTheReasonAndTheCode) {
  const EInOutError error(2, "/d/Phones.dbr");
  EXPECT_EQ(std::string(error.what()), Cp("Не удалось прочитать файл \"/d/Phones.dbr\": файл не найден (код 2)"));
  EXPECT_EQ(EInOutError(5, "p").Code, 5);
}

TEST(DataFileRead, ShortReadAtTheEndIsNoError) {
  TTempDirectory dir;
  dir.Write("f", "abc");
  TDataFile file(dir.FilePath("f"));
  char buffer[8] = {};
  EXPECT_FALSE(file.AtEnd());
  EXPECT_EQ(file.Read(buffer, 2), 2u);
  EXPECT_EQ(file.Read(buffer, 5), 1u);
  EXPECT_EQ(buffer[0], 'c');
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(file.Read(buffer, 5), 0u);
  EXPECT_NO_THROW(file.Close());
}

TEST(DataFileRead, PositionedReadsLeaveThePositionAndStopAtTheEnd) {
  TTempDirectory dir;
  dir.Write("f", "abcdef");
  TDataFile file(dir.FilePath("f"));
  char buffer[8] = {};
  EXPECT_EQ(file.Read(buffer, 2), 2u);
  EXPECT_EQ(file.ReadAt(4, buffer, 8), 2u);
  EXPECT_EQ(std::string(buffer, 2), "ef");
  EXPECT_EQ(file.ReadAt(6, buffer, 8), 0u);
  EXPECT_EQ(file.Read(buffer, 1), 1u);
  EXPECT_EQ(buffer[0], 'c');
}

TEST(DataFileRead, EmptyFileIsAtItsEndAtOnce) {
  TTempDirectory dir;
  dir.Write("f", "");
  TDataFile file(dir.FilePath("f"));
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(ReadRest(file), "");
}

// What is appended after the open is no part of the file its reader was given.
TEST(DataFileRead, SizeAtOpenIgnoresWhatIsAppendedLater) {
  TTempDirectory dir;
  dir.Write("f", "abc");
  TDataFile file(dir.FilePath("f"));
  dir.Write("f", "abcdef");
  EXPECT_EQ(file.SizeAtOpen(), 3u);
}

TEST(DataFileRead, EveryByteOfALargeFileIsRead) {
  TTempDirectory dir;
  std::string content;
  for (int i = 0; i < 3'000'000; ++i) content += static_cast<char>(i * 7);
  dir.Write("f", content);
  TDataFile file(dir.FilePath("f"));
  char first;
  ASSERT_EQ(file.Read(&first, 1), 1u);
  EXPECT_EQ(ReadRest(file), content.substr(1));
  EXPECT_TRUE(file.AtEnd());
}
