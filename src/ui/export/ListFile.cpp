#include "ui/export/ListFile.h"

#include <QSaveFile>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/Cp1251.h"
#include "data/TsvLine.h"
#include "ui/export/CsvText.h"
#include "ui/grid/ResultGrid.h"
#include "ui/text/Text1251.h"

namespace {

constexpr size_t ChunkBytes = 1 << 20;

class TListWriter {
 public:
  explicit TListWriter(const QString& path) : file_(path) {
    if (!file_.open(QIODevice::WriteOnly)) Fail();
    chunk_.reserve(ChunkBytes + 4096);
  }
  std::string& Chunk() { return chunk_; }
  void Flush(bool always = false) {
    if (!always && chunk_.size() < ChunkBytes) return;
    if (file_.write(chunk_.data(), static_cast<qint64>(chunk_.size())) != static_cast<qint64>(chunk_.size())) Fail();
    chunk_.clear();
  }
  void Commit() {
    Flush(true);
    if (!file_.commit()) Fail();
  }

 private:
  [[noreturn]] void Fail() {
    throw std::runtime_error(ToCp1251(
        QStringLiteral("Не удалось сохранить список в файл \"%1\": %2").arg(file_.fileName(), file_.errorString())));
  }

  QSaveFile file_;
  std::string chunk_;
};

size_t WriteCsv(TListWriter& writer, const TResultGrid& grid, const TCellSource& source) {
  const std::vector<int> columns = grid.ShownColumns();
  std::vector<std::string> texts(columns.size());
  std::vector<std::string_view> fields(columns.size());
  for (size_t c = 0; c < columns.size(); ++c) {
    texts[c] = grid.ColumnHeader(columns[c]).toStdString();
    fields[c] = texts[c];
  }
  writer.Chunk() += CsvByteOrderMark;
  AppendCsvLine(writer.Chunk(), fields);
  std::string scratch;
  const std::vector<uint32_t> keys = grid.ShownKeys();
  for (uint32_t key : keys) {
    for (size_t c = 0; c < columns.size(); ++c) {
      texts[c] = Utf8FromCp1251(CellTextOf(source, key, columns[c], scratch));
      fields[c] = texts[c];
    }
    AppendCsvLine(writer.Chunk(), fields);
    writer.Flush();
  }
  return keys.size();
}

size_t WriteTsv(TListWriter& writer, const TResultGrid& grid, const TDirectory& directory) {
  std::string scratch;
  size_t written = 0;
  for (uint32_t key : grid.ShownKeys()) {
    if (key == kEmptyRowKey) continue;
    AppendTsvLine(directory, key, writer.Chunk(), scratch);
    writer.Flush();
    ++written;
  }
  return written;
}

}  // namespace

TListFormat ListFormatOf(const QString& path, TListFormat chosen) {
  if (path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) return TListFormat::Csv;
  if (path.endsWith(QStringLiteral(".tsv"), Qt::CaseInsensitive)) return TListFormat::Tsv;
  return chosen;
}

size_t SaveList(const QString& path, TListFormat format, const TResultGrid& grid, const TCellSource& source,
                const TDirectory& directory) {
  TListWriter writer(path);
  const size_t written =
      format == TListFormat::Csv ? WriteCsv(writer, grid, source) : WriteTsv(writer, grid, directory);
  writer.Commit();
  return written;
}
