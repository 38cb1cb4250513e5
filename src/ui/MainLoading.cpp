#include <QShowEvent>

#include "data/LoadDataThread.h"
#include "ui/Main.h"
#include "ui/inputs/StatusText.h"
#include "ui/report/ErrorReport.h"

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
        [this] { ShowLoadedStatus(); });
  });
}

void TfrmMain::ShowLoadedStatus() {
  ShowStatus(QStringLiteral("База загружена. Телефонов: %1, абонентов: %2.")
                 .arg(static_cast<qulonglong>(directory_->Phones.size()))
                 .arg(static_cast<qulonglong>(directory_->Owners.size())));
}
