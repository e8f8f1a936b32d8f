#include "background_job.h"

#include <QThread>

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

bool BackgroundJob::start(Work work, Done done) {
  if (thread_) return false;
  progress_ = std::make_shared<JobProgress>();
  done_ = std::move(done);
  thread_ = QThread::create([work = std::move(work), progress = progress_] { work(*progress); });
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
  const bool completed = !progress_->cancelled();
  Done done = std::move(done_);
  done_ = nullptr;
  if (completed && done) done();
  emit finished(completed);
}

}  // namespace tarnvel
