#include "ui/common/background_job.h"

#include <QThread>
#include <new>

namespace tarnvel {

BackgroundJob::BackgroundJob(QObject* parent) : QObject(parent) {
  // Twenty updates a second keep the bar lively without flooding the thread.
  poll_.setInterval(50);
  connect(&poll_, &QTimer::timeout, this, [this] {
    if (!progress_) return;
    const long long total = progress_->total.load();
    emit progressChanged(total > 0 ? static_cast<int>(progress_->done.load() * 1000 / total) : -1);
  });
}

BackgroundJob::~BackgroundJob() {
  cancel();
  if (thread_) {
    thread_->wait();
    delete thread_;
  }
}

bool BackgroundJob::start(Work work, Done done, Done unfinished) {
  if (thread_) return false;
  progress_ = std::make_shared<JobProgress>();
  done_ = std::move(done);
  unfinished_ = std::move(unfinished);
  failed_ = std::make_shared<std::atomic<bool>>(false);
  // A table too large for the memory must not end the program: the worker
  // stops, and the window keeps what it showed.
  thread_ = QThread::create([work = std::move(work), progress = progress_, failed = failed_] {
    try {
      work(*progress);
    } catch (const std::bad_alloc&) {
      *failed = true;
    }
  });
  // A finish that wait() has handled already must not end a later job.
  QThread* thread = thread_;
  connect(thread_, &QThread::finished, this, [this, thread] {
    if (thread_ == thread) threadFinished();
  });
  poll_.start();
  emit progressChanged(0);
  thread_->start();
  return true;
}

void BackgroundJob::cancel() {
  if (progress_) progress_->cancel();
}

void BackgroundJob::wait() {
  if (!thread_) return;
  thread_->wait();
  threadFinished();
}

void BackgroundJob::threadFinished() {
  poll_.stop();
  thread_->deleteLater();
  thread_ = nullptr;
  const bool failed = failed_->load();
  const bool completed = !progress_->cancelled() && !failed;
  Done done = std::move(done_);
  done_ = nullptr;
  Done unfinished = std::move(unfinished_);
  unfinished_ = nullptr;
  if (failed) emit outOfMemory();
  if (completed && done) done();
  if (!completed && unfinished) unfinished();
  emit finished(completed);
}

}  // namespace tarnvel
