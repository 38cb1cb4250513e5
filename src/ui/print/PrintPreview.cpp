#include "ui/print/PrintPreview.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

#include "ui/print/ListPainter.h"
#include "ui/print/PdfFile.h"
#include "ui/report/ErrorReport.h"

void ShowPrintPreview(const TPrintedList& list, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(DefaultListPageLayout());
  printer.setDocName(QStringLiteral("Список абонентов"));
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&list](QPrinter* target) { RunGuarded([&] { PrintList(list, *target); }); });
  dialog.exec();
}
