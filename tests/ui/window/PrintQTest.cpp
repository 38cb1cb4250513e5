// Printing from the real window: Ctrl+P opens the preview of the found rows, with
// the grid's groups, and «Сохранить в PDF…» writes the same pages into a file.

#include <QAbstractItemView>
#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "data/PhoneFields.h"
#include "tests/ui/support/FileContents.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/grid/ResultGrid.h"

namespace {

TDirectoryWriter PrintDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").City("Самара").Street("Лесная");
  directory.Owner("Иванов Иван").Phone({20, 1, 1, 12, 45, ""});
  directory.Owner("Иванова Анна").Phone({21, 2, 1, 3, 7, ""});
  directory.Owner("Петров").Phone({555, 2, 0, 9, 9, ""});
  return directory;
}

// The page count of the preview that the window opens once keys are pressed; -1 when
// none opened.
int PreviewPagesAfter(TfrmMain& window, QKeyCombination keys) {
  int pages = -1;
  QTimer::singleShot(0, &window, [&] {
    auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
    dialog->reject();
  });
  QTest::keyClick(&window, keys.key(), keys.keyboardModifiers());
  return pages;
}

}  // namespace

class PrintQTest : public QObject {
  Q_OBJECT
 private slots:
  void ctrlPPreviewsTheFoundRowsAndThePdfHoldsTheSamePages() {
    TWindowFixture fixture(PrintDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("иван"));
    TGridLayout layout = window.gPhones->Layout();
    layout.Grouping = {colCity};
    window.gPhones->RestoreLayout(layout);
    QCOMPARE(PreviewPagesAfter(window, Qt::ControlModifier | Qt::Key_P), 1);
    QVERIFY(window.gPhones->View()->actions().contains(window.actPrint));
    QVERIFY(window.gPhones->View()->actions().contains(window.actSavePdf));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("список.pdf"));
    window.SavePdfTo(path);
    QCOMPARE(FileContents(path).count(QByteArrayLiteral("/Type /Page\n")), qsizetype(1));
    QCOMPARE(StatusOf(window), QStringLiteral("Список сохранён в PDF: 2 записей."));
  }
};

ORLINAR_WINDOW_TEST_MAIN(PrintQTest)

#include "PrintQTest.moc"
