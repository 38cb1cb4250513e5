// The search command driven through the real window: waiting for the loader, the
// order of the rows, the messages and the progress bar.

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "data/LoadDataThread.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/PhoneCellSource.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"
#include "ui/inputs/MaskEdit.h"

namespace {

TDirectoryWriter OrderDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").City("Озёрск").Street("Лесная");
  directory.Owner("Иванов Иван").Phone({20, 1, 1, 12, 45, "а"});
  directory.Owner("Иванова Анна").Phone({100, 2, 0, 0, 0, ""});
  directory.Owner("ИВАНЕНКО").Phone({3, 0, 1, 65535, 7, "12Б"});
  directory.Owner("Петров").Phone({555, 1, 0, 9, 9, ""});
  directory.Owner("Иванов первый").Phone({555, 1, 0, 1, 1, ""});
  directory.Owner("Иванов второй").Phone({555, 1, 0, 2, 2, ""});
  return directory;
}

TDirectoryWriter ManyLines(int lines, const std::string& owner) {
  TDirectoryWriter directory;
  directory.City("Заречный");
  directory.Owner(owner);
  for (int i = 0; i < lines; ++i) directory.Phone({1000000 + i, 1, 0, static_cast<uint16_t>(i % 100), 1, ""});
  return directory;
}

}  // namespace

