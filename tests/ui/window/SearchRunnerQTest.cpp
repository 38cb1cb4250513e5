// The searches behind the window: only the latest one's progress and outcome come
// through, whatever the others still send, and no thread outlives the runner.

#include <QTest>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

#include "ui/SearchRunner.h"

namespace {

// Holds a search's work until the test lets it go.
class TGate {
 public:
  void Open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    changed_.notify_all();
  }
  // Until opened or the search is cancelled; true when cancelled.
  bool Wait(const TSearchCancel& cancel) {
    std::unique_lock lock(mutex_);
    while (!open_ && !cancel.Cancelled()) changed_.wait_for(lock, std::chrono::milliseconds(1));
    return cancel.Cancelled();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
};

TSearchOutcome Rows(std::vector<int32_t> rows) {
  TSearchOutcome outcome;
  outcome.Rows = std::move(rows);
  return outcome;
}

struct TSeen {
  std::vector<int32_t> Progress;
  std::vector<std::vector<int32_t>> Outcomes;
  std::vector<bool> RunningWhenFinished;
};

void Watch(TSearchRunner& runner, TSeen& seen) {
  QObject::connect(&runner, &TSearchRunner::progressed, [&](int32_t position) { seen.Progress.push_back(position); });
  QObject::connect(&runner, &TSearchRunner::finished, [&](const TSearchOutcome& outcome) {
    seen.Outcomes.push_back(outcome.Rows);
    seen.RunningWhenFinished.push_back(runner.Running());
  });
}

}  // namespace

class SearchRunnerQTest : public QObject {
  Q_OBJECT
 private slots:
  void workRunsOffTheOwnersThreadAndReportsInOrder() {
    TSearchRunner runner;
    TSeen seen;
    Watch(runner, seen);
    std::atomic<QThread*> ranOn{nullptr};
    runner.Start([&](const std::function<void(int32_t)>& onProgress, const TSearchCancel&) {
      ranOn = QThread::currentThread();
      for (int32_t i = 0; i < 30000; i += 10000) onProgress(i);
      return Rows({4, 7});
    });
    QVERIFY(runner.Running());
    QTRY_COMPARE(seen.Outcomes.size(), size_t{1});
    QVERIFY(ranOn.load() != QThread::currentThread());
    QCOMPARE(seen.Progress, std::vector<int32_t>({0, 10000, 20000}));
    QCOMPARE(seen.Outcomes[0], std::vector<int32_t>({4, 7}));
    QCOMPARE(seen.RunningWhenFinished, std::vector<bool>({false}));
    QCOMPARE(runner.Threads(), 0);
  }

  // The superseded work ignores its cancel flag and still sends progress and rows:
  // none of it may reach the window.
  void supersededSearchIsCancelledAndWhatItSendsLaterIsDropped() {
    TSearchRunner runner;
    TSeen seen;
    Watch(runner, seen);
    TGate firstGate;
    std::atomic<bool> firstCancelled{false};
    runner.Start([&](const std::function<void(int32_t)>& onProgress, const TSearchCancel& cancel) {
      firstCancelled = firstGate.Wait(cancel);
      onProgress(10000);
      return Rows({1, 2, 3});
    });
    TGate secondGate;
    runner.Start([&](const std::function<void(int32_t)>& onProgress, const TSearchCancel& cancel) {
      secondGate.Wait(cancel);
      onProgress(20000);
      return Rows({9});
    });
    QTRY_COMPARE(runner.Threads(), 1);
    QVERIFY(firstCancelled.load());
    QVERIFY(seen.Progress.empty() && seen.Outcomes.empty());
    QVERIFY(runner.Running());
    secondGate.Open();
    QTRY_COMPARE(seen.Outcomes.size(), size_t{1});
    QCOMPARE(seen.Outcomes[0], std::vector<int32_t>({9}));
    QCOMPARE(seen.Progress, std::vector<int32_t>({20000}));
  }

  void cancelledSearchSendsNothingAndItsThreadIsJoined() {
    TSearchRunner runner;
    TSeen seen;
    Watch(runner, seen);
    TGate gate;
    runner.Start([&](const std::function<void(int32_t)>&, const TSearchCancel& cancel) {
      gate.Wait(cancel);
      return Rows({5});
    });
    runner.Cancel();
    QVERIFY(!runner.Running());
    QTRY_COMPARE(runner.Threads(), 0);
    QCoreApplication::processEvents();
    QVERIFY(seen.Outcomes.empty());
    runner.Cancel();  // nothing runs: a second cancel changes nothing
    QVERIFY(!runner.Running());
  }

  void failingWorkEndsWithItsErrorAsTheOutcome() {
    TSearchRunner runner;
    std::exception_ptr error;
    int finished = 0;
    connect(&runner, &TSearchRunner::finished, [&](const TSearchOutcome& outcome) {
      error = outcome.Error;
      ++finished;
    });
    runner.Start([](const std::function<void(int32_t)>&, const TSearchCancel&) -> TSearchOutcome {
      throw std::runtime_error("no memory left");
    });
    QTRY_COMPARE(finished, 1);
    QVERIFY(error);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, std::rethrow_exception(error));
  }

  // The runner goes while its work still runs and would report afterwards: the work
  // is told to stop and waited for, and nothing it posted is delivered.
  void destroyingTheRunnerStopsAndJoinsEveryThread() {
    std::atomic<int> ended{0};
    int delivered = 0;
    {
      TSearchRunner runner;
      connect(&runner, &TSearchRunner::progressed, [&] { ++delivered; });
      connect(&runner, &TSearchRunner::finished, [&] { ++delivered; });
      auto work = [&](const std::function<void(int32_t)>& onProgress, const TSearchCancel& cancel) {
        while (!cancel.Cancelled()) {
          onProgress(0);
          QThread::usleep(100);
        }
        ++ended;
        return Rows({1});
      };
      runner.Start(work);
      runner.Start(work);
      QTRY_VERIFY(delivered > 0);
      delivered = 0;
    }
    QCOMPARE(ended.load(), 2);
    QCoreApplication::processEvents();
    QCOMPARE(delivered, 0);
  }
};

QTEST_MAIN(SearchRunnerQTest)
#include "SearchRunnerQTest.moc"
