#include <QAbstractItemView>
#include <QAction>
#include <QDir>
#include <QFileDialog>

#include "ui/Main.h"
#include "ui/export/ListFile.h"
#include "ui/grid/ResultGrid.h"
#include "ui/report/ErrorReport.h"

namespace {

const QString kCsvFilter = QStringLiteral("Таблица CSV (*.csv)");
const QString kTsvFilter = QStringLiteral("Строки для импорта в справочник (*.tsv)");

}  // namespace

void TfrmMain::CreateListActions() {
  actSaveList = new QAction(QStringLiteral("Сохранить список…"), this);
  actSaveList->setObjectName(QStringLiteral("actSaveList"));
  actSaveList->setShortcut(QKeySequence::Save);
  actSaveList->setShortcutContext(Qt::WindowShortcut);
  addAction(actSaveList);
  gPhones->View()->addAction(actSaveList);
  connect(actSaveList, &QAction::triggered, this, [this] { RunGuarded([this] { SaveListClick(); }); });
  CreatePrintActions();
}

void TfrmMain::SaveListClick() {
  QString filter = kCsvFilter;
  QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить список"),
                                              QDir::home().filePath(QStringLiteral("список.csv")),
                                              kCsvFilter + QStringLiteral(";;") + kTsvFilter, &filter);
  if (path.isEmpty()) return;
  const TListFormat chosen = filter == kTsvFilter ? TListFormat::Tsv : TListFormat::Csv;
  if (!path.contains(QLatin1Char('.')))
    path += chosen == TListFormat::Tsv ? QStringLiteral(".tsv") : QStringLiteral(".csv");
  SaveListTo(path, ListFormatOf(path, chosen));
}

void TfrmMain::SaveListTo(const QString& path, TListFormat format) {
  const size_t written = SaveList(path, format, *gPhones, cellSource_, *shownDirectory_);
  ShowStatus(QStringLiteral("Список сохранён: %1 записей.").arg(written));
}
