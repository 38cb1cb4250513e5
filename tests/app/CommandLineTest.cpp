// Which arguments are the program's, which are Qt's, and which are refused.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"

namespace {

struct TCase {
  std::vector<const char*> Arguments;  // after the program's name
  TCommand Command;
  std::string Option = "";  // the argument at fault
  int QtArgumentCount = 0;  // 0: all of them
};

void Expect(const std::vector<TCase>& cases) {
  for (TCase test : cases) {
    test.Arguments.insert(test.Arguments.begin(), "orlinar");
    const int argc = static_cast<int>(test.Arguments.size());
    const TCommandLine line = ReadCommandLine(argc, test.Arguments.data());
    const std::string shown = testing::PrintToString(test.Arguments);
    EXPECT_EQ(line.Command, test.Command) << shown;
    EXPECT_EQ(line.Option, test.Option) << shown;
    if (test.Command != TCommand::Run) continue;
    EXPECT_EQ(line.QtArgumentCount, test.QtArgumentCount == 0 ? argc : test.QtArgumentCount) << shown;
  }
}

TEST(CommandLine, TheFirstOfHelpVersionOrAWrongOptionDecides) {
  Expect({{{"--help"}, TCommand::Help},
          {{"-reverse", "file", "--version"}, TCommand::Version},
          {{"--help", "--version"}, TCommand::Help},
          {{"--version", "--bogus"}, TCommand::Version},
          {{"--bogus", "--help"}, TCommand::UnknownOption, "--bogus"}});
  for (const char* option : {"-x", "-h", "--helpme", "-help", "--ver", "-platformx", "-reverse=1", "-platform=xcb"})
    Expect({{{option}, TCommand::UnknownOption, option}});
}

TEST(CommandLine, QtOptionsPassWithTheirValuesEvenWhenTheseLookLikeOptions) {
  Expect({{{}, TCommand::Run},
          {{"-platform", "offscreen", "--platform", "xcb"}, TCommand::Run},
          {{"-style", "fusion", "-style=fusion", "--stylesheet=a.qss", "-qmljsdebugger=port:1234"}, TCommand::Run},
          {{"-geometry", "640x480+10+10", "-display", ":1", "-reverse", "-widgetcount"}, TCommand::Run},
          {{"-platform", "--help", "-qwindowtitle", "--bogus"}, TCommand::Run},
          {{"-platform"}, TCommand::MissingValue, "-platform"},
          {{"-reverse", "--style"}, TCommand::MissingValue, "--style"},
          {{"-display", "--", "x"}, TCommand::MissingValue, "-display"},
          {{"-qmljsdebugger"}, TCommand::UnknownOption, "-qmljsdebugger"}});
}

TEST(CommandLine, DoubleDashEndsTheOptionsAndKeepsTheRestFromQt) {
  Expect({{{"-reverse", "--", "--help", "-platform", "x", "--bogus"}, TCommand::Run, "", 2},
          {{"--"}, TCommand::Run, "", 1},
          {{"file", "-", "Phones.dbr"}, TCommand::Run}});
}

}  // namespace
