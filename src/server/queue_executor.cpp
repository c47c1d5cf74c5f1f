#include "server/queue_executor.h"

#include <exception>
#include <future>
#include <iostream>
#include <string>

namespace toq::server {

namespace {

constexpr std::string_view kJobFailed = "テーブルの処理が例外で止まりました: ";

}  // namespace

QueueExecutor::QueueExecutor(edit::Workspace& workspace)
    : workspace_(workspace), thread_([this] { run(); }) {}

QueueExecutor::~QueueExecutor() {
  stop();
}

bool QueueExecutor::post(Job job) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return false;
    jobs_.push_back(std::move(job));
  }
  wake_.notify_one();
  return true;
}

bool QueueExecutor::postChange(Job job) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return false;
    changes_.push_back(std::move(job));
  }
  wake_.notify_one();
  return true;
}

bool QueueExecutor::call(const Job& job) {
  if (std::this_thread::get_id() == thread_.get_id()) {
    job(workspace_);
    return true;
  }
  std::promise<void> ran;
  std::future<void> done = ran.get_future();
  if (!post([&](edit::Workspace& ws) {
        // The promise is kept whatever the job does, so that the caller never waits forever.
        struct Kept {
          std::promise<void>& promise;
          ~Kept() { promise.set_value(); }
        } kept{ran};
        job(ws);
      }))
    return false;
  done.wait();
  return true;
}

void QueueExecutor::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable() && std::this_thread::get_id() != thread_.get_id()) thread_.join();
}

void QueueExecutor::failed(std::string_view what) {
  const std::string line = std::string(kJobFailed) + std::string(what);
  if (report_)
    report_(line);
  else
    std::cerr << line << std::endl;
}

void QueueExecutor::run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !changes_.empty() || !jobs_.empty(); });
      std::deque<Job>& from = changes_.empty() ? jobs_ : changes_;
      if (from.empty()) return;  // stopping, and nothing left to run
      job = std::move(from.front());
      from.pop_front();
    }
    // A job that throws must not end the owner: the server's jobs answer their request
    // whatever happens inside them; what went wrong is said.
    try {
      job(workspace_);
    } catch (const std::exception& e) {
      failed(e.what());
    } catch (...) {
      failed("?");
    }
  }
}

}  // namespace toq::server
