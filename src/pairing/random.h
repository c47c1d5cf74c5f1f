#pragma once
// The one pseudo-random source of the system: a linear congruential generator with the
// constants and output step of the classic Microsoft C rand(), reproduced exactly so that a
// seeded lottery gives the same pairing on every platform.

#include <cstdint>

namespace toq::pairing {

/// Seeded generator; every lottery of the program draws from one instance.
class Random {
 public:
  void seed(std::uint32_t n) { state_ = n; }
  /// Next value, 0..32767.
  int next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 32767u);
  }
  /// Index of one of `count` candidates (plain remainder); count must be positive.
  int choose(int count) { return next() % count; }
  /// Coin flip: true for an odd draw.
  bool coin() { return (next() & 1) != 0; }
  std::uint32_t state() const { return state_; }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace toq::pairing
