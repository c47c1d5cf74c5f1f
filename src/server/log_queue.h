#pragma once
// The access log's lines on their way to a slow reader (a terminal the user paused, a Windows
// console in which text is being selected): the network thread hands a line over and goes
// on, a writer thread of its own waits for the reader. When the reader falls more than
// kCapacity lines behind, further lines are dropped and counted, and the count is written as
// soon as the reader takes lines again.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace toq::server {

class LogQueue {
 public:
  static constexpr std::size_t kCapacity = 4096;
  /// What the writer says when it takes lines again after some were dropped.
  static constexpr const char* kDropped = "ログの出力が追いつかず、%llu 行を省きました。";

  /// `write` runs on the queue's own thread, one line at a time.
  explicit LogQueue(std::function<void(std::string_view)> write);
  /// Writes what is queued (the reader permitting), then ends the thread.
  ~LogQueue();
  LogQueue(const LogQueue&) = delete;
  LogQueue& operator=(const LogQueue&) = delete;

  /// Queues a line; never waits for the writer.
  void push(std::string line);
  /// Lines dropped so far.
  unsigned long long dropped() const;

 private:
  void run();

  std::function<void(std::string_view)> write_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::string> lines_;
  unsigned long long dropped_ = 0;
  unsigned long long droppedUnsaid_ = 0;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace toq::server
