// A directory replaced as one generation: crashed at any step or failing to
// switch, a data folder reads as the whole old directory or the whole new one.

#include "tools/GenerationWriter.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/data/support/DirectoryFiles.h"
#include "tools/DirectoryTsv.h"
#include "tools/tests/support/DataFolders.h"

namespace {

const std::string NewText = "2\tПетров\tТверь\tул. Мира\t1\t\t1\n";

void Import(const std::string& directory, const std::string& text = NewText, TGenerationWriter::TStepHook hook = {}) {
  TGenerationWriter generation(directory, std::move(hook));
  ImportTsv(
      [&, at = size_t{0}](char* buffer, size_t size) mutable {
        const size_t count = std::min(size, text.size() - at);
        at += text.copy(buffer, count, at);
        return count;
      },
      generation);
}

std::string Reads(const std::string& directory) {
  std::string text;
  try {
    ExportTsv(directory, [&](std::string_view part) { text += part; });
  } catch (const std::exception& error) {
    return error.what();
  }
  return text;
}

// The error an import of NewText into directory fails with, or "" when there is none.
std::string ImportFailure(const std::string& directory) {
  try {
    Import(directory);
  } catch (const std::runtime_error& error) {
    return error.what();
  }
  return "";
}

// Imports NewText in a child that ends at once after step crashAt of the commit,
// as a crash would; true when the import was over before that step.
bool ImportCrashingAtStep(const std::string& directory, int crashAt) {
  const pid_t child = ::fork();
  if (child == 0) {
    int step = 0;
    Import(directory, NewText, [&] {
      if (++step == crashAt) ::_exit(0);
    });
    ::_exit(1);
  }
  int status = 0;
  EXPECT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  return WEXITSTATUS(status) == 1;
}

}  // namespace

TEST(Generation, ACrashAtAnyStepLeavesTheOldOrTheNewDirectoryAndTheNextImportTidiesUp) {
  for (const bool plainFiles : {true, false}) {
    bool sawOld = false, sawNew = false, over = false;
    for (int step = 1; !over; ++step) {
      TTempDirectory folder;
      WritePlainDirectory(folder.Path());
      if (!plainFiles) Import(folder.Path(), PlainDirectoryText);
      over = ImportCrashingAtStep(folder.Path(), step);
      const std::string text = Reads(folder.Path());
      EXPECT_TRUE(text == PlainDirectoryText || text == NewText) << "crashed at step " << step << ": " << text;
      (text == NewText ? sawNew : sawOld) = true;
      Import(folder.Path());
      EXPECT_EQ(Reads(folder.Path()), NewText);
      EXPECT_EQ(LayoutOf(folder.Path()), ManagedLayout()) << "crashed at step " << step;
    }
    EXPECT_TRUE(sawOld && sawNew) << (plainFiles ? "from plain files" : "from a generation");
  }
}

TEST(Generation, AFailedSwitchLeavesTheOldDirectoryAndNothingNew) {
  for (const bool plainFiles : {true, false}) {
    TTempDirectory folder;
    WritePlainDirectory(folder.Path());
    // A folder where the current link must go makes its rename fail.
    const std::string current = folder.FilePath(".orlinar-current");
    std::filesystem::create_directory(current);
    for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) {
      if (plainFiles) continue;
      std::filesystem::rename(folder.FilePath(name), current + "/" + name);
      std::filesystem::create_symlink(std::string(".orlinar-current/") + name, folder.FilePath(name));
    }
    const std::vector<std::string> before = LayoutOf(folder.Path());
    const std::string failure = ImportFailure(folder.Path());
    EXPECT_TRUE(failure.starts_with("cannot switch " + current + " to .orlinar-generation-")) << failure;
    EXPECT_TRUE(failure.ends_with(": Is a directory; the directory is unchanged")) << failure;
    EXPECT_EQ(Reads(folder.Path()), PlainDirectoryText);
    EXPECT_EQ(LayoutOf(folder.Path()), before);
  }
}

TEST(Generation, OneWriterAtATimeAndOnlyIntoOneFolderOfThreeNames) {
  TTempDirectory folder, elsewhere;
  WritePlainDirectory(folder.Path());
  {
    const TGenerationWriter first(folder.Path());
    EXPECT_TRUE(ImportFailure(folder.Path()).starts_with("another orlinar-data is writing " + folder.Path()));
  }
  Import(folder.Path());
  const std::string generation =
      folder.Path() + "/" + std::filesystem::read_symlink(folder.FilePath(".orlinar-current")).string();
  const std::tuple<std::string, std::string, std::string> refusals[] = {
      {"Streets.dbr", elsewhere.FilePath("Streets.dbr"), "must lie in one folder"},
      {"Phones.dbr", folder.FilePath("Towns.dbr"), "but a data file must keep its name"},
  };
  for (const auto& [name, target, reason] : refusals) {
    TTempDirectory links;
    for (const char* file : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) {
      std::filesystem::create_symlink(file == name ? target : folder.FilePath(file), links.FilePath(file));
    }
    EXPECT_NE(ImportFailure(links.Path()).find(reason), std::string::npos) << name << " -> " << target;
  }
  EXPECT_NE(ImportFailure(generation).find("a generation the tool replaces"), std::string::npos);
  EXPECT_EQ(Reads(folder.Path()), NewText);
}
