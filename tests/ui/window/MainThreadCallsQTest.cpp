// The loader's hand-over to the window thread: the procedure runs there, the caller
// waits for it and sees its failure, and cancelling frees a waiting caller.

#include <QTest>
#include <QThread>
#include <atomic>
#include <stdexcept>
#include <thread>

#include "ui/MainThreadCalls.h"

class MainThreadCallsQTest : public QObject {
  Q_OBJECT
 private slots:
  void procedureRunsOnTheWindowThreadBeforeTheCallerGoesOn() {
    TMainThreadCalls calls;
    QThread* ranOn = nullptr;
    std::atomic<bool> returned{false};
    bool ranBeforeReturn = false;
    std::thread caller([&] {
      calls.Run([&] {
        ranOn = QThread::currentThread();
        ranBeforeReturn = !returned.load();
      });
      returned = true;
    });
    QTRY_VERIFY(returned.load());
    caller.join();
    QCOMPARE(ranOn, QCoreApplication::instance()->thread());
    QVERIFY(ranBeforeReturn);
  }

  void callerWaitsUntilTheWindowThreadGetsToIt() {
    TMainThreadCalls calls;
    std::atomic<bool> returned{false};
    std::thread caller([&] {
      calls.Run([] {});
      returned = true;
    });
    // Without event processing the hand-over cannot run.
    QThread::msleep(100);
    QVERIFY(!returned.load());
    QTRY_VERIFY(returned.load());
    caller.join();
  }

  void failureReachesTheCallingThread() {
    TMainThreadCalls calls;
    std::atomic<bool> caught{false};
    std::thread caller([&] {
      try {
        calls.Run([] { throw std::runtime_error("no window"); });
      } catch (const std::runtime_error&) {
        caught = true;
      }
    });
    QTRY_VERIFY(caught.load());
    caller.join();
  }

  void cancelReleasesAWaitingCallerWithoutRunning() {
    TMainThreadCalls calls;
    std::atomic<bool> returned{false};
    bool ran = false;
    std::thread caller([&] {
      calls.Run([&] { ran = true; });
      returned = true;
    });
    QThread::msleep(50);
    calls.Cancel();
    caller.join();
    QVERIFY(returned.load());
    QCoreApplication::processEvents();
    QVERIFY(!ran);
    calls.Run([&] { ran = true; });
    QVERIFY2(ran, "the window thread itself runs a procedure at once");
  }
};

QTEST_MAIN(MainThreadCallsQTest)
#include "MainThreadCallsQTest.moc"
