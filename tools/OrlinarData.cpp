// orlinar-data: writes a generated directory, or converts a directory to and from
// a tab-separated UTF-8 text.

#include <filesystem>
#include <fstream>
#include <iostream>

#include "DirectoryGenerator.h"
#include "DirectoryTsv.h"

namespace {

constexpr const char* Usage =
    "usage:\n"
    "  orlinar-data generate DIRECTORY LINES [SEED]   write a synthetic directory of LINES phone lines\n"
    "  orlinar-data import FILE.tsv DIRECTORY         write the .dbr files from a tab-separated file\n"
    "  orlinar-data export DIRECTORY FILE.tsv         write the .dbr files out as a tab-separated file ('-' = stdout)\n"
    "Tab-separated lines: number, subscriber, city, street, house, corpus, flat (UTF-8;\n"
    "\\\\ \\t \\n \\r \\0 stand for a backslash, tab, line feed, carriage return and NUL).\n";

int Generate(const std::string& directory, const std::string& lines, const std::string& seed) {
  const int count = std::stoi(lines);
  if (count < 0) throw std::invalid_argument("LINES must not be negative");
  std::filesystem::create_directories(directory);
  GenerateDirectory(directory, count, static_cast<uint32_t>(std::stoul(seed)));
  return 0;
}

int Import(const std::string& file, const std::string& directory) {
  std::ifstream tsv(file, std::ios::binary);
  if (!tsv) throw std::runtime_error("cannot open " + file);
  std::filesystem::create_directories(directory);
  ImportTsv(tsv, directory);
  return 0;
}

int Export(const std::string& directory, const std::string& file) {
  if (file == "-") {
    ExportTsv(directory, std::cout);
    return 0;
  }
  std::ofstream tsv(file, std::ios::binary | std::ios::trunc);
  if (!tsv) throw std::runtime_error("cannot create " + file);
  ExportTsv(directory, tsv);
  return 0;
}

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "generate" && (argc == 4 || argc == 5)) return Generate(argv[2], argv[3], argc == 5 ? argv[4] : "1");
  if (command == "import" && argc == 4) return Import(argv[2], argv[3]);
  if (command == "export" && argc == 4) return Export(argv[2], argv[3]);
  std::cerr << Usage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    std::cerr << "orlinar-data: " << error.what() << '\n';
    return 1;
  }
}
