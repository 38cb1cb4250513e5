#include "ui/SearchRunner.h"

#include <atomic>
#include <thread>

struct TSearchRunner::TJob {
  uint64_t Id = 0;
  TSearchCancel Cancel;
  std::thread Thread;
  std::atomic<int32_t> Position{0};
  std::atomic<bool> ProgressPosted{false};
};

TSearchRunner::TSearchRunner(QObject* parent) : QObject(parent) {}

// What the threads posted meanwhile is dropped with the object.
TSearchRunner::~TSearchRunner() {
  for (const auto& job : jobs_) job->Cancel.Cancel();
  for (const auto& job : jobs_)
    if (job->Thread.joinable()) job->Thread.join();
}

void TSearchRunner::Start(TSearchWork work) {
  Cancel();
  auto job = std::make_unique<TJob>();
  job->Id = ++lastId_;
  const uint64_t id = job->Id;
  TJob* posting = job.get();
  // Posted to this object, so each call runs on the runner's thread, in the order sent.
  // The job outlives its progress calls: they are all posted before its end.
  auto post = [this](auto&& call) { QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection); };
  job->Thread = std::thread([this, id, posting, post, work = std::move(work)] {
    TSearchResult result;
    try {
      result = work(
          [this, id, posting, post](int32_t position) {
            posting->Position.store(position, std::memory_order_relaxed);
            if (posting->ProgressPosted.exchange(true, std::memory_order_acq_rel)) return;
            post([this, id, posting] {
              // An exchange, so that a position stored while this was pending is seen.
              posting->ProgressPosted.exchange(false, std::memory_order_acq_rel);
              if (id == current_) emit progressed(posting->Position.load(std::memory_order_relaxed));
            });
          },
          posting->Cancel);
    } catch (...) {
      result.Outcome.Error = std::current_exception();
    }
    post([this, id, result = std::move(result)]() mutable { Ended(id, std::move(result)); });
  });
  jobs_.push_back(std::move(job));
  current_ = id;
}

void TSearchRunner::Cancel() {
  if (current_ == 0) return;
  for (const auto& job : jobs_)
    if (job->Id == current_) job->Cancel.Cancel();
  current_ = 0;
}

// The thread has posted its last call and is ending, so the join is short. The job
// goes before the signal: a handler may start the next search.
void TSearchRunner::Ended(uint64_t id, TSearchResult result) {
  for (auto job = jobs_.begin(); job != jobs_.end(); ++job) {
    if ((*job)->Id != id) continue;
    (*job)->Thread.join();
    jobs_.erase(job);
    break;
  }
  if (id != current_) return;
  current_ = 0;
  emit finished(result);
}
