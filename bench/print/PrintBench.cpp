// How long 10,000 found rows take to reach the print preview (laid out and painted
// into the preview's pages at the printer's resolution, flat and grouped by city; and
// the whole dialog opened) and a PDF file. The preview should open within 2 s.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/grid/support/GeneratedDirectory.h"
#include "bench/support/QtBenchmarkMain.h"
#include "ui/print/ListPainter.h"
#include "ui/print/PdfFile.h"
#include "ui/print/PrintPreview.h"
#include "ui/text/Text1251.h"

namespace {

constexpr size_t kRows = 10'000;
constexpr int kCityColumn = 2;

const TGeneratedDirectory& Directory() {
  static const TGeneratedDirectory directory(kRows, 1);
  return directory;
}

// The window's columns at their initial widths; grouped, the city leaves the table
// for the headings, as in the grid.
TPrintedList TenThousandRows(bool groupedByCity) {
  TPrintedList list;
  const TPrintColumn columns[] = {{QStringLiteral("Телефон"), 0, 89, Qt::AlignRight},
                                  {QStringLiteral("Абонент"), 1, 212, Qt::AlignLeft},
                                  {QStringLiteral("Город"), kCityColumn, 139, Qt::AlignLeft},
                                  {QStringLiteral("Улица"), 3, 118, Qt::AlignLeft},
                                  {QStringLiteral("Дом"), 4, 54, Qt::AlignLeft},
                                  {QStringLiteral("Корпус"), 5, 59, Qt::AlignLeft},
                                  {QStringLiteral("Квартира"), 6, 74, Qt::AlignLeft}};
  for (const TPrintColumn& column : columns) {
    if (!groupedByCity || column.Column != kCityColumn) list.Columns.push_back(column);
  }
  std::vector<std::pair<std::string, uint32_t>> order;
  std::string scratch;
  for (uint32_t key = 0; key < kRows; ++key) {
    order.emplace_back(groupedByCity ? std::string(Directory().CellText(key, kCityColumn, scratch)) : std::string(),
                       key);
  }
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t row = 0; row < order.size(); ++row) {
    if (groupedByCity && (row == 0 || order[row].first != order[row - 1].first)) {
      list.Headings.push_back({row, 0, QStringLiteral("Город: %1").arg(FromCp1251(order[row].first))});
    }
    list.Keys.push_back(order[row].second);
  }
  list.Conditions = QStringLiteral("Часть ФИО или названия организации: ов");
  list.Printed = QDateTime::currentDateTime();
  list.Source = std::shared_ptr<const TCellSource>(std::shared_ptr<void>(), &Directory());
  return list;
}

void BM_PreviewTenThousandRows(benchmark::State& state) {
  const TPrintedList list = TenThousandRows(state.range(0) != 0);
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(DefaultListPageLayout());
  QPrintPreviewWidget preview(&printer);
  QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* target) { PrintList(list, *target); });
  for (auto _ : state) preview.updatePreview();
  state.counters["pages"] = preview.pageCount();
}
BENCHMARK(BM_PreviewTenThousandRows)->ArgName("grouped")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// From the command to a preview on screen, as Ctrl+P opens it: the dialog, its
// pages and its first paint, closed as soon as the event loop runs.
void BM_OpenPreviewDialog(benchmark::State& state) {
  const TPrintedList list = TenThousandRows(false);
  for (auto _ : state) {
    QTimer::singleShot(0, [] {
      if (auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) dialog->reject();
    });
    ShowPrintPreview(list, nullptr);
  }
}
BENCHMARK(BM_OpenPreviewDialog)->Unit(benchmark::kMillisecond);

void BM_PdfTenThousandRows(benchmark::State& state) {
  const TPrintedList list = TenThousandRows(false);
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("список.pdf"));
  for (auto _ : state) SaveListPdf(path, list, DefaultListPageLayout());
}
BENCHMARK(BM_PdfTenThousandRows)->Unit(benchmark::kMillisecond);

}  // namespace

ORLINAR_QT_BENCHMARK_MAIN()
