#pragma once
// Runs the window's searches off the window thread, one that counts at a time. Each
// search gets a thread of its own and a cancel flag; starting another or cancelling
// sets the flag, and whatever that search still reports is dropped, so only the
// latest search's progress and outcome ever reach the window. Every callback and
// signal comes on the thread that owns the runner.

#include <QObject>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>

#include "data/Directory.h"
#include "search/RunSearch.h"
#include "search/SearchCancel.h"
#include "ui/grid/OrderedRows.h"

// What one search hands the window: its outcome and, when the search's thread got so
// far, its rows already in the grid's order (then Outcome.Rows is left empty). Shared,
// so that the one handler can take the rows out of the signal's argument.
struct TSearchResult {
  TSearchOutcome Outcome;
  std::shared_ptr<TOrderedRows> Rows;
  std::shared_ptr<const TDirectory> Directory;  // the one the rows index; none when the work threw
};

// The work of one search, run on its own thread. onProgress may be called from it
// at any time; cancel is set once the search no longer counts.
using TSearchWork =
    std::function<TSearchResult(const std::function<void(int32_t)>& onProgress, const TSearchCancel& cancel)>;

class TSearchRunner : public QObject {
  Q_OBJECT
 public:
  explicit TSearchRunner(QObject* parent = nullptr);
  // Cancels every search still running and waits for its thread: nothing it does
  // outlives the runner.
  ~TSearchRunner() override;

  // Cancels the running search first. What work throws becomes the outcome's Error.
  // Throws std::system_error when no thread can be had; nothing runs then.
  void Start(TSearchWork work);
  // The running search, if any, no longer counts: no signal of it is sent.
  void Cancel();
  // A search was started and neither finished nor was cancelled.
  bool Running() const { return current_ != 0; }
  // Threads not yet joined, those of cancelled searches included.
  int Threads() const { return static_cast<int>(jobs_.size()); }

 signals:
  // The latest position only: those reported while the window thread was busy are
  // passed over, so a fast scan never floods the event queue.
  void progressed(int32_t position);
  // The running search is over; Running() is false already.
  void finished(const TSearchResult& result);

 private:
  struct TJob;
  void Ended(uint64_t id, TSearchResult result);

  std::list<std::unique_ptr<TJob>> jobs_;
  uint64_t current_ = 0;  // 0: none counts
  uint64_t lastId_ = 0;
};
