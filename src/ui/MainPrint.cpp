#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>
#include <utility>

#include "ui/Main.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"
#include "ui/inputs/MaskEdit.h"
#include "ui/print/PdfFile.h"
#include "ui/print/PrintPreview.h"
#include "ui/print/PrintedList.h"
#include "ui/print/SearchConditions.h"
#include "ui/report/ErrorReport.h"

namespace {

// The cells of the rows on show, read from their own directory for as long as the
// print needs them: a reload meanwhile turns the window, not the print, to another.
class TPrintedCells : public TCellSource {
 public:
  explicit TPrintedCells(std::shared_ptr<const TDirectory> directory)
      : directory_(std::move(directory)), cells_(*directory_) {}
  std::string_view CellText(uint32_t key, int column, std::string& scratch) const override {
    return cells_.CellText(key, column, scratch);
  }

 private:
  std::shared_ptr<const TDirectory> directory_;
  TPhoneCellSource cells_;
};

QString ConditionsOf(const TfrmMain& window) {
  // Forgiving search is off while regular expressions are on, whatever its box says.
  const QAbstractButton* reading = window.chkRegExpr->isChecked() ? window.chkRegExpr : window.chkForgiving;
  return SearchConditions(
      {window.mePhone, window.teOwner, window.cbCity, window.cbStreet, window.meHouse, window.teCorpus, window.meFlat},
      {reading});
}

}  // namespace

void TfrmMain::CreatePrintActions() {
  const auto add = [this](const QString& text, const QString& name, void (TfrmMain::*handler)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcutContext(Qt::WindowShortcut);
    addAction(action);
    gPhones->View()->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
    return action;
  };
  actPrint = add(QStringLiteral("Печать…"), QStringLiteral("actPrint"), &TfrmMain::PrintClick);
  actPrint->setShortcut(QKeySequence::Print);
  actSavePdf = add(QStringLiteral("Сохранить в PDF…"), QStringLiteral("actSavePdf"), &TfrmMain::SavePdfClick);
}

TPrintedList TfrmMain::ListToPrint() const {
  return PrintedListOf(*gPhones, std::make_shared<TPrintedCells>(shownDirectory_), ConditionsOf(*this));
}

void TfrmMain::PrintClick() { ShowPrintPreview(ListToPrint(), this); }

void TfrmMain::SavePdfClick() {
  QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить в PDF"),
                                              QDir::home().filePath(QStringLiteral("список.pdf")),
                                              QStringLiteral("Документ PDF (*.pdf)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  SavePdfTo(path);
}

void TfrmMain::SavePdfTo(const QString& path) {
  const TPrintedList list = ListToPrint();
  SaveListPdf(path, list, DefaultListPageLayout());
  ShowStatus(QStringLiteral("Список сохранён в PDF: %1 записей.").arg(list.Keys.size()));
}
