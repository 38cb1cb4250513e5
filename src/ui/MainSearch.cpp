#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "data/LoadDataThread.h"
#include "search/RunSearch.h"
#include "search/Search.h"
#include "ui/FillCombo.h"
#include "ui/Main.h"
#include "ui/PhoneCellSource.h"
#include "ui/SearchRunner.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"
#include "ui/inputs/MaskEdit.h"
#include "ui/inputs/StatusText.h"
#include "ui/report/ErrorReport.h"
#include "ui/text/Text1251.h"

namespace {

constexpr int kLoadPollMilliseconds = 10;

// The phone data failed to load: the search has nothing to scan.
class ELoadFailed : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// With a second reading, of Latin letters as the same keys give them in the Russian
// layout, the user learns what it was read as and how many rows it found itself.
QString ReadingsNote(const TSearchOutcome& outcome) {
  if (outcome.Readings.size() < 2) return {};
  const TSearchReading& typed = outcome.Readings.front();
  for (const TSearchReading& reading : outcome.Readings) {
    if (!reading.LatinLayout) continue;
    QStringList texts;
    if (reading.Owner != typed.Owner) texts << QStringLiteral("«%1»").arg(FromCp1251(reading.Owner));
    if (reading.Corpus != typed.Corpus) texts << QStringLiteral("«%1»").arg(FromCp1251(reading.Corpus));
    return QStringLiteral(" (в русской раскладке: %1 — %2)")
        .arg(texts.join(QStringLiteral(", ")), QString::number(reading.Rows));
  }
  return {};
}

}  // namespace

void TfrmMain::btnGoClick() {
  RunGuarded([this] { Search(true); });
}

bool TfrmMain::Searching() const { return searchRunner_->Running() || loadPoll_->isActive(); }

// Whatever runs is superseded: its rows never reach the grid, which keeps the last
// complete result until this search's rows replace it.
void TfrmMain::Search(bool hourglass) {
  searchRunner_->Cancel();
  if (!hourglass) hourglass_.reset();
  else if (!hourglass_) hourglass_.emplace();
  cancelShortcut_->setEnabled(true);
  ProgressBar->setValue(0);
  try {
    if (DataLoaded()) StartScan();
    else WaitForPhones();
  } catch (...) {
    EndSearch();
    throw;
  }
}

// Every change of the inputs makes the rows on show stale; an input that cannot be
// searched (the button says so) ends the search for the earlier inputs as well.
void TfrmMain::SearchAsTyped() {
  if (!chkSearchAsYouType->isChecked()) return;
  if (btnGo->isEnabled()) Search(false);
  else CancelSearch();
}

void TfrmMain::CancelSearch() {
  if (!Searching()) return;
  searchRunner_->Cancel();
  ShowStatus(QStringLiteral("Поиск отменён."));
  EndSearch();
}

// The search waits for the loader with the window answering; the inputs are read
// once the phones are there, so a change meanwhile is covered.
void TfrmMain::WaitForPhones() {
  if (loader_ && !loader_->Finished()) {
    loader_->RaiseToHighestPriority();
    if (!loadPoll_->isActive()) loadPoll_->start(kLoadPollMilliseconds);
    return;
  }
  PollLoad();
}

// A failed load sends no message, so the flags are polled rather than waited for.
void TfrmMain::PollLoad() {
  RunGuarded([this] {
    if (DataLoaded()) {
      loadPoll_->stop();
      StartScan();
      return;
    }
    const bool failed = loader_ && loader_->LoadFailed();
    if (loader_ && !failed && !loader_->Finished()) return;
    loadPoll_->stop();
    EndSearch();
    // Finished without either flag: the window is going away and cancelled the hand-over.
    if (!failed && loader_) return;
    ShowStatus(QStringLiteral("База данных не загружена."));
    throw ELoadFailed(failed ? loader_->LoadFailureText()
                             : ToCp1251(QStringLiteral("Загрузка базы данных не была запущена")));
  });
}

bool TfrmMain::DataLoaded() const { return loader_ && loader_->DataLoaded(); }

