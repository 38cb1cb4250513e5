#include "ui/print/PdfFile.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <stdexcept>

#include "ui/print/ListPainter.h"
#include "ui/report/ApplicationTitle.h"
#include "ui/text/Text1251.h"

namespace {

constexpr int kPdfDpi = 600;

[[noreturn]] void Fail(const QSaveFile& file) {
  throw std::runtime_error(ToCp1251(
      QStringLiteral("Не удалось сохранить список в файл PDF \"%1\": %2").arg(file.fileName(), file.errorString())));
}

}  // namespace

void SaveListPdf(const QString& path, const TPrintedList& list, const QPageLayout& layout) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) Fail(file);
  {
    QPdfWriter writer(&file);
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(layout);
    writer.setTitle(ApplicationTitle());
    writer.setCreator(ApplicationTitle());
    if (!PrintList(list, writer)) Fail(file);
  }
  if (!file.commit()) Fail(file);
}

QPageLayout DefaultListPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                     QPageLayout::Millimeter);
}
