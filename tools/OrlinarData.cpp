// orlinar-data: writes a generated directory, converts a directory to and from
// a tab-separated UTF-8 text, or searches one.

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <optional>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

#include "tools/CommandLine.h"
#include "tools/DirectoryGenerator.h"
#include "tools/DirectoryTsv.h"
#include "tools/OutputFile.h"
#include "tools/SearchCommand.h"
#include "tools/Temporaries.h"

namespace {

constexpr const char* Help =
    "Usage: orlinar-data COMMAND ARGUMENTS...\n"
    "Writes the data files of the Orlinar telephone directory (Cities.dbr, Streets.dbr,\n"
    "Phones.dbr) or reads them back.\n"
    "\n"
    "  orlinar-data import [--allow-empty] FILE.tsv DIRECTORY\n"
    "                                                write DIRECTORY's .dbr files from a tab-separated file\n"
    "                                                ('-' reads standard input)\n"
    "  orlinar-data export DIRECTORY FILE.tsv        write DIRECTORY's .dbr files out as a tab-separated file\n"
    "                                                ('-' writes to standard output)\n"
    "  orlinar-data generate DIRECTORY LINES [SEED]  write a synthetic directory of LINES phone lines\n"
    "                                                (SEED 0 to 4294967295, default 1)\n"
    "  orlinar-data search DIRECTORY CRITERION... [--regex | --forgiving] [--count] [--time]\n"
    "                                                print DIRECTORY's lines that meet every criterion,\n"
    "                                                as a tab-separated file\n"
    "  orlinar-data --help                           show this help\n"
    "  orlinar-data --version                        show the version\n"
    "\n"
    "A tab-separated file is UTF-8 without a byte-order mark and has no header line; each\n"
    "line, ended by LF or CR LF, holds seven fields: number, subscriber, city, street,\n"
    "house, corpus, flat.\n"
    "The number is a signed 64-bit whole number in decimal: an optional minus, then 1 to\n"
    "19 digits without leading zeros (0, not -0). House and flat are 0 to 65535, without\n"
    "leading zeros. Subscriber and corpus hold at most 127 bytes of Windows-1251 (one byte\n"
    "per character), city and street at most 255; there are at most 65535 distinct city\n"
    "names and as many street names. A line is never empty and holds no NUL byte;\n"
    "\\\\ \\t \\n \\r \\0 in a field stand for a backslash, tab, line feed, carriage return and NUL.\n"
    "An input without lines is refused (\"nothing to import; the directory is unchanged\")\n"
    "unless --allow-empty is given.\n"
    "\n"
    "Import and generate check everything first and then replace the three files as one:\n"
    "the folder they lie in holds the whole old directory or the whole new one at every\n"
    "moment. A link to a file is followed unless someone other than you or root could\n"
    "have planted it. A new file takes the permissions of the one it replaces, without the\n"
    "set-user-id, set-group-id and sticky bits. Export writes a device or a named pipe in\n"
    "place.\n"
    "\n"
    "Search criteria, each at most once, as --NAME VALUE or --NAME=VALUE; at least one:\n"
    "  --phone=DIGITS  the number ends with DIGITS\n"
    "  --owner=TEXT    the subscriber holds TEXT, ignoring case\n"
    "  --city=NAME     the city is NAME, ignoring case: every city of that name\n"
    "  --street=NAME   the street is NAME, ignoring case: every street of that name\n"
    "  --house=NUMBER  the house is NUMBER, 1 to 5 digits\n"
    "  --corpus=TEXT   the corpus holds TEXT, ignoring case\n"
    "  --flat=NUMBER   the flat is NUMBER, 1 to 5 digits\n"
    "  --regex         phone, owner and corpus are regular expressions, case-insensitive\n"
    "                  unless they say (?-i)\n"
    "  --forgiving     read the texts as the window's forgiving search does; not with\n"
    "                  --regex\n"
    "  --count         print only the number of lines found\n"
    "  --time          write the load and the search time in milliseconds to standard error\n"
    "Search prints the lines as export writes them, ordered by the number's text byte by\n"
    "byte, lines of equal numbers in the directory's order. A city or street that the\n"
    "directory does not name is an error.\n"
    "\n"
    "Exit status: 0 on success, 1 when a command fails, 2 for wrong arguments; search\n"
    "exits with 0 when lines are found, 1 when none are, 2 for any error.\n";

constexpr const char* Licence =
    "Copyright (C) 2026 Orlinar maintainers\n"
    "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

using TArguments = std::span<char* const>;

void RequireArguments(TArguments arguments, size_t least, size_t most, const char* form) {
  if (arguments.size() < least || arguments.size() > most) {
    throw EUsageError(std::string(arguments.size() < least ? "too few" : "too many") + " arguments: expected " + form);
  }
  for (const char* argument : arguments) {
    if (*argument == '\0') throw EUsageError(std::string("an empty argument: expected ") + form);
  }
}

template <typename T>
T WholeNumber(std::string_view text, const char* name) {
  T value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() || std::cmp_less(value, 0)) {
    throw EUsageError(std::string(name) + " must be a whole number from 0 to " +
                      std::to_string(std::numeric_limits<T>::max()) + ", not '" + std::string(text) + "'");
  }
  return value;
}

