// The command line of the data tool, run as its own process.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

#include "tests/data/support/DirectoryFiles.h"
#include "tools/tests/support/DataFolders.h"

namespace {

struct TRun {
  int Status = -1;  // exit status, or 128 + the signal that ended the tool
  std::string Out;
  std::string Err;
};

std::string FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::vector<std::string> FileNames(const std::string& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

const std::string& OldText = PlainDirectoryText;
const std::string NewText = "2\tПетров\tТверь\tул. Мира\t1\t\t1\n";

class Tool : public ::testing::Test {
 protected:
  pid_t Start(const std::vector<std::string>& arguments, const std::string& input = "/dev/null") {
    std::vector<char*> argv{const_cast<char*>(ORLINAR_DATA_TOOL)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, output.FilePath("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, output.FilePath("err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, ORLINAR_DATA_TOOL, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }

  TRun Finish(pid_t pid) {
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), FileBytes(output.FilePath("out")),
            FileBytes(output.FilePath("err"))};
  }

  TRun Run(const std::vector<std::string>& arguments, const std::string& input = "/dev/null") {
    return Finish(Start(arguments, input));
  }
  // What the directory reads as through its three names, or the export's error.
  std::string Reads(const std::string& directory) {
    const TRun run = Run({"export", directory, "-"});
    return run.Status == 0 ? run.Out : run.Err;
  }

  // Kills an import of NewText from a named pipe with signal once it has begun
  // to write beside the directory, and returns how the tool ended.
  TRun KillImportWhileWriting(const std::string& directory, int signal) {
    const std::vector<std::string> before = FileNames(directory);
    const std::string fifo = work.FilePath("in.fifo");
    ::unlink(fifo.c_str());
    EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const pid_t pid = Start({"import", fifo, directory});
    const int input = ::open(fifo.c_str(), O_WRONLY);
    EXPECT_EQ(::write(input, NewText.data(), NewText.size()), static_cast<ssize_t>(NewText.size()));
    // The tool makes the new generation's folder before it reads; it then waits for the rest of the input.
    auto writing = [&] {
      for (const std::string& name : FileNames(directory)) {
        if (name.starts_with(".orlinar-generation-") && !std::count(before.begin(), before.end(), name)) return true;
      }
      return false;
    };
    for (int i = 0; i < 500 && !writing(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_TRUE(writing());
    ::kill(pid, signal);
    const TRun run = Finish(pid);
    ::close(input);
    return run;
  }

  TTempDirectory output;  // the tool's standard output and error
  TTempDirectory work;
};

mode_t ModeOf(const std::string& path, bool followLinks = false) {
  struct stat info {};
  EXPECT_EQ(followLinks ? ::stat(path.c_str(), &info) : ::lstat(path.c_str(), &info), 0) << path;
  return info.st_mode;
}

}  // namespace

TEST_F(Tool, HelpAndVersionGoToStandardOutput) {
  const TRun help = Run({"--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_TRUE(help.Out.starts_with("Usage: orlinar-data COMMAND")) << help.Out;
  EXPECT_NE(help.Out.find("orlinar-data import [--allow-empty] FILE.tsv DIRECTORY"), std::string::npos);
  EXPECT_NE(help.Out.find("orlinar-data search DIRECTORY CRITERION... [--regex | --forgiving] [--count] [--time]"),
            std::string::npos);
  EXPECT_EQ(help.Err, "");
  const TRun version = Run({"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_TRUE(version.Out.starts_with("orlinar-data " ORLINAR_VERSION "\n")) << version.Out;
  EXPECT_NE(version.Out.find("GNU GPL version 3 or later"), std::string::npos) << version.Out;
  EXPECT_EQ(version.Err, "");
}

TEST_F(Tool, WrongArgumentsAreNamedWithWhatWasExpected) {
  const std::string g = work.FilePath("g");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "missing command: expected import, export, generate or search"},
      {{"frobnicate"}, "unknown command 'frobnicate': expected import, export, generate or search"},
      {{"-x"}, "unknown option '-x': expected --help or --version"},
      {{"--help", "import"}, "too many arguments: expected --help alone"},
      {{"generate", g, "abc"}, "LINES must be a whole number from 0 to 2147483647, not 'abc'"},
      {{"generate", g, "-5"}, "LINES must be a whole number from 0 to 2147483647, not '-5'"},
      {{"generate", g, "2147483648"}, "LINES must be a whole number from 0 to 2147483647, not '2147483648'"},
      {{"generate", g, "10", "x1"}, "SEED must be a whole number from 0 to 4294967295, not 'x1'"},
      {{"generate", g}, "too few arguments: expected generate DIRECTORY LINES [SEED]"},
      {{"import", "a.tsv"}, "too few arguments: expected import [--allow-empty] FILE.tsv DIRECTORY"},
      {{"import", "", "d"}, "an empty argument: expected import [--allow-empty] FILE.tsv DIRECTORY"},
      {{"import", "--empty", "a.tsv", "d"},
       "unknown option '--empty': expected import [--allow-empty] FILE.tsv DIRECTORY"},
      {{"export", "d", "a.tsv", "b"}, "too many arguments: expected export DIRECTORY FILE.tsv"},
  };
  for (const auto& [arguments, message] : cases) {
    const TRun run = Run(arguments);
    EXPECT_EQ(run.Status, 2) << message;
    EXPECT_EQ(run.Err, "orlinar-data: " + message + "\nTry 'orlinar-data --help' for more information.\n");
    EXPECT_EQ(run.Out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(g)) << "a refused generate wrote nothing";
}

TEST_F(Tool, AnInputThatCannotBeReadFailsAndWritesNothing) {
  const std::string target = work.FilePath("directory");
  const std::pair<std::string, std::string> cases[] = {
      {work.Path(), "cannot read " + work.Path() + ": it is a folder, not a file"},
      // Offset 0 of a process's memory is never mapped: reading it fails with EIO.
      {"/proc/self/mem", "cannot read /proc/self/mem: Input/output error"},
      {work.FilePath("none.tsv"), "cannot open " + work.FilePath("none.tsv") + ": No such file or directory"},
  };
  for (const auto& [input, message] : cases) {
    const TRun run = Run({"import", input, target});
    EXPECT_EQ(run.Status, 1) << input;
    EXPECT_EQ(run.Err, "orlinar-data: " + message + "\n");
    EXPECT_TRUE(!std::filesystem::exists(target) || std::filesystem::is_empty(target)) << input;
  }
}

TEST_F(Tool, AFailedExportLeavesNoOutputFile) {
  const std::string output = work.FilePath("out.tsv");
  TRun run = Run({"export", work.FilePath("none"), output});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "orlinar-data: cannot read " + work.FilePath("none/Cities.dbr") + ": no such folder (error 3)\n");
  EXPECT_EQ(FileNames(work.Path()), std::vector<std::string>{});

  work.Write("out.tsv", "old");
  work.Write("Cities.dbr", "");
  work.Write("Streets.dbr", "");
  run = Run({"export", work.Path(), output});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(FileBytes(output), "old");
  EXPECT_EQ(FileNames(work.Path()), (std::vector<std::string>{"Cities.dbr", "Streets.dbr", "out.tsv"}));
}

TEST_F(Tool, ExportNamesADataFileThatIsNotARegularFile) {
  work.Write("Cities.dbr", "");
  work.Write("Streets.dbr", "");
  std::filesystem::create_symlink("/dev/null", work.FilePath("Phones.dbr"));
  const TRun run = Run({"export", work.Path(), "-"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "orlinar-data: cannot read " + work.FilePath("Phones.dbr") + ": not a regular file (error 5)\n");
  EXPECT_EQ(run.Out, "");
}

TEST_F(Tool, ExportWritesAFileOrStandardOutput) {
  work.Write("in.tsv", OldText);
  ASSERT_EQ(Run({"import", work.FilePath("in.tsv"), work.FilePath("d")}).Status, 0);
  EXPECT_EQ(Run({"export", work.FilePath("d"), work.FilePath("out.tsv")}).Status, 0);
  EXPECT_EQ(FileBytes(work.FilePath("out.tsv")), OldText);
  const TRun run = Run({"export", work.FilePath("d"), "-"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, OldText);
}

TEST_F(Tool, AnInterruptedImportLeavesTheOldFilesAndNoTemporaries) {
  const std::string directory = work.FilePath("d");
  work.Write("old.tsv", OldText);
  ASSERT_EQ(Run({"import", work.FilePath("old.tsv"), directory}).Status, 0);
  const std::vector<std::string> before = FileNames(directory);
  EXPECT_EQ(KillImportWhileWriting(directory, SIGTERM).Status, 128 + SIGTERM);
  EXPECT_EQ(FileNames(directory), before);
  EXPECT_EQ(Reads(directory), OldText);
}

TEST_F(Tool, TheNextImportRemovesWhatAKilledImportLeftAndNothingElse) {
  const std::string directory = work.FilePath("d");
  WritePlainDirectory(directory);
  const std::vector<std::string> foreign{".Phones.dbr.keep", ".orlinar-generation-mine", "notes.txt"};
  for (const std::string& name : foreign) std::ofstream(directory + "/" + name) << "mine";
  std::ofstream(directory + "/.Phones.dbr.Ab12Cd") << "left by an earlier version";
  EXPECT_EQ(KillImportWhileWriting(directory, SIGKILL).Status, 128 + SIGKILL);
  EXPECT_EQ(Reads(directory), OldText);
  work.Write("new.tsv", NewText);
  ASSERT_EQ(Run({"import", work.FilePath("new.tsv"), directory}).Status, 0);
  EXPECT_EQ(Reads(directory), NewText);
  EXPECT_EQ(LayoutOf(directory), ManagedLayout(foreign));
}

TEST_F(Tool, AnImportKilledAtAnyMomentLeavesTheOldOrTheNewDirectory) {
  const std::string directory = work.FilePath("d");
  work.Write("old.tsv", OldText);
  work.Write("new.tsv", NewText);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(Run({"import", work.FilePath("new.tsv"), work.FilePath("timed")}).Status, 0);
  const auto took = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);
  std::mt19937 random(21);
  for (int round = 0; round < 20; ++round) {
    // Odd rounds start from plain files, even ones from a directory the tool wrote.
    std::filesystem::remove_all(directory);
    WritePlainDirectory(directory);
    if (round % 2 == 0) {
      ASSERT_EQ(Run({"import", work.FilePath("old.tsv"), directory}).Status, 0);
    }
    const auto delay = std::chrono::microseconds(random() % (took.count() + 1));
    const pid_t pid = Start({"import", work.FilePath("new.tsv"), directory});
    std::this_thread::sleep_for(delay);
    ::kill(pid, SIGKILL);
    Finish(pid);
    const std::string text = Reads(directory);
    EXPECT_TRUE(text == OldText || text == NewText)
        << "round " << round << ", killed after " << delay.count() << " µs: " << text;
  }
}

TEST_F(Tool, ImportNeverLeavesANameReplacedAndAnotherNot) {
  const std::string directory = work.FilePath("d");
  WritePlainDirectory(directory);
  const std::string cities = FileBytes(directory + "/Cities.dbr");
  const std::string streets = FileBytes(directory + "/Streets.dbr");
  std::filesystem::remove(directory + "/Phones.dbr");
  std::filesystem::create_directory(directory + "/Phones.dbr");
  work.Write("new.tsv", NewText);
  const TRun run = Run({"import", work.FilePath("new.tsv"), directory});
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Err.find(directory + "/Phones.dbr is a folder"), std::string::npos) << run.Err;
  EXPECT_EQ(FileBytes(directory + "/Cities.dbr"), cities);
  EXPECT_EQ(FileBytes(directory + "/Streets.dbr"), streets);
}

TEST_F(Tool, ExportWritesANamedPipeOrADeviceInPlace) {
  const std::string directory = work.FilePath("d");
  WritePlainDirectory(directory);
  const std::string fifo = work.FilePath("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Open before the tool, so that its open for writing does not wait; the text fits the pipe.
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(Run({"export", directory, fifo}).Status, 0);
  std::string text(4096, '\0');
  text.resize(static_cast<size_t>(std::max<ssize_t>(::read(reader, text.data(), text.size()), 0)));
  ::close(reader);
  EXPECT_EQ(text, OldText);
  EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));

  if (::geteuid() != 0) GTEST_SKIP() << "not root: cannot make a character device to export into";
  const std::string device = work.FilePath("null");
  ASSERT_EQ(::mknod(device.c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
  const TRun run = Run({"export", directory, device});
  if (run.Err.find("Permission denied") != std::string::npos) GTEST_SKIP() << "the scratch folder refuses devices";
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(S_ISCHR(ModeOf(device)));
}

TEST_F(Tool, ALinkIsFollowedOnlyWhereNoOtherUserCanHavePlantedIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "not root: cannot give a folder or a link to another user";
  const std::string directory = work.FilePath("d");
  WritePlainDirectory(directory);
  constexpr uid_t Other = 4242;
  struct TCase {
    mode_t FolderMode;
    uid_t FolderOwner, LinkOwner;
    bool Followed;
  };
  const TCase cases[] = {
      {0777, Other, Other, false}, {0755, Other, Other, false}, {01777, 0, Other, false},
      {0775, 0, 0, false},         {01777, 0, 0, true},         {0755, 0, Other, true},
  };
  for (const TCase& c : cases) {
    const std::string shared = work.FilePath("shared"), victim = work.FilePath("victim");
    std::filesystem::remove_all(shared);
    std::filesystem::create_directory(shared);
    work.Write("victim", "precious");
    ASSERT_EQ(::symlink(victim.c_str(), (shared + "/out.tsv").c_str()), 0);
    ASSERT_EQ(::lchown((shared + "/out.tsv").c_str(), c.LinkOwner, c.LinkOwner), 0);
    ASSERT_EQ(::chown(shared.c_str(), c.FolderOwner, c.FolderOwner), 0);
    ASSERT_EQ(::chmod(shared.c_str(), c.FolderMode), 0);
    const TRun run = Run({"export", directory, shared + "/out.tsv"});
    std::ostringstream label;
    label << "folder mode " << std::oct << c.FolderMode << std::dec << " of " << c.FolderOwner << ", link of "
          << c.LinkOwner;
    EXPECT_EQ(run.Status, c.Followed ? 0 : 1) << label.str() << ": " << run.Err;
    EXPECT_EQ(FileBytes(victim), c.Followed ? OldText : "precious") << label.str();
    if (!c.Followed) {
      EXPECT_NE(run.Err.find("refusing to follow the link " + shared + "/out.tsv"), std::string::npos) << run.Err;
    }
  }
}

TEST_F(Tool, ANewFileTakesTheModeOfTheOneItReplacesWithoutSpecialBits) {
  const std::string directory = work.FilePath("d");
  WritePlainDirectory(directory);
  ASSERT_EQ(::chmod((directory + "/Phones.dbr").c_str(), 04755), 0);
  ASSERT_EQ(::chmod((directory + "/Cities.dbr").c_str(), 02640), 0);
  work.Write("new.tsv", NewText);
  ASSERT_EQ(Run({"import", work.FilePath("new.tsv"), directory}).Status, 0);
  EXPECT_EQ(ModeOf(directory + "/Phones.dbr", true) & 07777, 0755u);
  EXPECT_EQ(ModeOf(directory + "/Cities.dbr", true) & 07777, 0640u);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ASSERT_EQ(Run({"import", work.FilePath("new.tsv"), work.FilePath("fresh")}).Status, 0);
  EXPECT_EQ(ModeOf(work.FilePath("fresh/Streets.dbr"), true) & 07777, 0644u & ~mask);
}

TEST_F(Tool, ADanglingLinkStaysAndTheDirectoryIsWrittenWhereItPoints) {
  const std::string links = work.FilePath("links"), target = work.FilePath("target");
  std::filesystem::create_directories(links);
  std::filesystem::create_directories(target);
  for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) {
    std::filesystem::create_symlink(target + "/" + name, links + "/" + name);
  }
  work.Write("new.tsv", NewText);
  const TRun run = Run({"import", work.FilePath("new.tsv"), links});
  EXPECT_EQ(run.Status, 0) << run.Err;
  for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) {
    EXPECT_EQ(std::filesystem::read_symlink(links + "/" + name), target + "/" + name);
  }
  EXPECT_EQ(Reads(links), NewText);
  EXPECT_EQ(Reads(target), NewText);
}

TEST_F(Tool, AnEmptyInputChangesNothingUnlessAllowedAndDashIsStandardInput) {
  const std::string directory = work.FilePath("d");
  WritePlainDirectory(directory);
  work.Write("empty.tsv", "");
  TRun run = Run({"import", work.FilePath("empty.tsv"), directory});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "orlinar-data: nothing to import; the directory is unchanged\n");
  EXPECT_EQ(Reads(directory), OldText);
  ASSERT_EQ(Run({"import", "--allow-empty", "-", directory}, work.FilePath("empty.tsv")).Status, 0);
  EXPECT_EQ(Reads(directory), "");
  work.Write("new.tsv", NewText);
  run = Run({"import", "-", directory}, work.FilePath("new.tsv"));
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(Reads(directory), NewText);
}

namespace {

// "load 12.3 ms, search 4.5 ms\n": both figures in ms with one decimal.
bool IsTimeReport(const std::string& text) {
  size_t at = 0;
  auto literal = [&](std::string_view part) {
    if (text.compare(at, part.size(), part) != 0) return false;
    at += part.size();
    return true;
  };
  auto digit = [&] { return at < text.size() && text[at] >= '0' && text[at] <= '9' && ++at; };
  auto figure = [&] {
    if (!digit()) return false;
    while (digit()) {
    }
    return literal(".") && digit();
  };
  return literal("load ") && figure() && literal(" ms, search ") && figure() && literal(" ms\n") && at == text.size();
}

// Two cities and two streets whose names differ only in case, a number twice, a
// negative number and a name that cannot match without the engine's long work.
const std::string SearchedText =
    "7654321\tИванов Иван Иванович\tМосква\tул. Ленина\t12\tа\t45\n"
    "123\tПетров Пётр\tмосква\tул. Мира\t3\t\t1\n"
    "4567\tООО «Иван да Марья»\tТверь\tУЛ. ЛЕНИНА\t12\t2б\t0\n"
    "9994567\tСидорова Анна\tТверь\tул. Ленина\t7\tА\t45\n"
    "4567\tИванова Мария\tМосква\tпр-т Мира\t12\t\t7\n"
    "-5\tTab\\there\tОрёл\tул. Мира\t1\tкорп. 2\t2\n";

class ToolSearch : public Tool {
 protected:
  void SetUp() override {
    work.Write("searched.tsv", SearchedText);
    ASSERT_EQ(Run({"import", work.FilePath("searched.tsv"), directory}).Status, 0);
  }
  TRun Search(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"search", directory});
    return Run(arguments);
  }
  // The numbers of the lines printed, in their order.
  std::vector<std::string> Numbers(const TRun& run) {
    std::vector<std::string> numbers;
    std::istringstream lines(run.Out);
    for (std::string line; std::getline(lines, line);) numbers.push_back(line.substr(0, line.find('\t')));
    return numbers;
  }
  const std::string directory = work.FilePath("d");
};

using TNumbers = std::vector<std::string>;

}  // namespace

TEST_F(ToolSearch, PrintsTheLinesFoundAsImportReadsThemByNumberTextThenTableOrder) {
  const TRun run = Search({"--owner", "ИВАН"});
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  EXPECT_EQ(run.Out,
            "4567\tООО «Иван да Марья»\tТверь\tУЛ. ЛЕНИНА\t12\t2б\t0\n"
            "4567\tИванова Мария\tМосква\tпр-т Мира\t12\t\t7\n"
            "7654321\tИванов Иван Иванович\tМосква\tул. Ленина\t12\tа\t45\n");
  EXPECT_EQ(Numbers(Search({"--house", "1"})), TNumbers{"-5"});
  EXPECT_EQ(Numbers(Run({"search", "--owner=пётр", "--", directory})), TNumbers{"123"}) << "options first";
  EXPECT_EQ(Numbers(Search({"--phone=5"})), (TNumbers{"-5"})) << "the tail of a negative number";
  EXPECT_EQ(Numbers(Search({"--flat", "45", "--regex", "--owner", "."})), (TNumbers{"7654321", "9994567"}));
  // What search prints, import takes back unchanged.
  work.Write("found.tsv", Search({"--street", "ул. мира"}).Out);
  ASSERT_EQ(Run({"import", work.FilePath("found.tsv"), work.FilePath("again")}).Status, 0);
  EXPECT_EQ(Reads(work.FilePath("again")),
            "-5\tTab\\there\tОрёл\tул. Мира\t1\tкорп. 2\t2\n"
            "123\tПетров Пётр\tмосква\tул. Мира\t3\t\t1\n");
}

TEST_F(ToolSearch, OrdersNumbersOfAnyLengthByTheirTextsBytes) {
  const std::string longest = work.FilePath("longest");
  std::string text;
  for (const char* number :
       {"1000000000000000001", "-9223372036854775807", "100000000000000000", "-9223372036854775808",
        "1000000000000000000", "-922337203685477580", "1000000000000000001"}) {
    text += std::string(number) + "\tLong\t\t\t1\t\t1\n";
  }
  work.Write("longest.tsv", text);
  ASSERT_EQ(Run({"import", work.FilePath("longest.tsv"), longest}).Status, 0);
  EXPECT_EQ(Numbers(Run({"search", longest, "--owner", "long"})),
            (TNumbers{"-922337203685477580", "-9223372036854775807", "-9223372036854775808", "100000000000000000",
                      "1000000000000000000", "1000000000000000001", "1000000000000000001"}));
}

TEST_F(ToolSearch, EachCriterionAsTheWindowAppliesIt) {
  const std::pair<std::vector<std::string>, TNumbers> cases[] = {
      {{"--phone", "4567"}, {"4567", "4567", "9994567"}},
      {{"--phone", "567", "--house=7"}, {"9994567"}},
      {{"--owner", "  мария "}, {"4567"}},
      {{"--city", "МОСКВА"}, {"123", "4567", "7654321"}},
      {{"--city=тверь", "--street", "ул. ленина"}, {"4567", "9994567"}},
      {{"--house", "00012"}, {"4567", "4567", "7654321"}},
      {{"--corpus", "а"}, {"7654321", "9994567"}},
      {{"--flat", "0"}, {"4567"}},
      {{"--regex", "--phone", "^4"}, {"4567", "4567"}},
      {{"--regex", "--owner", "(?-i)^Иван"}, {"4567", "7654321"}},
      {{"--regex", "--corpus", "\\d$", "--city", "ОРЁЛ"}, {"-5"}},
      {{"--phone", "45"}, {}},
  };
  for (const auto& [arguments, numbers] : cases) {
    const TRun run = Search(arguments);
    const std::string label = ::testing::PrintToString(arguments);
    EXPECT_EQ(Numbers(run), numbers) << label << ": " << run.Err;
    EXPECT_EQ(run.Status, numbers.empty() ? 1 : 0) << label;
  }
}

// However it forgives, a forgiving search keeps what the exact one finds.
TEST_F(ToolSearch, AForgivingSearchFindsAtLeastTheExactLines) {
  for (const std::vector<std::string>& criteria :
       {std::vector<std::string>{"--owner", "иван"}, {"--corpus", "А", "--city", "Тверь"}, {"--phone", "4567"}}) {
    std::vector<std::string> forgiving = criteria;
    forgiving.push_back("--for");
    const TRun exact = Search(criteria), loose = Search(forgiving);
    EXPECT_EQ(loose.Status, 0) << loose.Err;
    std::istringstream lines(exact.Out);
    for (std::string line; std::getline(lines, line);)
      EXPECT_NE(loose.Out.find(line + "\n"), std::string::npos) << line;
  }
}

TEST_F(ToolSearch, CountsAndTimesOnRequestAndExitsOneWhenNothingIsFound) {
  TRun run = Search({"--city", "москва", "--count"});
  EXPECT_EQ(run.Status, 0);
  EXPECT_EQ(run.Out, "3\n");
  run = Search({"--owner", "Яковлев", "--count", "--time"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Out, "0\n");
  EXPECT_TRUE(IsTimeReport(run.Err)) << run.Err;
  run = Search({"--corpus", "ъ"});
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Out + run.Err, "");
}

TEST_F(ToolSearch, WrongArgumentsAreRefusedBeforeTheDirectoryIsRead) {
  const std::string absent = work.FilePath("absent");
  const std::string form = "expected search DIRECTORY CRITERION... [--regex | --forgiving] [--count] [--time]";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"search"}, "missing DIRECTORY: " + form},
      {{"search", absent, "d2", "--flat=1"}, "too many arguments: " + form},
      {{"search", absent},
       "at least one criterion is required: --phone, --owner, --city, --street, --house, "
       "--corpus or --flat"},
      {{"search", absent, "--owner", " ", "--city="},
       "at least one criterion is required: --phone, --owner, "
       "--city, --street, --house, --corpus or --flat"},
      {{"search", absent, "--owner", "a", "--owner=b"}, "option '--owner' given twice"},
      {{"search", absent, "--owner", "a", "--ow=b"}, "option '--owner' given twice"},
      {{"search", absent, "--owner"}, "option '--owner' needs a value"},
      {{"search", absent, "--regex=yes", "--owner=a"}, "option '--regex' takes no value"},
      {{"search", absent, "--colour=red"}, "unknown option '--colour=red': " + form},
      {{"search", absent, "-o", "a"}, "unknown option '-o': " + form},
      {{"search", absent, "--c", "a"}, "ambiguous option '--c': --city, --corpus, --count"},
      {{"search", absent, "--f", "1"}, "ambiguous option '--f': --flat, --forgiving"},
      {{"search", absent, "--forgiving", "--regex", "--owner", "a"}, "--regex and --forgiving exclude each other"},
      {{"search", absent, "--forgiving"},
       "at least one criterion is required: --phone, --owner, --city, --street, "
       "--house, --corpus or --flat"},
      {{"search", absent, "--house", "12a"}, "--house must be 1 to 5 digits, not '12a'"},
      {{"search", absent, "--flat", "123456"}, "--flat must be 1 to 5 digits, not '123456'"},
      {{"search", absent, "--phone", "+7"}, "--phone must be digits, not '+7'"},
      {{"search", absent, "--owner", "日本"},
       "--owner must be UTF-8 text of characters that Windows-1251 has, not '日本'"},
  };
  for (const auto& [arguments, message] : cases) {
    const TRun run = Run(arguments);
    EXPECT_EQ(run.Status, 2) << message;
    EXPECT_EQ(run.Err, "orlinar-data: " + message + "\nTry 'orlinar-data --help' for more information.\n");
    EXPECT_EQ(run.Out, "");
  }
  // An expression is compiled first: the directory that does not exist is never reached.
  const TRun run = Run({"search", absent, "--regex", "--phone", "^8", "--owner", "(иван"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Err,
            "orlinar-data: the --owner expression does not compile: TRegExpr(comp): ParseReg Unmatched () "
            "(pos 5) (error 103)\n");
}

TEST_F(ToolSearch, FailuresExitTwoNamingTheCauseAndPrintNoLine) {
  TRun run = Run({"search", work.FilePath("absent"), "--owner", "иван"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Err,
            "orlinar-data: cannot read " + work.FilePath("absent/Cities.dbr") + ": no such folder (error 3)\n");
  run = Search({"--city", "Москва", "--street", "пр-т Ленина"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Err, "orlinar-data: no street named 'пр-т Ленина' in " + directory + "\n");
  EXPECT_EQ(Search({"--city", "Моск"}).Status, 2) << "a name is matched whole";

  // Lines found before the record that stops the engine are not printed either.
  work.Write("runaway.tsv", SearchedText + "1\t" + std::string(60, 'a') + "!b\tТверь\t\t1\t\t1\n");
  ASSERT_EQ(Run({"import", work.FilePath("runaway.tsv"), directory}).Status, 0);
  run = Search({"--regex", "--owner", "(a+)+\\1b|Иван"});
  EXPECT_EQ(run.Status, 2);
  EXPECT_EQ(run.Err, "orlinar-data: the search stopped: TRegExpr(exec): Too Many Backtracking Steps (error 1017)\n");
  EXPECT_EQ(run.Out, "");
}
