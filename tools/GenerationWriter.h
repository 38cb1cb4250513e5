#pragma once
// Writes a directory as a new generation of its data folder (DataFolder.h) and
// switches to it with one rename, so that after a crash, a kill -9 or a failed
// step at any moment the folder reads as the whole old directory or the whole new
// one. A folder of plain files is first made a generation of its own (hard links,
// or copies where the file system refuses them), then each name becomes its link,
// each still showing the old file; only then does the new generation come in.
//
// Another writer of the same folder is refused while one works. Each writer first
// removes what a killed one left: generation folders other than the current one
// and temporaries, by the tool's own name patterns, in the data folder only, and
// in a generation folder only the three data files.

#include <sys/types.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "tools/BufferedFile.h"
#include "tools/DataFileSet.h"
#include "tools/DataFolder.h"
#include "tools/GenerationFolder.h"

class TGenerationWriter final : public TDataFileSet {
 public:
  // Runs after each step of Commit that changes what the folder holds; a test
  // ends the process there as a crash would.
  using TStepHook = std::function<void()>;

  // Finds and locks the data folder, removes leftovers and starts the new
  // generation. Throws std::runtime_error saying why it cannot.
  explicit TGenerationWriter(const std::string& directory, TStepHook afterStep = {});
  ~TGenerationWriter() override;  // an unfinished generation goes again

  void Write(TDataFileKind file, std::string_view bytes) override;
  void Commit() override;

 private:
  enum class TShown { Nothing, PlainFile, ManagedLink };

  void Lock() const;
  void Inspect();
  void RemoveLeftovers(const std::string& current) const;
  int ShownFolder(size_t file) const;
  std::string ShownPath(size_t file) const;
  mode_t ModeShown(size_t file) const;
  mode_t FolderMode() const;
  void Snapshot(size_t file, const TGenerationFolder& into) const;
  void SwitchTo(TGenerationFolder& generation);
  void LinkName(size_t file) const;
  std::string PathOf(std::string_view name) const { return folder_.Path + "/" + std::string(name); }
  void Step() const {
    if (afterStep_) afterStep_();
  }

  TDataFolder folder_;
  TStepHook afterStep_;
  std::array<TShown, 3> shown_{};
  std::array<mode_t, 3> modes_{};
  std::string current_;  // the generation .orlinar-current names, or "" when it names none
  TDescriptor currentFolder_;
  std::unique_ptr<TGenerationFolder> next_;
  std::array<std::optional<TBufferedFile>, 3> files_;
};