class SearchQTest : public QObject {
  Q_OBJECT
 private slots:
  void rowsOrderByPhoneTextWithTiesInScanOrder() {
    TWindowFixture fixture(OrderDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("иван"));
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"100", "20", "3", "555", "555"}));
    QCOMPARE(ColumnTexts(window, colOwner),
             QStringList({"Иванова Анна", "Иванов Иван", "ИВАНЕНКО", "Иванов первый", "Иванов второй"}));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 5 записей."));
  }

  void cellsShowTheTablesWithNumbersAsDecimalText() {
    TWindowFixture fixture(OrderDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    window.mePhone->setText("3");
    ClickSearch(window);
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"3"}));
    QCOMPARE(ColumnTexts(window, colCity), QStringList({""}));
    QCOMPARE(ColumnTexts(window, colStreet), QStringList({"Лесная"}));
    QCOMPARE(ColumnTexts(window, colHouse), QStringList({"65535"}));
    QCOMPARE(ColumnTexts(window, colCorpus), QStringList({"12Б"}));
    QCOMPARE(ColumnTexts(window, colFlat), QStringList({"7"}));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 1 записей."));
  }

  void searchFindingNothingSaysZeroRecords() {
    TWindowFixture fixture(OrderDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("иван"));
    SearchOwner(window, QStringLiteral("Сидоров"));
    QCOMPARE(window.gPhones->RowCount(), 0);
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 0 записей."));
  }

  void nameListedOnceFindsEveryIndexCarryingIt() {
    TDirectoryWriter directory;
    directory.City("Заречный").City("Озёрск").City("ЗАРЕЧНЫЙ");
    directory.Owner("Первый").Phone({11, 1, 0, 1, 1, ""});
    directory.Owner("Второй").Phone({12, 2, 0, 1, 1, ""});
    directory.Owner("Третий").Phone({13, 3, 0, 1, 1, ""});
    TWindowFixture fixture(directory);
    TfrmMain& window = fixture.LoadedWindow();
    QCOMPARE(window.cbCity->count(), 3);
    window.cbCity->setCurrentIndex(window.cbCity->findText(QStringLiteral("Заречный")));
    ClickSearch(window);
    QCOMPARE(ColumnTexts(window, colOwner), QStringList({"Первый", "Третий"}));
  }

  void emptyCityEntryRemovesTheCriterion() {
    TWindowFixture fixture(OrderDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    window.cbCity->setCurrentIndex(window.cbCity->findText(QStringLiteral("Озёрск")));
    window.teOwner->setText(QStringLiteral("иван"));
    ClickSearch(window);
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"100"}));
    window.cbCity->setCurrentIndex(0);
    ClickSearch(window);
    QCOMPARE(window.gPhones->RowCount(), 5);
  }

  void searchPressedWhileLoadingWaitsThenScansTheWholeTable() {
    const int lines = 30000;
    TDirectoryWriter directory = ManyLines(lines, "Иванов");
    TWindowFixture fixture(directory, TWindowFixture::TPhones::Held);
    TfrmMain& window = fixture.Window();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    int ticksWhileWaiting = 0;
    bool hourglassWhileWaiting = false;
    QString statusWhileWaiting;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] {
      if (PhonesLoaded(window)) return;
      if (++ticksWhileWaiting == 3) {
        hourglassWhileWaiting =
            QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        statusWhileWaiting = StatusOf(window);
        fixture.ReleasePhonesWith(directory.PhonesBytes());
      }
    });
    ticker.start(20);
    SearchOwner(window, QStringLiteral("иванов"));
    ticker.stop();

    QVERIFY(ticksWhileWaiting >= 3);
    QVERIFY(hourglassWhileWaiting);
    QCOMPARE(statusWhileWaiting, QStringLiteral("Загрузка базы данных..."));
    QCOMPARE(window.gPhones->RowCount(), lines);
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 30000 записей."));
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void progressMovesEveryTenThousandRecordsAndReturnsToZero() {
    TWindowFixture fixture(ManyLines(25000, "Петров"));
    TfrmMain& window = fixture.LoadedWindow();
    QList<int> positions;
    connect(window.ProgressBar, &QProgressBar::valueChanged, [&](int value) { positions << value; });
    window.meFlat->setText("1");
    ClickSearch(window);
    // Positions the window was too busy to show are passed over, never the latest.
    QStringList shown;
    for (int position : positions) shown << QString::number(position);
    QVERIFY2(positions == QList<int>({10000, 20000, 0}) || positions == QList<int>({20000, 0}),
             qPrintable(shown.join(',')));
    QCOMPARE(window.ProgressBar->maximum(), 24999);
    QCOMPARE(window.gPhones->RowCount(), 25000);
  }

  void expressionErrorEndsTheFillAndIsReported() {
    TWindowFixture fixture(OrderDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("иван"));
    QCOMPARE(window.gPhones->RowCount(), 5);

    TMessageBoxCatcher boxes;
    window.chkRegExpr->setChecked(true);
    // Compiles as typed, so the button stays enabled, but not once trimmed for the search.
    SearchOwner(window, QStringLiteral("иван\\ "));
    QCOMPARE(boxes.Seen().size(), size_t{1});
    QCOMPARE(boxes.Seen()[0].Icon, QMessageBox::Critical);
    QVERIFY(!boxes.Seen()[0].Text.isEmpty());
    QCOMPARE(window.gPhones->RowCount(), 0);
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск прерван. Найдено 0 записей."));
    QCOMPARE(window.ProgressBar->value(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void emptyPhoneTableFindsNothing() {
    TDirectoryWriter directory;
    directory.City("Заречный");
    TWindowFixture fixture(directory);
    TfrmMain& window = fixture.LoadedWindow();
    SearchOwner(window, QStringLiteral("а"));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 0 записей."));
    QCOMPARE(window.ProgressBar->value(), 0);
  }

  void enterInAFieldSearchesOnlyWhileTheButtonIsEnabled() {
    TWindowFixture fixture(OrderDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.teCorpus->setFocus();
    QTest::keyClick(window.teCorpus, Qt::Key_Return);
    QVERIFY(!window.Searching());
    QVERIFY(!StatusOf(window).startsWith(QStringLiteral("Поиск")));
    window.teCorpus->insert(QStringLiteral("а"));
    QTest::keyClick(window.teCorpus, Qt::Key_Return);
    QVERIFY(WaitForSearch(window));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 1 записей."));
  }
};

ORLINAR_WINDOW_TEST_MAIN(SearchQTest)

#include "SearchQTest.moc"
