// The window's figures on the benchmark directory (BenchDirectory.h): how soon the
// window is on screen, a typical owner search, a search that returns every line,
// the grid's memory per result row, and typing with «Искать при вводе» on.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "bench/data/support/BenchDirectory.h"
#include "data/DbrRecords.h"
#include "data/LoadDataThread.h"
#include "data/NameLists.h"
#include "ui/Application.h"
#include "ui/Main.h"
#include "ui/SearchRunner.h"
#include "ui/export/ListFile.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// Every phone record moved into city 1, so that choosing that city returns every line.
void PutEveryLineInCityOne(const std::string& path) {
  const std::string bytes = ReadAll(path);
  std::string moved;
  ForEachPhonesRecord(
      bytes, [&](std::string_view name) { AppendOwnerRecord(moved, name); },
      [&](TDbrPhone phone) {
        phone.City = 1;
        AppendPhoneRecord(moved, phone);
      });
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(moved.data(), static_cast<std::streamsize>(moved.size()));
}

class TDirectories {
 public:
  // The one-city copy takes the files the benchmark directory's names lead to.
  TDirectories() {
    QDir().mkpath(QString::fromStdString(OneCity()));
    for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"}) {
      std::filesystem::copy_file(Typical() + "/" + name, OneCity() + "/" + name);
    }
    PutEveryLineInCityOne(OneCity() + "/Phones.dbr");
  }
  std::string Typical() const { return BenchDirectory(); }
  std::string OneCity() const { return root_.path().toStdString() + "/one-city"; }

 private:
  QTemporaryDir root_;
};

const TDirectories& Directories() {
  static TDirectories directories;
  return directories;
}

// The window over folder's name lists, made as the start-up makes it.
std::unique_ptr<TfrmMain> NewWindow(const std::string& folder) {
  auto directory = std::make_shared<TDirectory>();
  LoadCities(*directory, folder);
  LoadStreets(*directory, folder);
  return std::make_unique<TfrmMain>(std::move(directory), folder);
}

bool WaitForPhones(const TfrmMain& window) {
  return QTest::qWaitFor([&] { return window.Loader() && window.Loader()->DataLoaded(); }, 60000);
}

// Null, with the benchmark skipped, when the window never came on screen or the
// phone file never loaded.
std::unique_ptr<TfrmMain> LoadedWindow(const std::string& directory, benchmark::State& state) {
  auto window = NewWindow(directory);
  window->show();
  if (!QTest::qWaitForWindowExposed(window.get()) || !WaitForPhones(*window)) {
    state.SkipWithError("the window did not load");
    return nullptr;
  }
  return window;
}

// From the name lists to the first paint of the window; the phone file is still
// loading in the background then.
void BM_WindowVisible(benchmark::State& state) {
  const std::string directory = Directories().Typical();
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    auto window = NewWindow(directory);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
      state.SkipWithError("the window never came on screen");
      break;
    }
    window->repaint();
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
    if (!WaitForPhones(*window)) {
      state.SkipWithError("the phone file never loaded");
      break;
    }
  }
}
BENCHMARK(BM_WindowVisible)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void SelectCityOne(TfrmMain& window) {
  for (int position = 0; position < window.cbCity->count(); ++position) {
    window.cbCity->setCurrentIndex(position);
    if (window.cbCity->SelectedValue() == 1) return;
  }
}

// Whether the grid's viewport has been painted since its rows were last reset, which
// the search does once, at its end, after ordering them.
class TPaintAfterReset : public QObject {
 public:
  explicit TPaintAfterReset(QAbstractItemView& view) : viewport_(*view.viewport()) {
    viewport_.installEventFilter(this);
    connect(view.model(), &QAbstractItemModel::modelReset, this, [this] {
      reset_ = true;
      painted_ = false;
    });
  }
  bool Painted() const { return painted_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &viewport_ && event->type() == QEvent::Paint && reset_) painted_ = true;
    return false;
  }

 private:
  QWidget& viewport_;
  bool reset_ = false;
  bool painted_ = false;
};

// The grid may be painted inside the click (a status bar repaint flushes the whole
// window), or else later from the event loop, which then waits for events rather than
// spin: a spinning window thread would take the core the search thread needs.
bool ClickAndWaitForGridPaint(TfrmMain& window) {
  TPaintAfterReset paint(*window.gPhones->View());
  QTimer wake;  // so that the time limit is seen even if nothing else comes
  wake.start(50);
  window.btnGo->click();
  QElapsedTimer waited;
  waited.start();
  while (!paint.Painted() && waited.elapsed() < 10000) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return paint.Painted();
}