size_t ReadStandardInput(char* buffer, size_t size) {
  for (;;) {
    const ssize_t got = ::read(STDIN_FILENO, buffer, size);
    if (got >= 0) return static_cast<size_t>(got);
    if (errno != EINTR) throw std::runtime_error(std::string("cannot read standard input: ") + std::strerror(errno));
  }
}

void CreateDirectory(const std::string& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) throw std::runtime_error("cannot create the folder " + directory + ": " + error.message());
}

void Generate(TArguments arguments) {
  RequireArguments(arguments, 2, 3, "generate DIRECTORY LINES [SEED]");
  const int lines = WholeNumber<int>(arguments[1], "LINES");
  const uint32_t seed = arguments.size() == 3 ? WholeNumber<uint32_t>(arguments[2], "SEED") : 1;
  CreateDirectory(arguments[0]);
  GenerateDirectory(arguments[0], lines, seed);
}

void Import(TArguments arguments) {
  constexpr const char* Form = "import [--allow-empty] FILE.tsv DIRECTORY";
  TEmptyInput empty = TEmptyInput::Refused;
  std::vector<char*> files;
  for (char* argument : arguments) {
    const std::string_view text = argument;
    if (text == "--allow-empty") {
      empty = TEmptyInput::Allowed;
    } else if (text.starts_with("--")) {
      throw EUsageError("unknown option '" + std::string(text) + "': expected " + Form);
    } else {
      files.push_back(argument);
    }
  }
  RequireArguments(files, 2, 2, Form);
  std::optional<TInputFile> tsv;
  if (std::string_view(files[0]) != "-") tsv.emplace(files[0]);
  const TLineReader::TRead read = [&](char* buffer, size_t size) {
    return tsv ? tsv->Read(buffer, size) : ReadStandardInput(buffer, size);
  };
  CreateDirectory(files[1]);
  ImportTsv(read, files[1], empty);
}

void ExportToStandardOutput(const std::string& directory) {
  ExportTsv(directory, [](std::string_view text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
      throw std::runtime_error("cannot write to standard output");
    }
  });
  if (std::fflush(stdout) != 0) throw std::runtime_error("cannot write to standard output");
}

void Export(TArguments arguments) {
  RequireArguments(arguments, 2, 2, "export DIRECTORY FILE.tsv");
  const std::string output = arguments[1];
  if (output == "-") return ExportToStandardOutput(arguments[0]);
  // Opened once the directory is read: a failed read leaves the target untouched.
  std::optional<TOutputFile> file;
  ExportTsv(arguments[0], [&](std::string_view text) {
    if (!file) file.emplace(output);
    file->Write(text);
  });
  if (!file) file.emplace(output);
  file->Commit();
}

// The exit status of a command that succeeds.
int Run(TArguments arguments) {
  if (arguments.empty()) throw EUsageError("missing command: expected import, export, generate or search");
  const std::string_view command = arguments[0];
  const TArguments rest = arguments.subspan(1);
  if (command == "--help") {
    RequireArguments(rest, 0, 0, "--help alone");
    std::cout << Help;
  } else if (command == "--version") {
    RequireArguments(rest, 0, 0, "--version alone");
    std::cout << "orlinar-data " ORLINAR_VERSION "\n" << Licence;
  } else if (command == "import") {
    Import(rest);
  } else if (command == "export") {
    Export(rest);
  } else if (command == "generate") {
    Generate(rest);
  } else if (command == "search") {
    return SearchCommand(rest);
  } else if (command.starts_with('-')) {
    throw EUsageError("unknown option '" + std::string(command) + "': expected --help or --version");
  } else {
    throw EUsageError("unknown command '" + std::string(command) + "': expected import, export, generate or search");
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  RemoveTemporariesOnSignals();
  try {
    const int status = Run(TArguments(argv + 1, static_cast<size_t>(argc > 0 ? argc - 1 : 0)));
    std::cout.flush();
    if (!std::cout) throw std::runtime_error("cannot write to standard output");
    return status;
  } catch (const EUsageError& error) {
    std::cerr << "orlinar-data: " << error.what() << "\nTry 'orlinar-data --help' for more information.\n";
    return 2;
  } catch (const ECommandError& error) {
    std::cerr << "orlinar-data: " << error.what() << '\n';
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "orlinar-data: " << error.what() << '\n';
    return 1;
  }
}
