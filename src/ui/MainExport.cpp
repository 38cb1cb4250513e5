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

// The window's shortcut and an entry of the grid's context menu.
QAction* TfrmMain::AddListAction(const QString& text, const QString& name, void (TfrmMain::*handler)()) {
  auto* action = new QAction(text, this);
  action->setObjectName(name);
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  gPhones->View()->addAction(action);
  connect(action, &QAction::triggered, this, [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
  return action;
}

void TfrmMain::CreateListActions() {
  actSaveList =
      AddListAction(QStringLiteral("Сохранить список…"), QStringLiteral("actSaveList"), &TfrmMain::SaveListClick);
  actSaveList->setShortcut(QKeySequence::Save);
  actPrint = AddListAction(QStringLiteral("Печать…"), QStringLiteral("actPrint"), &TfrmMain::PrintClick);
  actPrint->setShortcut(QKeySequence::Print);
  actSavePdf = AddListAction(QStringLiteral("Сохранить в PDF…"), QStringLiteral("actSavePdf"), &TfrmMain::SavePdfClick);
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
  const size_t written = SaveList(path, format, *gPhones, cellSource_, *cellSource_.Directory());
  ShowStatus(QStringLiteral("Список сохранён: %1 записей.").arg(written));
}