// From the button press to the end of the search and the sorted grid painted once.
void Search(TfrmMain& window, benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    QCoreApplication::processEvents();  // nothing of the last search left to paint
    state.ResumeTiming();
    if (!ClickAndWaitForGridPaint(window)) {
      state.SkipWithError("the grid was not painted after the search");
      break;
    }
  }
  state.counters["rows"] = window.gPhones->RowCount();
}

void BM_SearchOwnerIvan(benchmark::State& state) {
  auto window = LoadedWindow(Directories().Typical(), state);
  if (!window) return;
  window->teOwner->setText(QStringLiteral("иван"));
  Search(*window, state);
}
BENCHMARK(BM_SearchOwnerIvan)->Unit(benchmark::kMillisecond);

void BM_SearchEveryLine(benchmark::State& state) {
  auto window = LoadedWindow(Directories().OneCity(), state);
  if (!window) return;
  SelectCityOne(*window);
  Search(*window, state);
}
BENCHMARK(BM_SearchEveryLine)->Unit(benchmark::kMillisecond);

// Every line of the directory saved from the grid, in either format; 1M rows should
// take at most 2 s.
void SaveEveryLine(benchmark::State& state, TListFormat format) {
  auto window = LoadedWindow(Directories().OneCity(), state);
  if (!window) return;
  SelectCityOne(*window);
  if (!ClickAndWaitForGridPaint(*window)) {
    state.SkipWithError("the grid was not painted after the search");
    return;
  }
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("list"));
  for (auto _ : state) window->SaveListTo(path, format);
  state.counters["rows"] = window->gPhones->RowCount();
}

void BM_SaveCsv(benchmark::State& state) { SaveEveryLine(state, TListFormat::Csv); }
BENCHMARK(BM_SaveCsv)->Unit(benchmark::kMillisecond)->Iterations(3);
void BM_SaveImportLines(benchmark::State& state) { SaveEveryLine(state, TListFormat::Tsv); }
BENCHMARK(BM_SaveImportLines)->Unit(benchmark::kMillisecond)->Iterations(3);

// Heap growth between an empty grid and one holding and showing every line, per row.
void BM_GridBytesPerRow(benchmark::State& state) {
  auto window = LoadedWindow(Directories().OneCity(), state);
  if (!window) return;
  SelectCityOne(*window);
  for (auto _ : state) {
    window->gPhones->BeginUpdate();
    window->gPhones->ClearRows();
    window->gPhones->EndUpdate();
    malloc_trim(0);
    const size_t before = mallinfo2().uordblks;
    if (!ClickAndWaitForGridPaint(*window)) {
      state.SkipWithError("the grid was not painted after the search");
      break;
    }
    const size_t after = mallinfo2().uordblks;
    const int rows = window->gPhones->RowCount();
    state.counters["bytes_per_row"] = rows > 0 ? static_cast<double>(after > before ? after - before : 0) / rows : 0.0;
    state.counters["rows"] = rows;
  }
}
BENCHMARK(BM_GridBytesPerRow)->Unit(benchmark::kMillisecond)->Iterations(1);

// The search runs behind the window: how long the window thread keeps a 1 ms timer
// waiting at most, from the click to the rows, over a search that tests every
// subscriber with the engine. The iteration time is the whole search.
void BM_AnswerWhileSearching(benchmark::State& state) {
  auto window = LoadedWindow(Directories().Typical(), state);
  if (!window) return;
  window->chkRegExpr->setChecked(true);
  window->teOwner->setText(QStringLiteral("(ов|ев|ин)а?\\s"));
  qint64 longestGap = 0;
  for (auto _ : state) {
    QEventLoop loop;
    QObject::connect(&window->SearchRunner(), &TSearchRunner::finished, &loop, &QEventLoop::quit);
    QElapsedTimer sinceLast;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
      longestGap = std::max(longestGap, sinceLast.nsecsElapsed());
      sinceLast.restart();
    });
    window->btnGo->click();
    sinceLast.start();
    tick.start();
    loop.exec();
  }
  state.counters["longest_gap_ms"] = static_cast<double>(longestGap) * 1e-6;
  state.counters["rows"] = window->gPhones->RowCount();
}
BENCHMARK(BM_AnswerWhileSearching)->Unit(benchmark::kMillisecond)->Iterations(3);

