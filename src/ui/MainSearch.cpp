#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <stdexcept>

#include "data/LoadDataThread.h"
#include "search/Search.h"
#include "ui/FillCombo.h"
#include "ui/Main.h"
#include "ui/ScreenCursor.h"
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

}  // namespace

void TfrmMain::btnGoClick() {
  RunGuarded([this] { Search(); });
}

// A click that arrives while a search waits for the loader is dropped: the waiting
// search will cover it.
void TfrmMain::Search() {
  if (searching_) return;
  searching_ = true;
  struct TSearchingFlag {
    bool& Flag;
    ~TSearchingFlag() { Flag = false; }
  } searchingFlag{searching_};

  TScreenCursor hourglass;
  ProgressBar->setValue(0);
  if (!WaitForPhones()) return;
  ProgressBar->setMaximum(std::max<int>(1, static_cast<int>(directory_->Phones.size()) - 1));
  SetStatusNow(QStringLiteral("Идёт поиск..."));
  FillGrid(MakeSearchCriteria(ReadSearchInputs()));
}

// False when the wait was cut short by the application quitting; throws when there
// is no phone table to search.
bool TfrmMain::WaitForPhones() {
  if (!DataLoaded()) {
    if (loader_ && !loader_->Finished()) loader_->RaiseToHighestPriority();
    WaitUntilLoadEnds();
    if (DataLoaded()) QCoreApplication::processEvents();
  }
  if (DataLoaded()) return true;
  const bool failed = loader_ && loader_->LoadFailed();
  if (!failed && loader_) return false;
  ShowStatus(QStringLiteral("База данных не загружена."));
  throw ELoadFailed(failed ? loader_->LoadFailureText()
                           : ToCp1251(QStringLiteral("Загрузка базы данных не была запущена")));
}

bool TfrmMain::DataLoaded() const { return loader_ && loader_->DataLoaded(); }

// Keeps the window alive while the loader works. A failed load sends no message, so
// the flags are polled rather than waited for.
void TfrmMain::WaitUntilLoadEnds() {
  auto ended = [this] { return !loader_ || loader_->DataLoaded() || loader_->LoadFailed() || loader_->Finished(); };
  if (ended()) return;
  QEventLoop loop;
  QTimer poll;
  connect(&poll, &QTimer::timeout, &loop, [&] {
    if (ended()) loop.quit();
  });
  poll.start(kLoadPollMilliseconds);
  loop.exec();
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
  return inputs;
}

// Once the bulk update has begun, a failure still closes it and reports what was found.
void TfrmMain::FillGrid(const SearchCriteria& criteria) {
  auto finish = [this] {
    gPhones->EndUpdate();
    ShowFoundStatus();
    ProgressBar->setValue(0);
  };
  gPhones->BeginUpdate();
  try {
    gPhones->ClearRows();
    ScanPhones(
        *directory_, criteria, [this](int32_t i) { gPhones->AppendRow(static_cast<uint32_t>(i)); },
        [this](int32_t i) {
          ProgressBar->setValue(i);
          ProgressBar->repaint();
        });
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TfrmMain::SetStatusNow(const QString& text) {
  ShowStatus(text);
  StatusBar->repaint();
}

void TfrmMain::ShowFoundStatus() {
  ShowStatus(QStringLiteral("Поиск завершён. Найдено %1 записей.").arg(gPhones->RowCount()));
}
