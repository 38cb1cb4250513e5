#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>

#include "ui/Main.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"
#include "ui/inputs/MaskEdit.h"
#include "ui/print/PdfFile.h"
#include "ui/print/PrintPreview.h"
#include "ui/print/PrintedList.h"
#include "ui/print/SearchConditions.h"

namespace {

QString ConditionsOf(const TfrmMain& window) {
  // Forgiving search is off while regular expressions are on, whatever its box says.
  const QAbstractButton* reading = window.chkRegExpr->isChecked() ? window.chkRegExpr : window.chkForgiving;
  return SearchConditions(
      {window.mePhone, window.teOwner, window.cbCity, window.cbStreet, window.meHouse, window.teCorpus, window.meFlat},
      {reading});
}

}  // namespace

TPrintedList TfrmMain::ListToPrint() const {
  return PrintedListOf(*gPhones, std::make_shared<TPhoneCellSource>(cellSource_.Directory()), ConditionsOf(*this));
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
