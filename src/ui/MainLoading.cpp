#include <QShowEvent>
#include <QTimer>

#include "data/LoadDataThread.h"
#include "ui/Main.h"
#include "ui/inputs/StatusText.h"
#include "ui/report/ErrorReport.h"

namespace {

constexpr int kFailedLoadWatchMilliseconds = 50;

}  // namespace

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

// Shown again after being hidden, the window keeps the one loader it started.
void TfrmMain::FormShow() {
  if (loader_) return;
  RunGuarded([this] {
    loader_ = std::make_unique<TLoadDataThread>(
        *directory_, dataFolder_, [this](const std::function<void()>& proc) { mainThreadCalls_.Run(proc); },
        [this] { ShowLoadedStatus(); }, std::move(dataFiles_));
    WatchForFailedLoad(loader_.get(), &TfrmMain::ReportFailedLoad);
  });
}

// A failed load hands nothing over to the window, so the window looks for it: the
// status must not go on promising a load that has ended.
void TfrmMain::WatchForFailedLoad(const TLoadDataThread* loader, void (TfrmMain::*onFailed)()) {
  auto* watch = new QTimer(this);
  connect(watch, &QTimer::timeout, this, [this, watch, loader, onFailed] {
    const bool ours = loader == loader_.get() || (reload_ && loader == reload_->Loader.get());
    const bool failed = ours && loader->LoadFailed();
    if (failed || !ours || loader->DataLoaded() || loader->Finished()) {
      watch->deleteLater();
    } else {
      watch->start();
    }
    // Last: a failed reload lets its loader go.
    if (failed) (this->*onFailed)();
  });
  watch->setSingleShot(true);
  watch->start(kFailedLoadWatchMilliseconds);
}

void TfrmMain::ReportFailedLoad() { ShowStatus(QStringLiteral("База данных не загружена.")); }

void TfrmMain::ShowLoadedStatus() {
  ShowStatus(QStringLiteral("База загружена. Телефонов: %1, абонентов: %2.")
                 .arg(static_cast<qulonglong>(directory_->Phones.size()))
                 .arg(static_cast<qulonglong>(directory_->Owners.size())));
}
