#include <QShowEvent>

#include "ErrorReport.h"
#include "LoadDataThread.h"
#include "Main.h"
#include "StatusText.h"
#include "Tables.h"

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

// Shown again after being hidden, the window keeps the one loader it started.
void TfrmMain::FormShow() {
  if (loader_) return;
  RunGuarded([this] {
    loader_ = std::make_unique<TLoadDataThread>(
        [this](const std::function<void()>& proc) { mainThreadCalls_.Run(proc); }, [this] { ShowLoadedStatus(); });
  });
}

void TfrmMain::ShowLoadedStatus() {
  ShowStatus(QStringLiteral("База загружена. Телефонов: %1, абонентов: %2.")
                 .arg(static_cast<qulonglong>(Phones.size()))
                 .arg(static_cast<qulonglong>(Owners.size())));
}
