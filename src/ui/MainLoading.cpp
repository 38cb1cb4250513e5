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
    WatchForFailedLoad();
  });
}

// A failed load hands nothing over to the window, so the window looks for it: the
// status must not go on promising a load that has ended.
void TfrmMain::WatchForFailedLoad() {
  auto* watch = new QTimer(this);
  connect(watch, &QTimer::timeout, this, [this, watch] {
    if (loader_->LoadFailed()) ShowStatus(QStringLiteral("База данных не загружена."));
    if (loader_->LoadFailed() || loader_->DataLoaded() || loader_->Finished()) {
      watch->deleteLater();
    } else {
      watch->start();
    }
  });
  watch->setSingleShot(true);
  watch->start(kFailedLoadWatchMilliseconds);
}

void TfrmMain::ShowLoadedStatus() {
  ShowStatus(QStringLiteral("База загружена. Телефонов: %1, абонентов: %2.")
                 .arg(static_cast<qulonglong>(directory_->Phones.size()))
                 .arg(static_cast<qulonglong>(directory_->Owners.size())));
}
