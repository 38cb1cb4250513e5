// The search runs behind the window: the window goes on answering meanwhile, Esc,
// a new search and closing the window end it, and the grid only ever shows the
// rows of the search that counts, in one piece.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "tests/ui/inputs/support/TypeKeys.h"
#include "tests/ui/window/support/LongSearch.h"
#include "tests/ui/window/support/WindowFixture.h"
#include "ui/Application.h"
#include "ui/PhoneCellSource.h"
#include "ui/SearchRunner.h"
#include "ui/grid/ResultGrid.h"
#include "ui/inputs/MaskEdit.h"

namespace {

bool Hourglass() { return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor; }

// Starts the search that only the work bound would end, from a window that shows
// the rows of an earlier search.
void StartHostileSearch(TfrmMain& window) {
  window.chkRegExpr->setChecked(true);
  window.mePhone->setText(kHostilePhoneExpression);
  window.btnGo->click();
}

}  // namespace

class BackgroundSearchQTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() {
    fixture_ = std::make_unique<TWindowFixture>(HostilePhonesDirectory());
    QVERIFY(fixture_->ShowAndWait());
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->Window()));
  }
  void cleanupTestCase() { fixture_.reset(); }

  // Each case starts from the rows of a plain search for one number.
  void init() {
    TfrmMain& window = fixture_->Window();
    window.chkRegExpr->setChecked(false);
    window.teCorpus->clear();
    window.mePhone->setText(QStringLiteral("0000000007"));
    ClickSearch(window);
    QCOMPARE(window.gPhones->RowCount(), 1);
  }

  void windowAnswersWhileTheSearchRunsAndEscCancelsIt() {
    TfrmMain& window = fixture_->Window();
    TMessageBoxCatcher boxes;
    StartHostileSearch(window);
    QVERIFY(window.Searching());
    QCOMPARE(StatusOf(window), QStringLiteral("Идёт поиск..."));
    QVERIFY(Hourglass());

    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    QTRY_VERIFY(timerRan);
    window.teCorpus->setFocus();
    TypeKeys(window.teCorpus, QStringLiteral("к2"));
    QCOMPARE(window.teCorpus->text(), QStringLiteral("к2"));
    const QPoint moved = window.pos() + QPoint(8, 8);
    window.move(moved);
    QTRY_COMPARE(window.pos(), moved);
    QVERIFY2(window.Searching(), "the search went on meanwhile");

    QTest::keyClick(window.teCorpus, Qt::Key_Escape);
    QVERIFY(!window.Searching());
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск отменён."));
    QCOMPARE(window.ProgressBar->value(), 0);
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QTRY_COMPARE(window.SearchRunner().Threads(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"9000000000000000007"}));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск отменён."));
    QVERIFY(boxes.Seen().empty());
  }

  void escWithoutASearchChangesNothing() {
    TfrmMain& window = fixture_->Window();
    const QString status = StatusOf(window);
    QTest::keyClick(window.mePhone, Qt::Key_Escape);
    QCOMPARE(StatusOf(window), status);
    QCOMPARE(window.gPhones->RowCount(), 1);
  }

  // The first search's rows would arrive after the second began: they never show,
  // and neither does the error that ends it.
  void newSearchSupersedesTheRunningOne() {
    TfrmMain& window = fixture_->Window();
    TMessageBoxCatcher boxes;
    StartHostileSearch(window);
    QVERIFY(window.Searching());
    QList<int> rowCounts;
    QObject watch;
    connect(window.gPhones->View()->model(), &QAbstractItemModel::modelReset, &watch,
            [&] { rowCounts << window.gPhones->RowCount(); });
    window.mePhone->setText(QStringLiteral("^9000000000000000012$|^9000000000000000003$"));
    ClickSearch(window);
    QCOMPARE(ColumnTexts(window, colPhone), QStringList({"9000000000000000003", "9000000000000000012"}));
    QCOMPARE(StatusOf(window), QStringLiteral("Поиск завершён. Найдено 2 записей."));
    QTRY_COMPARE(window.SearchRunner().Threads(), 0);
    QCoreApplication::processEvents();
    QCOMPARE(window.gPhones->RowCount(), 2);
    QCOMPARE(rowCounts, QList<int>({2}));
    QVERIFY(boxes.Seen().empty());
  }

  // Timed against the same search left to its work bound, so that a slow machine
  // slows both alike.
  void closingEndsTheSearchLongBeforeItsBound() {
    TfrmMain& window = fixture_->Window();
    TMessageBoxCatcher boxes;
    QElapsedTimer clock;
    clock.start();
    StartHostileSearch(window);
    QVERIFY(WaitForSearch(window, 60000));
    const qint64 wholeSearch = clock.elapsed();
    QCOMPARE(boxes.Seen().size(), size_t{1});

    StartHostileSearch(window);
    QVERIFY(window.Searching());
    clock.restart();
    window.close();
    QVERIFY(!window.Searching());
    QTRY_COMPARE_WITH_TIMEOUT(window.SearchRunner().Threads(), 0, 60000);
    QVERIFY2(clock.elapsed() < wholeSearch / 2,
             qPrintable(QString("%1 of %2 ms").arg(clock.elapsed()).arg(wholeSearch)));
    QCoreApplication::processEvents();
    QCOMPARE(boxes.Seen().size(), size_t{1});
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }

  // No event runs between the click and the window's end: its destructor stops and
  // joins the thread, which touches nothing of the window.
  void destroyingTheWindowDuringASearchJoinsItsThread() {
    TWindowFixture fixture(HostilePhonesDirectory());
    QVERIFY(fixture.ShowAndWait());
    TfrmMain& window = fixture.Window();
    StartHostileSearch(window);
    QVERIFY(window.Searching());
    QElapsedTimer clock;
    clock.start();
    fixture.DestroyWindow();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString("%1 ms").arg(clock.elapsed())));
  }

 private:
  std::unique_ptr<TWindowFixture> fixture_;
};

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  BackgroundSearchQTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "BackgroundSearchQTest.moc"
