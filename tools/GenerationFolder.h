#pragma once
// A generation folder (DataFolder.h) that this process makes, removed again unless
// it has become the current one.

#include <sys/types.h>

#include <string>

#include "tools/Descriptor.h"
#include "tools/Temporaries.h"

class TGenerationFolder {
 public:
  // Makes it in the open data folder, readable by the owner only until Finish;
  // throws std::runtime_error.
  TGenerationFolder(int dataFolder, const std::string& dataFolderPath);
  ~TGenerationFolder();
  TGenerationFolder(const TGenerationFolder&) = delete;
  TGenerationFolder& operator=(const TGenerationFolder&) = delete;

  const std::string& Name() const { return name_; }
  int Descriptor() const { return folder_.Get(); }
  std::string PathOf(const std::string& file) const { return path_ + "/" + file; }

  // A new file in it, never following a link; throws std::runtime_error.
  TDescriptor CreateFile(const std::string& file) const;
  // Gives it the mode that makes it as readable as files of fileModes, and puts it on disk.
  void Finish(mode_t fileModes) const;
  void Keep();  // it is current: it stays

 private:
  int dataFolder_;
  std::string name_;
  std::string path_;
  TDescriptor folder_;
  TTemporary temporary_;
  bool kept_ = false;
};

// Removes the generation folder name of the open data folder with its data files,
// as far as it can: what fails is left for the next import.
void RemoveGeneration(int dataFolder, const std::string& name);

// Puts an open folder's entries on disk; a file system that cannot (EINVAL) is no error.
void SyncFolder(int folder, const std::string& path);
