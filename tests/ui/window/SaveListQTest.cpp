// The found list saved from the real window: the spreadsheet's columns and rows as
// shown, the import lines of the same rows, and a save that fails leaving no file.

#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

#include "data/PhoneFields.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/export/ListFile.h"
#include "ui/grid/ResultGrid.h"

#include "tests/ui/support/FileContents.h"

namespace {

TDirectoryWriter ListDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").Street("Лесная");
  directory.Owner("Иванов; Иван").Phone({20, 1, 1, 12, 45, "а"});
  directory.Owner("=Иванова()").Phone({100, 0, 0, 0, 0, "к\t2"});
  directory.Owner("Петров").Phone({555, 1, 0, 9, 9, ""});
  return directory;
}

}  // namespace

class SaveListQTest : public QObject {
  Q_OBJECT
 private slots:
  void csvHoldsTheColumnsAndRowsAsShown() {
    TWindowFixture fixture(ListDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("иван"));
    auto* view = static_cast<QTableView*>(window.gPhones->View());
    view->horizontalHeader()->moveSection(colCity, 0);
    view->horizontalHeader()->hideSection(colStreet);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("список.csv"));
    window.SaveListTo(path, TListFormat::Csv);
    const QByteArray bytes = FileContents(path);
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(QString::fromUtf8(bytes.mid(3)), QStringLiteral("Город;Телефон;Абонент;Дом;Корпус;Квартира\r\n"
                                                             ";100;'=Иванова();0;к\t2;0\r\n"
                                                             "Заречный;20;\"Иванов; Иван\";12;а;45\r\n"));
    QCOMPARE(StatusOf(window), QStringLiteral("Список сохранён: 2 записей."));
  }

  void importLinesHoldEveryFieldOfTheRowsAsShown() {
    TWindowFixture fixture(ListDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("в"));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("список.tsv"));
    window.SaveListTo(path, ListFormatOf(path, TListFormat::Csv));
    QCOMPARE(QString::fromUtf8(FileContents(path)), QStringLiteral("100\t=Иванова()\t\t\t0\tк\\t2\t0\n"
                                                                   "20\tИванов; Иван\tЗаречный\tЛесная\t12\tа\t45\n"
                                                                   "555\tПетров\tЗаречный\t\t9\t\t9\n"));
  }

  void aFailedSaveThrowsNamingTheFileAndWritesNothing() {
    TWindowFixture fixture(ListDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("иван"));
    QTemporaryDir folder;
    const QString blocker = folder.filePath(QStringLiteral("file"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const QString path = blocker + QStringLiteral("/список.csv");
    try {
      window.SaveListTo(path, TListFormat::Csv);
      QFAIL("saved under a plain file");
    } catch (const std::runtime_error& error) {
      QVERIFY(QString::fromLocal8Bit(error.what()).size() > 0);
    }
    QVERIFY(!QFile::exists(path));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"file"}));
  }
};

ORLINAR_WINDOW_TEST_MAIN(SaveListQTest)

#include "SaveListQTest.moc"
