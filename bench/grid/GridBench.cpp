#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <QTableView>

#include "bench/grid/support/GeneratedDirectory.h"
#include "bench/support/QtBenchmarkMain.h"
#include "ui/grid/GridModel.h"
#include "ui/grid/ResultGrid.h"
#include "ui/grid/RowStore.h"

namespace {

const size_t kRows = 1000000;

const TGeneratedDirectory& Directory() {
  static const TGeneratedDirectory directory(kRows, 20261208);
  return directory;
}

std::vector<TGridColumn> Columns() {
  return {{QString::fromUtf8("Телефон"), 89, Qt::AlignRight}, {QString::fromUtf8("Абонент"), 212, Qt::AlignLeft},
          {QString::fromUtf8("Город"), 139, Qt::AlignLeft},   {QString::fromUtf8("Улица"), 118, Qt::AlignLeft},
          {QString::fromUtf8("Дом"), 54, Qt::AlignLeft},      {QString::fromUtf8("Корпус"), 59, Qt::AlignLeft},
          {QString::fromUtf8("Квартира"), 74, Qt::AlignLeft}};
}

// A shown grid of the window's size holding every generated row.
struct TFilledGrid {
  TFilledGrid() : grid(Columns(), Directory()) {
    grid.resize(744, 369);
    grid.show();
    grid.BeginUpdate();
    grid.ClearRows();
    for (uint32_t key = 0; key < kRows; ++key) grid.AppendRow(key);
    grid.EndUpdate();
    QApplication::processEvents();
  }
  TGridModel& Model() { return *static_cast<TGridModel*>(grid.View()->model()); }
  TResultGrid grid;
};

void BM_FillAndOrderByPhone(benchmark::State& state) {
  TResultGrid grid(Columns(), Directory());
  for (auto _ : state) {
    grid.BeginUpdate();
    grid.ClearRows();
    for (uint32_t key = 0; key < kRows; ++key) grid.AppendRow(key);
    grid.EndUpdate();
  }
}
BENCHMARK(BM_FillAndOrderByPhone)->Unit(benchmark::kMillisecond);

void BM_ResortByAnotherColumn(benchmark::State& state) {
  TFilledGrid filled;
  int column = 1;
  for (auto _ : state) {
    filled.Model().ClickHeader(column, false, false);
    column = column == 1 ? 3 : 1;
  }
}
BENCHMARK(BM_ResortByAnotherColumn)->Unit(benchmark::kMillisecond);

// From a grid sorted by another column, each column alone: the owner column has the
// most distinct texts, the phone, house and flat columns are made into text per row.
void BM_ResortByColumn(benchmark::State& state) {
  TFilledGrid filled;
  const auto column = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    filled.Model().ClickHeader(column == 0 ? 1 : 0, false, false);
    state.ResumeTiming();
    filled.Model().ClickHeader(column, false, false);
  }
}
BENCHMARK(BM_ResortByColumn)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

void BM_RowStoreOrderByOwner(benchmark::State& state) {
  TRowStore store;
  for (uint32_t key = 0; key < kRows; ++key) store.Append(key);
  for (auto _ : state) {
    store.Order({{1, false}}, Directory());
    state.PauseTiming();
    store.Order({}, Directory());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RowStoreOrderByOwner)->Unit(benchmark::kMillisecond);

void BM_GroupByCity(benchmark::State& state) {
  TFilledGrid filled;
  for (auto _ : state) {
    filled.Model().GroupBy(2);
    state.PauseTiming();
    filled.Model().Ungroup(2);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GroupByCity)->Unit(benchmark::kMillisecond);

void BM_GroupByColumn(benchmark::State& state) {
  TFilledGrid filled;
  const auto column = static_cast<int>(state.range(0));
  for (auto _ : state) {
    filled.Model().GroupBy(column);
    state.PauseTiming();
    filled.Model().Ungroup(column);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GroupByColumn)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

// One screenful further down, then a synchronous repaint (row heights measured on the way).
void BM_ScrollAndRepaintAScreenful(benchmark::State& state) {
  TFilledGrid filled;
  auto* view = static_cast<QTableView*>(filled.grid.View());
  QScrollBar* bar = view->verticalScrollBar();
  const int page = std::max(bar->pageStep(), 1);
  for (auto _ : state) {
    bar->setValue(bar->value() + page > bar->maximum() ? 0 : bar->value() + page);
    view->viewport()->repaint();
  }
}
BENCHMARK(BM_ScrollAndRepaintAScreenful)->Unit(benchmark::kMillisecond);

// The same through an expanded grouping by city, group rows included.
void BM_ScrollAndRepaintGroupedRows(benchmark::State& state) {
  TFilledGrid filled;
  filled.Model().GroupBy(2);
  for (int row = filled.Model().rowCount() - 1; row >= 0; --row) filled.Model().SetExpanded(row, true);
  auto* view = static_cast<QTableView*>(filled.grid.View());
  QScrollBar* bar = view->verticalScrollBar();
  const int page = std::max(bar->pageStep(), 1);
  for (auto _ : state) {
    bar->setValue(bar->value() + page > bar->maximum() ? 0 : bar->value() + page);
    view->viewport()->repaint();
  }
}
BENCHMARK(BM_ScrollAndRepaintGroupedRows)->Unit(benchmark::kMillisecond);

}  // namespace

ORLINAR_QT_BENCHMARK_MAIN()
