// Feeds inputs to a fuzz target without libFuzzer, so that every build, with any
// compiler and sanitizer, replays the checked-in corpus as an ordinary test.
// Arguments are folders (each regular file in them, in name order; dot files are
// skipped) or single files. A missing argument or no input at all is a failure,
// so that a mistyped folder cannot pass as an empty one.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsIn(const fs::path& folder) {
  std::vector<fs::path> inputs;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.')) inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

// A buffer of exactly the input's size, as libFuzzer passes it, so that the
// sanitizers catch a read past its end.
void Replay(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const auto data = std::make_unique<uint8_t[]>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), data.get());
  LLVMFuzzerTestOneInput(data.get(), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path place(argv[i]);
    if (fs::is_directory(place)) {
      const std::vector<fs::path> found = InputsIn(place);
      inputs.insert(inputs.end(), found.begin(), found.end());
    } else if (fs::is_regular_file(place)) {
      inputs.push_back(place);
    } else {
      std::fprintf(stderr, "no such folder or file: %s\n", argv[i]);
      return 2;
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "no inputs to replay\n");
    return 2;
  }
  // Each name goes out before its run, so the last one shown is the input that failed.
  for (const fs::path& input : inputs) {
    std::fprintf(stderr, "%s\n", input.c_str());
    Replay(input);
  }
  std::fprintf(stderr, "%zu inputs replayed\n", inputs.size());
  return 0;
}
