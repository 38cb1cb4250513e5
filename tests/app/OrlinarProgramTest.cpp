// The built program answering its command line as from a console login, where no
// display can be reached: what it prints, where, and its exit code.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct TRun {
  int Status = -1;  // exit status, or 128 + the signal that ended the program
  std::string Out, Err;
};

// arguments: shell words.
TRun RunProgram(const std::string& arguments) {
  // ctest runs the cases of this file side by side.
  const std::string err = testing::TempDir() + "orlinar-" + std::to_string(::getpid()) + ".err";
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" ORLINAR_PROGRAM "' " +
                              arguments + " 2>'" + err + "' </dev/null";
  FILE* program = ::popen(command.c_str(), "r");
  EXPECT_NE(program, nullptr);
  TRun run;
  for (int c; (c = std::fgetc(program)) != EOF;) run.Out += static_cast<char>(c);
  const int status = ::pclose(program);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::ifstream errors(err, std::ios::binary);
  run.Err.assign(std::istreambuf_iterator<char>(errors), {});
  std::remove(err.c_str());
  return run;
}

TEST(OrlinarProgram, HelpAndVersionGoToStandardOutput) {
  const TRun help = RunProgram("--help");
  EXPECT_EQ(help.Status, 0) << help.Err;
  EXPECT_EQ(help.Err, "");
  EXPECT_TRUE(help.Out.starts_with("Использование: orlinar")) << help.Out;
  for (const char* text : {"«Орлинар»", "Cities.dbr", "Streets.dbr", "Phones.dbr", "--version", "-platform", "-style",
                           "-geometry", "-display", "-reverse"})
    EXPECT_NE(help.Out.find(text), std::string::npos) << text;
  const TRun version = RunProgram("-platform xcb --version");
  EXPECT_EQ(version.Status, 0) << version.Err;
  EXPECT_EQ(version.Out, "orlinar " ORLINAR_VERSION "\n");
  EXPECT_EQ(version.Err, "");
}

TEST(OrlinarProgram, WrongOptionsEndWithTwoAndAHintOnStandardError) {
  for (const auto& [arguments, message] :
       {std::pair{"-style=fusion --bogus --help", "orlinar: неизвестный параметр «--bogus»\n"},
        std::pair{"-reverse -platform", "orlinar: параметру «-platform» нужно значение\n"}}) {
    const TRun run = RunProgram(arguments);
    EXPECT_EQ(run.Status, 2) << message;
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, std::string(message) + "Справка: orlinar --help\n");
  }
}

}  // namespace
