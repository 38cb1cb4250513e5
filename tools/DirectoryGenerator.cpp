#include "tools/DirectoryGenerator.h"

#include "tools/DirectoryWriter.h"

void GenerateDirectory(const std::string& directory, int phoneLines, uint32_t seed, const TSyntheticShape& shape) {
  TSyntheticDirectory synthetic(seed, shape);
  TDataFilesWriter writer(directory);
  for (int written = 0; written < phoneLines;) {
    const TSyntheticSubscriber& subscriber = synthetic.NextSubscriber(phoneLines - written);
    writer.AddOwner(subscriber.Name);
    for (const TSyntheticLine& line : subscriber.Lines) {
      writer.AddPhone({line.Number, line.City, line.Street, line.House, line.Flat, line.Corpus});
    }
    written += static_cast<int>(subscriber.Lines.size());
  }
  writer.Commit(synthetic.Cities(), synthetic.Streets());
}
