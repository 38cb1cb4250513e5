// The window following its directory: an import noticed, F5 turning to the new
// directory without a restart, and no moment that shows one directory's names with
// another's phones.

#include <QTest>
#include <filesystem>

#include "data/PhoneFields.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"

namespace {

namespace fs = std::filesystem;

TDirectoryWriter OldDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").Street("Лесная");
  directory.Owner("Иванов").Phone({20, 1, 1, 3, 4, ""});
  return directory;
}

// The old rows read here would show a "Петров", found by no search for "иван", and
// "Заречный" is city 2 here, not 1.
TDirectoryWriter NewDirectory() {
  TDirectoryWriter directory;
  directory.City("Абакан").City("Заречный").Street("Лесная");
  directory.Owner("Петров").Phone({20, 2, 1, 3, 4, ""});
  directory.Owner("Иванова").Phone({555, 2, 1, 7, 8, ""});
  directory.Owner("Иванов").Phone({31, 1, 1, 1, 1, ""});
  return directory;
}

// As an import does: the new files written aside, each renamed over the old one.
void Import(const TDirectoryWriter& directory, const std::string& folder, bool phones = true) {
  const std::string aside = folder + "/new";
  fs::create_directory(aside);
  directory.Save(aside, true, true, phones);
  for (const char* name : {"Cities.dbr", "Streets.dbr", "Phones.dbr"})
    if (fs::exists(aside + "/" + name)) fs::rename(aside + "/" + name, folder + "/" + name);
  if (!phones) fs::remove(folder + "/Phones.dbr");
  fs::remove_all(aside);
}

QStringList ShownRows(TfrmMain& window) {
  const QStringList phones = ColumnTexts(window, colPhone);
  const QStringList owners = ColumnTexts(window, colOwner);
  const QStringList cities = ColumnTexts(window, colCity);
  QStringList rows;
  for (qsizetype i = 0; i < phones.size(); ++i) rows << phones[i] + "|" + owners[i] + "|" + cities[i];
  rows.sort();
  return rows;
}

const QStringList kOldRows = {QStringLiteral("20|Иванов|Заречный")};

}  // namespace

class ReloadQTest : public QObject {
  Q_OBJECT
 private slots:
  void anImportIsAnnouncedAndF5SearchesItNeverMixingTheTwo() {
    TWindowFixture fixture(OldDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    window.cbCity->SelectPosition(window.cbCity->findText(QStringLiteral("Заречный")));
    SearchOwner(window, QStringLiteral("иван"));
    QCOMPARE(ShownRows(window), kOldRows);
    Import(NewDirectory(), fixture.Directory());
    QTRY_COMPARE_WITH_TIMEOUT(StatusOf(window), QStringLiteral("Справочник обновлён. Нажмите F5, чтобы загрузить его."),
                              5000);
    QCOMPARE(ShownRows(window), kOldRows);
    window.ReloadDirectory();
    QVERIFY(window.Reloading());
    const QStringList newRows = {QStringLiteral("555|Иванова|Заречный")};
    QStringList mixed;
    QVERIFY(QTest::qWaitFor(
        [&] {
          const QStringList shown = ShownRows(window);
          if (shown != kOldRows && shown != newRows) mixed = shown;
          return !window.Reloading() && !window.Searching() && shown == newRows;
        },
        20000));
    QVERIFY2(mixed.isEmpty(), qPrintable(mixed.join(", ")));
    QCOMPARE(window.cbCity->currentText(), QStringLiteral("Заречный"));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 1 записей."));
  }

  void f5LoadsADirectoryImportedAfterAFailedStart() {
    TWindowFixture fixture(OldDirectory(), TWindowFixture::TPhones::Absent);
    TfrmMain& window = fixture.LoadedWindow();
    QVERIFY(PhonesLoadFailed(window));
    Import(NewDirectory(), fixture.Directory());
    window.ReloadDirectory();
    QVERIFY(QTest::qWaitFor([&] { return !window.Reloading(); }, 20000));
    QCOMPARE(StatusOf(window), QStringLiteral("База загружена. Телефонов: 3, абонентов: 3."));
    SearchOwner(window, QStringLiteral("иван"));
    QCOMPARE(ShownRows(window), QStringList({"31|Иванов|Абакан", "555|Иванова|Заречный"}));
  }

  void aFailedReloadKeepsTheOldDirectorySearched() {
    TWindowFixture fixture(OldDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("иван"));
    Import(NewDirectory(), fixture.Directory(), false);
    TMessageBoxCatcher boxes;
    window.ReloadDirectory();
    QVERIFY(QTest::qWaitFor([&] { return !window.Reloading(); }, 20000));
    QCOMPARE(boxes.Seen().size(), size_t{1});
    QCOMPARE(StatusOf(window), QStringLiteral("Новый справочник не загружен, поиск идёт по прежнему."));
    ClickSearch(window);
    QCOMPARE(ShownRows(window), kOldRows);
  }
};

ORLINAR_WINDOW_TEST_MAIN(ReloadQTest)

#include "ReloadQTest.moc"
