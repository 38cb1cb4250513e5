#include "ui/print/PrintPreview.h"

#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <algorithm>

#include "ui/print/ListPainter.h"
#include "ui/print/PdfFile.h"
#include "ui/report/ErrorReport.h"

void ShowPrintPreview(const TPrintedList& list, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageLayout(DefaultListPageLayout());
  printer.setDocName(QStringLiteral("Список абонентов"));
  QPrintPreviewDialog dialog(&printer, parent);
  // A page, not a stamp: most of the screen's height, a page and a half wide.
  if (const QScreen* screen = (parent ? parent->screen() : QGuiApplication::primaryScreen())) {
    const int height = screen->availableGeometry().height() * 9 / 10;
    dialog.resize(std::min(height * 3 / 2, screen->availableGeometry().width()), height);
  }
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                   [&list](QPrinter* target) { RunGuarded([&] { PrintList(list, *target); }); });
  dialog.exec();
}
