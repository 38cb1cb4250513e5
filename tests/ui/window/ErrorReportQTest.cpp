// The default error report: its text rule, its box, and that no exception leaves a
// handler or an event into Qt's loop.

#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "tests/ui/window/support/WindowFixture.h"
#include "tests/ui/window/support/WindowTestMain.h"
#include "ui/report/ApplicationTitle.h"
#include "ui/report/ErrorReport.h"
#include "ui/text/Text1251.h"

namespace {

class TThrowingObject : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw std::runtime_error("Event failed");
    return QObject::event(event);
  }
};

}  // namespace

class ErrorReportQTest : public QObject {
  Q_OBJECT
 private slots:
  void fullStopFollowsTheLastByte_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("letter") << "The edit value is invalid"
                            << "The edit value is invalid.";
    QTest::newRow("digit") << "code 5"
                           << "code 5.";
    QTest::newRow("cyrillic") << "Файл не найден"
                              << "Файл не найден.";
    QTest::newRow("slash sorts above the stop") << "a/"
                                                << "a/.";
    QTest::newRow("stop") << "Done."
                          << "Done.";
    QTest::newRow("exclamation") << "Stop!"
                                 << "Stop!";
    QTest::newRow("comma") << "a,"
                           << "a,";
    QTest::newRow("dash") << "a-"
                          << "a-";
    QTest::newRow("bracket") << "(код 2)"
                             << "(код 2)";
    QTest::newRow("quote") << "\"x\""
                           << "\"x\"";
    QTest::newRow("space") << "a "
                           << "a ";
  }
  void fullStopFollowsTheLastByte() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(FromCp1251(ErrorReportText(ToCp1251(message))), shown);
  }

  void reportIsACriticalBoxCaptionedWithTheTitle() {
    TMessageBoxCatcher boxes;
    ShowErrorReport(ToCp1251(QStringLiteral("Не удалось")));
    QCOMPARE(boxes.Seen().size(), size_t{1});
    QCOMPARE(boxes.Seen()[0].Title, ApplicationTitle());
    QCOMPARE(boxes.Seen()[0].Text, QStringLiteral("Не удалось."));
    QCOMPARE(boxes.Seen()[0].Icon, QMessageBox::Critical);
  }

  void guardedHandlerReportsAndReturns() {
    TMessageBoxCatcher boxes;
    bool cleanedUp = false;
    RunGuarded([&] {
      struct TCleanUp {
        bool& Done;
        ~TCleanUp() { Done = true; }
      } cleanUp{cleanedUp};
      throw std::runtime_error("'x' is not a valid integer value");
    });
    QVERIFY(cleanedUp);
    QCOMPARE(boxes.Seen().size(), size_t{1});
    QCOMPARE(boxes.Seen()[0].Text, QStringLiteral("'x' is not a valid integer value."));
    RunGuarded([] { throw 42; });
    QCOMPARE(boxes.Seen().size(), size_t{2});
    QVERIFY(!boxes.Seen()[1].Text.isEmpty());
  }

  void exceptionInAnEventIsReportedAndTheLoopGoesOn() {
    TMessageBoxCatcher boxes;
    TThrowingObject target;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QTRY_COMPARE(boxes.Seen().size(), size_t{1});
    QCOMPARE(boxes.Seen()[0].Text, QStringLiteral("Event failed."));
    bool later = false;
    QTimer::singleShot(0, [&] { later = true; });
    QTRY_VERIFY(later);
  }
};

ORLINAR_WINDOW_TEST_MAIN(ErrorReportQTest)

#include "ErrorReportQTest.moc"
