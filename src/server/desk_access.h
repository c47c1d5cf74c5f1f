#pragma once
// How the result desk lets players in: open to anyone (events without slips), or only with
// the code of a board's slip, derived from each section's desk secret. Safe from any thread.

#include <atomic>
#include <map>
#include <mutex>
#include <string>

namespace toq::server {

class DeskAccess {
 public:
  /// The desk takes results without a slip's code.
  void setOpen(bool open) { open_.store(open); }
  bool open() const { return open_.load(); }

  /// The secret of a 0-based section (raw bytes).
  void setSecret(int section, std::string secret) {
    std::lock_guard lock(mutex_);
    secrets_[section] = std::move(secret);
  }
  std::string secret(int section) const {
    std::lock_guard lock(mutex_);
    const auto it = secrets_.find(section);
    return it == secrets_.end() ? std::string() : it->second;
  }

 private:
  std::atomic<bool> open_{false};
  mutable std::mutex mutex_;
  std::map<int, std::string> secrets_;
};

}  // namespace toq::server
