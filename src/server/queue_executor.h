#pragma once
// A table owner of its own: one thread that runs the jobs from mutex-guarded queues, the
// changes first, each queue in order.
// toq-cli, the tests and the benchmark host the server with it.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

#include "server/executor.h"

namespace toq::server {

class QueueExecutor final : public Executor {
 public:
  /// Starts the owner's thread; the workspace must outlive the executor.
  explicit QueueExecutor(edit::Workspace& workspace);
  /// Stops (see stop()).
  ~QueueExecutor() override;
  QueueExecutor(const QueueExecutor&) = delete;
  QueueExecutor& operator=(const QueueExecutor&) = delete;

  bool post(Job job) override;
  /// Runs before the reading jobs that wait, after the changes posted before it.
  bool postChange(Job job) override;

  /// Runs a job on the owner's thread and waits until it has run: the host's own look at, or
  /// change of, the table while the server runs. False when the executor has stopped.
  bool call(const Job& job);

  /// Runs the jobs already waiting, then ends the thread; later jobs are refused. Idempotent.
  void stop();

  /// Where a job that throws is reported (its message); set before posting. Without it the
  /// message goes to standard error.
  void setFailureReport(std::function<void(std::string_view)> report) {
    report_ = std::move(report);
  }

 private:
  void run();
  void failed(std::string_view what);

  edit::Workspace& workspace_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> changes_;
  std::deque<Job> jobs_;
  bool stopping_ = false;
  std::function<void(std::string_view)> report_;
  std::thread thread_;
};

}  // namespace toq::server