// The thread reads the directory, the inputs and the grid's order it was given,
// nothing of the window. It also orders the rows by the grid's present order, so that
// the window only swaps them in; a search superseded meanwhile skips that.
void TfrmMain::StartScan() {
  ProgressBar->setMaximum(std::max<int>(1, static_cast<int>(directory_->Phones.size()) - 1));
  SetStatusNow(QStringLiteral("Идёт поиск..."));
  searchRunner_->Start([directory = std::shared_ptr<const TDirectory>(directory_), inputs = ReadSearchInputs(),
                        keys = gPhones->Order().ComparisonKeys(), groupLevels = gPhones->Order().Grouping().size()](
                           const std::function<void(int32_t)>& onProgress, const TSearchCancel& cancel) {
    TSearchResult result{RunSearch(*directory, inputs, onProgress, &cancel), nullptr, directory};
    if (cancel.Cancelled()) return result;
    const TPhoneCellSource source(directory);
    std::vector<uint32_t> rowKeys(result.Outcome.Rows.begin(), result.Outcome.Rows.end());
    // Only a superseded search stops the ordering, and its rows are never shown.
    result.Outcome.Rows = {};
    std::optional<TOrderedRows> ordered =
        OrderRows(std::move(rowKeys), keys, groupLevels, source, [&cancel] { return cancel.Cancelled(); });
    if (!ordered) return result;
    result.Rows = std::make_shared<TOrderedRows>(std::move(*ordered));
    return result;
  });
}

TSearchInputs TfrmMain::ReadSearchInputs() const {
  TSearchInputs inputs;
  inputs.Phone = ToCp1251(mePhone->text());
  inputs.Owner = ToCp1251(teOwner->text());
  inputs.CityIndices = SelectedTableIndices(*cbCity);
  inputs.StreetIndices = SelectedTableIndices(*cbStreet);
  inputs.House = ToCp1251(meHouse->text());
  inputs.Corpus = ToCp1251(teCorpus->text());
  inputs.Flat = ToCp1251(meFlat->text());
  inputs.RegExpr = chkRegExpr->isChecked();
  inputs.Forgiving = !inputs.RegExpr && chkForgiving->isChecked();
  return inputs;
}

void TfrmMain::ShowProgress(int32_t position) {
  ProgressBar->setValue(position);
  ProgressBar->repaint();
}

// An engine error keeps the rows found before it, says the search was interrupted
// and is reported once the window is back to normal.
void TfrmMain::ShowOutcome(const TSearchResult& result) {
  const TSearchOutcome& outcome = result.Outcome;
  RunGuarded([&] {
    struct TEnd {
      TfrmMain& Window;
      ~TEnd() { Window.EndSearch(); }
    } end{*this};
    // Before the new rows make the grid dirty: the bar repaints at once, and with it
    // whatever else waits to be painted, all inside this one event.
    ProgressBar->setValue(0);
    FillGrid(result);
    const QString found = QString::number(gPhones->RowCount());
    ShowStatus((outcome.Error ? QStringLiteral("Поиск прерван. Найдено %1 записей%2.")
                              : QStringLiteral("Поиск завершён. Найдено %1 записей%2."))
                   .arg(found, ReadingsNote(outcome)));
  });
  if (outcome.Error) ShowErrorReport(outcome.Error);
}

// One bulk update: the grid is ordered and repainted once, with the new rows only.
// Rows ordered by the search's thread are taken whole; the one handler of the
// result may move them out.
void TfrmMain::FillGrid(const TSearchResult& result) {
  gPhones->BeginUpdate();
  struct TEndUpdate {
    TResultGrid& Grid;
    ~TEndUpdate() { Grid.EndUpdate(); }
  } endUpdate{*gPhones};
  ShowRowsOf(result.Directory ? result.Directory : directory_);
  if (result.Rows) {
    gPhones->TakeRows(std::move(*result.Rows));
    return;
  }
  gPhones->ClearRows();
  for (int32_t row : result.Outcome.Rows) gPhones->AppendRow(static_cast<uint32_t>(row));
}

void TfrmMain::EndSearch() {
  loadPoll_->stop();
  ProgressBar->setValue(0);
  hourglass_.reset();
  cancelShortcut_->setEnabled(false);
}

// Closing is not held up by a search: its thread is told to stop at once.
void TfrmMain::closeEvent(QCloseEvent* event) {
  searchRunner_->Cancel();
  EndSearch();
  RunGuarded([this] { WriteSettings(); });
  QMainWindow::closeEvent(event);
}

void TfrmMain::SetStatusNow(const QString& text) {
  ShowStatus(text);
  StatusBar->repaint();
}
