#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTimer>

#include "data/LoadDataThread.h"
#include "data/NameLists.h"
#include "ui/FillCombo.h"
#include "ui/Main.h"
#include "ui/SearchRunner.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"
#include "ui/report/ErrorReport.h"

namespace {

// An import is noticed within a few seconds; a look costs three stat calls.
constexpr int kDirectoryLookMilliseconds = 1000;

}  // namespace

void TfrmMain::CreateDirectoryWatch() {
  auto* look = new QTimer(this);
  connect(look, &QTimer::timeout, this, [this] { LookForReplacedFiles(); });
  look->start(kDirectoryLookMilliseconds);
  auto* reload = new QShortcut(QKeySequence(Qt::Key_F5), this);
  connect(reload, &QShortcut::activated, this, [this] { ReloadDirectory(); });
}

void TfrmMain::LookForReplacedFiles() {
  if (!directoryWatch_.Replaced()) return;
  ShowStatus(QStringLiteral("Справочник обновлён. Нажмите F5, чтобы загрузить его."));
}

// The name lists are small and read here at once; the phones load as at the start,
// but at full speed, since the user is waiting for them. Until the first load has
// ended there is nothing to reload.
void TfrmMain::ReloadDirectory() {
  if (reload_ || !loader_ || !loader_->Finished()) return;
  RunGuarded([this] {
    auto files = std::make_shared<TDirectoryFiles>(dataFolder_);
    auto reload = std::make_unique<TReload>();
    reload->Directory = std::make_shared<TDirectory>();
    LoadCities(*reload->Directory, *files);
    LoadStreets(*reload->Directory, *files);
    reload->Stamp = files->Stamp();
    reload_ = std::move(reload);
    ShowStatus(QStringLiteral("Загрузка базы данных..."));
    reload_->Loader = std::make_unique<TLoadDataThread>(
        *reload_->Directory, dataFolder_, [this](const std::function<void()>& proc) { mainThreadCalls_.Run(proc); },
        [this] { SwapInReloadedDirectory(); }, std::move(files));
    reload_->Loader->RaiseToHighestPriority();
    WatchForFailedLoad(reload_->Loader.get(), &TfrmMain::ReportFailedReload);
  });
}

// The old directory stays searched and shown.
void TfrmMain::ReportFailedReload() {
  const std::exception_ptr failure = reload_->Loader->LoadFailure();
  reload_.reset();
  ShowStatus(QStringLiteral("Новый справочник не загружен, поиск идёт по прежнему."));
  ShowErrorReport(failure);
}

// Runs on the window thread inside the new loader's hand-over. A search of the old
// directory is dropped, and the rows on show keep reading the old directory until the
// new search's rows replace them.
void TfrmMain::SwapInReloadedDirectory() {
  RunGuarded([this] {
    const bool searchAgain = Searching() || searchShown_;
    SwapDirectory();
    if (searchAgain && btnGo->isEnabled()) Search(false);
  });
}

void TfrmMain::SwapDirectory() {
  searchRunner_->Cancel();
  EndSearch();
  std::unique_ptr<TReload> reload = std::move(reload_);
  directory_ = reload->Directory;
  loader_ = std::move(reload->Loader);
  directoryWatch_ = TDirectoryWatch(dataFolder_, reload->Stamp);
  {
    const QSignalBlocker cityBlocker(cbCity);
    const QSignalBlocker streetBlocker(cbStreet);
    RefillCombo(*cbCity, directory_->Cities);
    RefillCombo(*cbStreet, directory_->Streets);
  }
  ShowLoadedStatus();
  UpdateSearchState();
}

void TfrmMain::ShowRowsOf(std::shared_ptr<const TDirectory> directory) {
  searchShown_ = true;
  cellSource_.SetDirectory(std::move(directory));
}
