#include "ui/SearchRunner.h"

#include <thread>

struct TSearchRunner::TJob {
  uint64_t Id = 0;
  TSearchCancel Cancel;
  std::thread Thread;
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
  const TSearchCancel* cancel = &job->Cancel;
  // Posted to this object, so each call runs on the runner's thread, in the order sent.
  auto post = [this](auto&& call) { QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection); };
  job->Thread = std::thread([this, id, cancel, post, work = std::move(work)] {
    TSearchOutcome outcome;
    try {
      outcome = work(
          [this, id, post](int32_t position) {
            post([this, id, position] {
              if (id == current_) emit progressed(position);
            });
          },
          *cancel);
    } catch (...) {
      outcome.Error = std::current_exception();
    }
    post([this, id, outcome = std::move(outcome)]() mutable { Ended(id, std::move(outcome)); });
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
void TSearchRunner::Ended(uint64_t id, TSearchOutcome outcome) {
  for (auto job = jobs_.begin(); job != jobs_.end(); ++job) {
    if ((*job)->Id != id) continue;
    (*job)->Thread.join();
    jobs_.erase(job);
    break;
  }
  if (id != current_) return;
  current_ = 0;
  emit finished(outcome);
}
