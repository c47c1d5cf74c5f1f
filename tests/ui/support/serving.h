#pragma once
// Client work on a thread of its own while the test spins the GUI thread's event loop, which
// runs the server's jobs. Bounded: the wait gives up after six seconds (the clients after five).

#include <QtTest>
#include <chrono>
#include <future>

namespace toq::testing {

template <class Work>
auto whileServing(Work work) {
  auto done = std::async(std::launch::async, std::move(work));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
  while (done.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready &&
         std::chrono::steady_clock::now() < deadline)
    QTest::qWait(5);
  return done.get();
}

}  // namespace toq::testing
