// Long work of a window, run off the user-interface thread: a million-row
// table or an inverse of a hundred thousand points must not freeze the
// window. The work reports how far it is and looks for a cancel between
// pieces; a cancelled job hands nothing back, so it changes nothing.
#pragma once

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace tarnvel {

struct JobProgress {
  std::atomic<long long> done{0};
  std::atomic<long long> total{0};  // 0 while unknown

  bool cancelled() const { return state == kCancelled; }
  // Called by the work before a step that cannot be taken back, such as
  // writing a file: from then on a cancel has no effect. False when the job
  // was cancelled first; then the step must not be taken.
  bool commit() {
    int expected = kRunning;
    return state.compare_exchange_strong(expected, kCommitted) || expected == kCommitted;
  }
  // False once the work has committed.
  bool cancel() {
    int expected = kRunning;
    return state.compare_exchange_strong(expected, kCancelled);
  }

 private:
  static constexpr int kRunning = 0, kCancelled = 1, kCommitted = 2;
  std::atomic<int> state{kRunning};
};

// Frees a value on a thread of the pool: a million rows take the window's
// thread tens of milliseconds to free.
template <class T>
void FreeInBackground(T value) {
  auto held = std::make_shared<T>(std::move(value));
  QThreadPool::globalInstance()->start([held = std::move(held)]() mutable { held.reset(); });
}

class BackgroundJob : public QObject {
  Q_OBJECT

 public:
  // Runs on the worker thread; it must look at `cancelled` now and then.
  using Work = std::function<void(JobProgress&)>;
  // Runs on the window's thread once the work has finished, not cancelled.
  using Done = std::function<void()>;

  explicit BackgroundJob(QObject* parent = nullptr);
  ~BackgroundJob() override;  // cancels and waits

  // False while another job runs. `unfinished`, when given, runs on the
  // window's thread instead of `done` when the job was cancelled or ran out
  // of memory, before `finished`: for work that gave something up to run.
  bool start(Work work, Done done, Done unfinished = {});
  bool isRunning() const { return thread_ != nullptr; }
  // The work stops at its next look; its `done` is never called.
  void cancel();
  // Blocks until no job runs (for tests and for closing).
  void wait();

 signals:
  // Per mille, or −1 while the total is unknown.
  void progressChanged(int permille);
  // The work ran out of memory; like a cancelled job it hands nothing back.
  void outOfMemory();
  void finished(bool completed);

 private:
  void threadFinished();

  QThread* thread_ = nullptr;
  std::shared_ptr<JobProgress> progress_;
  std::shared_ptr<std::atomic<bool>> failed_;  // by an allocation
  Done done_;
  Done unfinished_;
  QTimer poll_;
};

}  // namespace tarnvel
