#include "server/log_queue.h"

#include "text/format.h"

namespace toq::server {

LogQueue::LogQueue(std::function<void(std::string_view)> write)
    : write_(std::move(write)), thread_([this] { run(); }) {}

LogQueue::~LogQueue() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

void LogQueue::push(std::string line) {
  {
    std::lock_guard lock(mutex_);
    if (lines_.size() >= kCapacity) {
      ++dropped_;
      ++droppedUnsaid_;
      return;
    }
    lines_.push_back(std::move(line));
  }
  wake_.notify_one();
}

unsigned long long LogQueue::dropped() const {
  std::lock_guard lock(mutex_);
  return dropped_;
}

void LogQueue::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stopping_ || !lines_.empty() || droppedUnsaid_ > 0; });
    if (lines_.empty() && droppedUnsaid_ == 0) return;  // stopping, nothing left
    std::string line;
    if (!lines_.empty()) {
      line = std::move(lines_.front());
      lines_.pop_front();
    } else {
      line = text::format(kDropped, droppedUnsaid_);
      droppedUnsaid_ = 0;
    }
    lock.unlock();
    write_(line);
    lock.lock();
  }
}

}  // namespace toq::server
