// The search behind the window, which answers while it runs; what ends it; the rows
// of the search that counts only; «Искать при вводе» and «Гибкий поиск».

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "tests/ui/inputs/support/TypeKeys.h"
#include "tests/ui/window/support/LongSearch.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/PhoneCellSource.h"
#include "ui/SearchRunner.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/LookupComboBox.h"
#include "ui/inputs/MaskEdit.h"

namespace {

// The search that only its work bound would end.
void StartHostileSearch(TfrmMain& window) {
  window.chkRegExpr->setChecked(true);
  window.mePhone->setText(kHostilePhoneExpression);
  window.btnGo->click();
  QVERIFY(window.Searching());
}

// The row counts the grid shows each time its rows are replaced.
struct TResets : QObject {
  explicit TResets(TfrmMain& window) {
    connect(window.gPhones->View()->model(), &QAbstractItemModel::modelReset, this,
            [this, &window] { Counts << window.gPhones->RowCount(); });
  }
  QList<int> Counts;
};

TDirectoryWriter NamesDirectory() {
  TDirectoryWriter directory;
  directory.City("Заречный").City("Озёрск");
  directory.Owner("Иванов Иван").Phone({9123456789, 1, 0, 1, 1, ""}).Phone({4951234567, 1, 0, 2, 2, ""});
  directory.Owner("Иванова Анна").Phone({3456789, 2, 0, 3, 3, ""});
  directory.Owner("Bdfyjd Trading").Phone({100, 1, 0, 4, 4, ""});
  return directory;
}

}  // namespace

class BackgroundSearchQTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    hostile_ = std::make_unique<TWindowFixture>(HostilePhonesDirectory());
    QVERIFY(hostile_->ShowAndWait());
    QVERIFY(QTest::qWaitForWindowActive(&hostile_->Window()));
  }
  void cleanupTestCase() { hostile_.reset(); }

  // Each case over the hostile directory starts from the row of one plain search.
  void init() {
    TfrmMain& window = hostile_->Window();
    window.chkSearchAsYouType->setChecked(false);
    window.chkRegExpr->setChecked(false);
    window.teOwner->clear();
    window.mePhone->setText(QStringLiteral("0000000007"));
    ClickSearch(window);
    QCOMPARE(window.gPhones->RowCount(), 1);
  }

  void windowAnswersWhileTheSearchRunsAndEscCancelsIt() {
    TfrmMain& window = hostile_->Window();
    TMessageBoxCatcher boxes;
    StartHostileSearch(window);
    QCOMPARE(StatusOf(window), QStringLiteral("Идёт поиск..."));
    QVERIFY(QApplication::overrideCursor());
    TypeKeys(window.teOwner, QStringLiteral("п"));
    const QPoint moved = window.pos() + QPoint(8, 8);
    window.move(moved);
    QTRY_COMPARE(window.pos(), moved);
    QCOMPARE(window.teOwner->text(), QStringLiteral("п"));
    QVERIFY2(window.Searching(), "the search went on meanwhile");

    QTest::keyClick(window.teOwner, Qt::Key_Escape);
    QVERIFY(!window.Searching());
    QCOMPARE(window.ProgressBar->value(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QTRY_COMPARE(window.SearchRunner().Threads(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"9000000000000000007"}));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск отменён."));
    QVERIFY(boxes.Seen().empty());
  }

  // What the first search still sends after the second began never shows.
  void newSearchSupersedesTheRunningOne() {
    TfrmMain& window = hostile_->Window();
    TMessageBoxCatcher boxes;
    StartHostileSearch(window);
    TResets resets(window);
    window.mePhone->setText(QStringLiteral("^9000000000000000012$|^9000000000000000003$"));
    ClickSearch(window);
    QTRY_COMPARE(window.SearchRunner().Threads(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"9000000000000000003", "9000000000000000012"}));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 2 записей."));
    QCOMPARE(resets.Counts, QList<int>({2}));
    QVERIFY(boxes.Seen().empty());
  }

  // Keys are sent without the event loop running in between, so the searches of the
  // first letters are superseded before any of them can end.
  void typingSearchesOnlyWhileTheBoxIsChecked() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    window.teOwner->setFocus();
    TypeKeys(window.teOwner, QStringLiteral("ив"));
    QVERIFY(!window.Searching());
    window.chkSearchAsYouType->setChecked(true);
    TResets resets(window);
    TypeKeys(window.teOwner, QStringLiteral("ан"));
    QVERIFY(WaitForSearch(window));
    window.cbCity->setCurrentIndex(window.cbCity->findText(QStringLiteral("Озёрск")));
    QVERIFY(WaitForSearch(window));
    QCOMPARE(resets.Counts, QList<int>({3, 1}));
    // An expression that does not compile, like empty fields, is nothing to search, and
    // the search for the inputs before it no longer fits the fields.
    window.chkRegExpr->setChecked(true);
    QVERIFY(window.Searching());
    window.teOwner->setText(QStringLiteral("(ив"));
    QVERIFY(!window.Searching());
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск отменён."));
    QVERIFY2(!QApplication::overrideCursor(), "typed searches keep the normal cursor");
    QCoreApplication::processEvents();
    QCOMPARE(ColumnTexts(window, colOwner), QStringList({"Иванова Анна"}));
  }

  void optionsAreRememberedForTheNextWindow() {
    TWindowFixture fixture(NamesDirectory());
    for (auto [asYouType, forgiving] : {std::pair{true, true}, {true, false}, {false, false}}) {
      fixture.Window().chkSearchAsYouType->setChecked(asYouType);
      fixture.Window().chkForgiving->setChecked(forgiving);
      fixture.DestroyWindow();
      QCOMPARE(fixture.Window().chkSearchAsYouType->isChecked(), asYouType);
      QCOMPARE(fixture.Window().chkForgiving->isChecked(), forgiving);
    }
    fixture.Window().chkRegExpr->setChecked(true);
    QVERIFY(!fixture.Window().chkForgiving->isEnabled());
  }

  void forgivingSearchTakesTheNumberAsWrittenAndLatinLettersAsRussian() {
    TWindowFixture fixture(NamesDirectory());
    TfrmMain& window = fixture.LoadedWindow();
    for (bool forgiving : {false, true}) {
      window.chkForgiving->setChecked(forgiving);
      window.mePhone->clear();
      QApplication::clipboard()->setText(QStringLiteral("+7 (912) 345-67-89"));
      window.mePhone->PasteFiltered();
      QCOMPARE(window.mePhone->text(), QString(forgiving ? "+7 (912) 345-67-89" : "7912345678"));
    }
    ClickSearch(window);
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"9123456789"}));
    window.mePhone->clear();
    SearchOwner(window, QStringLiteral(" BDFYJD "));
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"100", "3456789", "4951234567", "9123456789"}));
    QCOMPARE(StatusOf(window),
             QStringLiteral("Поиск завершён. Найдено 4 записей (в русской раскладке: «иванов» — 3)."));
  }

  // Timed against the same search left to its work bound, so that a slow machine
  // slows both alike.
  void closingEndsTheSearchLongBeforeItsBound() {
    TfrmMain& window = hostile_->Window();
    TMessageBoxCatcher boxes;
    QElapsedTimer clock;
    clock.start();
    StartHostileSearch(window);
    QVERIFY(WaitForSearch(window, 60000));
    const qint64 wholeSearch = clock.elapsed();
    StartHostileSearch(window);
    clock.restart();
    window.close();
    QTRY_COMPARE_WITH_TIMEOUT(window.SearchRunner().Threads(), 0, 60000);
    QVERIFY2(clock.elapsed() < wholeSearch / 2,
             qPrintable(QString("%1 of %2 ms").arg(clock.elapsed()).arg(wholeSearch)));
    QCoreApplication::processEvents();
    QCOMPARE(boxes.Seen().size(), size_t{1});
    // Left running: the window goes at the end without an event between, and its
    // destructor must stop and join the thread.
    StartHostileSearch(window);
  }

 private:
  std::unique_ptr<TWindowFixture> hostile_;
};

ORLINAR_WINDOW_TEST_MAIN(BackgroundSearchQTest)

#include "BackgroundSearchQTest.moc"