double MedianOf(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// How long the window thread leaves a 1 ms timer waiting at most: the longest it was
// busy with one event, or blocked.
class TStallWatch {
 public:
  TStallWatch() {
    tick_.setTimerType(Qt::PreciseTimer);
    tick_.setInterval(1);
    QObject::connect(&tick_, &QTimer::timeout, [this] {
      longest_ = std::max(longest_, sinceLast_.nsecsElapsed());
      sinceLast_.restart();
    });
    sinceLast_.start();
    tick_.start();
  }
  double LongestMilliseconds() const { return static_cast<double>(longest_) * 1e-6; }

 private:
  QTimer tick_;
  QElapsedTimer sinceLast_;
  qint64 longest_ = 0;
};

// Keys posted to a field through the event loop, as a user's come, and how long each
// waited there before the field took it.
class TKeyTyping : public QObject {
 public:
  explicit TKeyTyping(QWidget& field) : field_(field) { field_.installEventFilter(this); }
  void Post(QChar letter) {
    const auto key = static_cast<Qt::Key>(letter.toUpper().unicode());
    posted_.restart();
    waiting_ = true;
    QCoreApplication::postEvent(&field_, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString(letter)));
    QCoreApplication::postEvent(&field_, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString(letter)));
  }
  double LongestWaitMilliseconds() const { return static_cast<double>(longestWait_) * 1e-6; }
  // Since the last key was posted.
  qint64 SinceLastKey() const { return posted_.nsecsElapsed(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &field_ && event->type() == QEvent::KeyPress && waiting_) {
      longestWait_ = std::max(longestWait_, posted_.nsecsElapsed());
      waiting_ = false;
    }
    return false;
  }

 private:
  QWidget& field_;
  QElapsedTimer posted_;
  bool waiting_ = false;
  qint64 longestWait_ = 0;
};

// «иванов» typed into the owner field a letter at a time, 120 ms apart, with every
// letter searched as typed. Counters, medians over the iterations: the longest
// stall of the window thread while typing, the longest a key waited, and the time
// from the last key until the grid is painted with the rows of the whole word (also
// the iteration time).
void BM_TypeIvanov(benchmark::State& state) {
  auto window = LoadedWindow(Directories().Typical(), state);
  if (!window) return;
  constexpr int kKeyGapMilliseconds = 120;
  const QString word = QStringLiteral("иванов");
  window->chkSearchAsYouType->setChecked(true);
  window->activateWindow();
  window->teOwner->setFocus();
  std::vector<double> stalls;
  std::vector<double> keyWaits;
  std::vector<double> shown;
  for (auto _ : state) {
    window->teOwner->clear();
    if (!QTest::qWaitFor([&] { return window->SearchRunner().Threads() == 0; }, 60000)) {
      state.SkipWithError("the searches of the last round never ended");
      break;
    }
    QTest::qWait(50);
    TKeyTyping typing(*window->teOwner);
    TPaintAfterReset* paint = nullptr;
    TStallWatch stall;
    QEventLoop loop;
    QTimer keys;
    keys.setTimerType(Qt::PreciseTimer);
    keys.setInterval(kKeyGapMilliseconds);
    int typed = 0;
    qint64 paintedAfter = -1;
    QObject::connect(&keys, &QTimer::timeout, [&] {
      typing.Post(word[typed]);
      if (++typed < word.size()) return;
      keys.stop();
      // Posted behind the last key, so only resets for the whole word are watched.
      QMetaObject::invokeMethod(
          &loop, [&] { paint = new TPaintAfterReset(*window->gPhones->View()); }, Qt::QueuedConnection);
    });
    // Looked for at each tick of the stall watch: a spinning check would take the
    // core the search needs.
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    look.setInterval(1);
    QObject::connect(&look, &QTimer::timeout, [&] {
      if (paint && paint->Painted() && paintedAfter < 0) {
        paintedAfter = typing.SinceLastKey();
        loop.quit();
      }
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    keys.start();
    look.start();
    loop.exec();
    delete paint;
    if (paintedAfter < 0 || window->teOwner->text() != word) {
      state.SkipWithError("the grid was never painted with the rows of the whole word");
      break;
    }
    state.SetIterationTime(static_cast<double>(paintedAfter) * 1e-9);
    stalls.push_back(stall.LongestMilliseconds());
    keyWaits.push_back(typing.LongestWaitMilliseconds());
    shown.push_back(static_cast<double>(paintedAfter) * 1e-6);
  }
  state.counters["longest_stall_ms"] = MedianOf(stalls);
  state.counters["longest_key_wait_ms"] = MedianOf(keyWaits);
  state.counters["shown_after_last_key_ms"] = MedianOf(shown);
  state.counters["rows"] = window->gPhones->RowCount();
}
BENCHMARK(BM_TypeIvanov)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  TApplication application(argc, argv);
  // The window's remembered options start from none, whatever the user chose.
  QTemporaryDir settings;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
