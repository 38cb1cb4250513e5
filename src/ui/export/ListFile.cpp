#include "ui/export/ListFile.h"

#include <QSaveFile>
#include <algorithm>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "data/Cp1251.h"
#include "data/TsvLine.h"
#include "ui/export/CsvText.h"
#include "ui/grid/ResultGrid.h"
#include "ui/text/Text1251.h"

namespace {

// Rows are formatted a block at a time on two threads: looking up the cells of rows
// in display order misses the cache at nearly every cell, and that, not the writing,
// is what a large list costs.
constexpr size_t BlockRows = 1 << 15;

// Appends the lines of keys to out; returns the lines appended.
using TFormatRows = std::function<size_t(std::span<const uint32_t> keys, std::string& out)>;

class TListWriter {
 public:
  explicit TListWriter(const QString& path) : file_(path) {
    if (!file_.open(QIODevice::WriteOnly)) Fail();
  }
  void Write(const std::string& bytes) {
    if (file_.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) Fail();
  }
  void Commit() {
    if (!file_.commit()) Fail();
  }

 private:
  [[noreturn]] void Fail() {
    throw std::runtime_error(ToCp1251(
        QStringLiteral("Не удалось сохранить список в файл \"%1\": %2").arg(file_.fileName(), file_.errorString())));
  }

  QSaveFile file_;
};

size_t WriteRows(TListWriter& writer, std::span<const uint32_t> keys, const TFormatRows& format) {
  std::string first;
  std::string second;
  size_t written = 0;
  for (size_t at = 0; at < keys.size(); at += 2 * BlockRows) {
    const std::span<const uint32_t> left = keys.subspan(at, std::min(BlockRows, keys.size() - at));
    const std::span<const uint32_t> right =
        keys.subspan(at + left.size(), std::min(BlockRows, keys.size() - at - left.size()));
    first.clear();
    second.clear();
    size_t rightLines = 0;
    {
      std::jthread helper([&] { rightLines = format(right, second); });
      written += format(left, first);
    }
    written += rightLines;
    writer.Write(first);
    writer.Write(second);
  }
  return written;
}

size_t WriteCsv(TListWriter& writer, const TResultGrid& grid, const TCellSource& source) {
  const std::vector<int> columns = grid.ShownColumns();
  std::vector<std::string> headers;
  for (int column : columns) headers.push_back(grid.ColumnHeader(column).toStdString());
  std::string start(CsvByteOrderMark);
  AppendCsvLine(start, std::vector<std::string_view>(headers.begin(), headers.end()));
  writer.Write(start);
  return WriteRows(writer, grid.ShownKeys(), [&](std::span<const uint32_t> keys, std::string& out) {
    std::vector<std::string> texts(columns.size());
    std::vector<std::string_view> fields(columns.size());
    std::string scratch;
    for (uint32_t key : keys) {
      for (size_t c = 0; c < columns.size(); ++c) {
        texts[c].clear();
        AppendUtf8FromCp1251(texts[c], CellTextOf(source, key, columns[c], scratch));
        fields[c] = texts[c];
      }
      AppendCsvLine(out, fields);
    }
    return keys.size();
  });
}

size_t WriteTsv(TListWriter& writer, const TResultGrid& grid, const TDirectory& directory) {
  return WriteRows(writer, grid.ShownKeys(), [&](std::span<const uint32_t> keys, std::string& out) {
    std::string scratch;
    size_t lines = 0;
    for (uint32_t key : keys) {
      if (key == kEmptyRowKey) continue;
      AppendTsvLine(directory, key, out, scratch);
      ++lines;
    }
    return lines;
  });
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
