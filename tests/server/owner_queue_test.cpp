// The owner's queue under a crowd: a change does not wait behind page builds, and phones asking
// for the same answer at once cost the owner one build.

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "server/hub.h"
#include "server/queue_executor.h"

namespace toq::server {
namespace {

/// An owner that holds every job until the test runs it.
class HeldOwner final : public Executor {
 public:
  bool post(Job job) override {
    jobs.push_back(std::move(job));
    return true;
  }
  void runAll(edit::Workspace& ws) {
    std::vector<Job> now = std::move(jobs);
    jobs.clear();
    for (Job& j : now) j(ws);
  }
  std::vector<Job> jobs;
};

TEST(OwnerQueue, ChangesRunBeforeTheReadsThatWaitAndInTheirOwnOrder) {
  edit::Workspace ws;
  QueueExecutor owner(ws);
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::string order;
  ASSERT_TRUE(owner.post([released](edit::Workspace&) { released.wait(); }));
  for (const char* job : {"r1", "r2", "r3"})
    ASSERT_TRUE(owner.post([&order, job](edit::Workspace&) { order += job; }));
  for (const char* job : {"c1", "c2"})
    ASSERT_TRUE(owner.postChange([&order, job](edit::Workspace&) { order += job; }));
  release.set_value();
  ASSERT_TRUE(owner.call([](edit::Workspace&) {}));
  EXPECT_EQ(order, "c1c2r1r2r3");
  owner.stop();
  EXPECT_FALSE(owner.postChange([](edit::Workspace&) {}));
}

TEST(OwnerQueue, OneBuildAnswersEveryoneAskingForTheSameAnswerAtOnce) {
  edit::Workspace ws;
  HeldOwner owner;
  auto hub = std::make_shared<Hub>(owner, Hooks{}, "00112233445566778899aabbccddeeff", false);
  int builds = 0;
  const auto build = [&](Done done) {
    hub->onOwner(
        0,
        [&builds](Hub& h, edit::Workspace&) {
          Reply r;
          r.body =
              "page " + std::to_string(++builds) + " of version " + std::to_string(h.version(0));
          return r;
        },
        std::move(done));
  };
  std::vector<std::string> answers;
  const auto ask = [&](std::uint64_t version) {
    hub->keptOrBuilt(
        "0 /", version, [&answers](Reply r) { answers.push_back(r.body); }, build);
  };
  const std::uint64_t v = hub->version(0);
  for (int phone = 0; phone < 50; ++phone) ask(v);
  EXPECT_EQ(owner.jobs.size(), 1u);
  owner.runAll(ws);
  ASSERT_EQ(answers.size(), 50u);
  for (const std::string& a : answers) EXPECT_EQ(a, "page 1 of version " + std::to_string(v));

  // Kept for its version: later phones cost nothing; a new version is built again.
  ask(v);
  EXPECT_TRUE(owner.jobs.empty());
  EXPECT_EQ(answers.back(), "page 1 of version " + std::to_string(v));
  hub->changed();
  ask(hub->version(0));
  ask(hub->version(0));
  ASSERT_EQ(owner.jobs.size(), 1u);
  owner.runAll(ws);
  EXPECT_EQ(answers.back(), "page 2 of version " + std::to_string(v + 1));
  EXPECT_EQ(answers.size(), 53u);
}

TEST(OwnerQueue, AFailedBuildAnswersEveryWaiterAndIsNotKept) {
  edit::Workspace ws;
  HeldOwner owner;
  auto hub = std::make_shared<Hub>(owner, Hooks{}, "00112233445566778899aabbccddeeff", false);
  int builds = 0;
  const auto build = [&](Done done) {
    hub->onOwner(
        0,
        [&builds](Hub&, edit::Workspace&) -> Reply {
          if (++builds == 1) throw std::runtime_error("the table vanished");
          return Reply{};
        },
        std::move(done));
  };
  std::vector<int> statuses;
  for (int phone = 0; phone < 3; ++phone)
    hub->keptOrBuilt(
        "0 /", 1, [&](Reply r) { statuses.push_back(r.status); }, build);
  owner.runAll(ws);
  EXPECT_EQ(statuses, (std::vector<int>{500, 500, 500}));
  hub->keptOrBuilt(
      "0 /", 1, [&](Reply r) { statuses.push_back(r.status); }, build);
  owner.runAll(ws);
  EXPECT_EQ(statuses.back(), 200);
  EXPECT_EQ(builds, 2);
}

}  // namespace
}  // namespace toq::server
