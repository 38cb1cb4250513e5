// Any bytes as a tab-separated input of the data tool. Import never crashes and
// refuses only with ETsvError; an input it accepts must come back from export byte
// for byte, each line ended by a line feed alone. Import writes to memory, and
// export reads the three files from a scratch folder.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/data/support/DirectoryFiles.h"
#include "tools/DirectoryTsv.h"

namespace {

class TMemoryFiles final : public TDataFileSet {
 public:
  void Write(TDataFileKind file, std::string_view bytes) override { files_[static_cast<size_t>(file)] += bytes; }
  void Commit() override {
    static const TTempDirectory scratch;
    scratch.Write("Cities.dbr", files_[0]);
    scratch.Write("Streets.dbr", files_[1]);
    scratch.Write("Phones.dbr", files_[2]);
    folder_ = &scratch;
  }
  const TTempDirectory* Folder() const { return folder_; }

 private:
  std::string files_[3];
  const TTempDirectory* folder_ = nullptr;
};

// The input as export writes it: a CR LF line end as LF, and a last line ended.
std::string ExportedForm(std::string_view input) {
  std::string text;
  while (!input.empty()) {
    const size_t end = input.find('\n');
    std::string_view line = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    text.append(line).push_back('\n');
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  TMemoryFiles files;
  try {
    ImportTsv(
        [rest = input](char* buffer, size_t room) mutable {
          const size_t count = rest.copy(buffer, room);
          rest.remove_prefix(count);
          return count;
        },
        files, TEmptyInput::Allowed);
  } catch (const ETsvError&) {
    if (files.Folder()) std::abort();  // refused, yet committed
    return 0;
  }
  std::string exported;
  ExportTsv(files.Folder()->Path(), [&](std::string_view text) { exported += text; });
  if (exported != ExportedForm(input)) {
    std::fprintf(stderr, "export gave back\n%s\ninstead of\n%s\n", exported.c_str(), ExportedForm(input).c_str());
    std::abort();
  }
  return 0;
}
