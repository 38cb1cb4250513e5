#pragma once
// The program's own options, read before the application object exists: answering
// --help, --version or a wrong option must not need a display.

#include <cstdio>
#include <string>

enum class TCommand { Run, Help, Version, UnknownOption, MissingValue };

struct TCommandLine {
  TCommand Command = TCommand::Run;
  std::string Option;       // the argument at fault, for UnknownOption and MissingValue
  int QtArgumentCount = 1;  // the program's name and the arguments before "--": Qt reads only these
};

// The first of --help, --version or a wrong option decides; Qt's options and their
// values are passed over, and arguments not starting with "-" are not options.
TCommandLine ReadCommandLine(int argc, const char* const* argv);

// Prints the help or the version to out, or the fault to err; returns the exit code.
int AnswerCommandLine(const TCommandLine& line, std::FILE* out, std::FILE* err);

constexpr int kUsageErrorExitCode = 2;
