// The journal on its own: a line delta gives back exactly the text it was taken from (and a
// malformed one is refused); every appended state reads back byte for byte after reopening,
// listed newest first with who made it and narrowed to a round or a row; a file that is not a
// journal, or one cut short, is set aside and a new journal begun.
#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "journal/delta.h"
#include "journal/journal.h"
#include "support/builders.h"

namespace toq {
namespace {

namespace fs = std::filesystem;
using journal::Journal;

TEST(Delta, GivesBackTheTextItWasTakenFrom) {
  const std::string table = "head\r\n01, 1, 02,\r\n02, 2, 01,\r\n03, 3, -1,\r\n";
  const struct {
    std::string base, next;
  } cases[] = {
      {table, table},
      {table, "head\r\n01, 1, 02,\r\n02, 2, 03,\r\n03, 3, -1,\r\n"},
      {table, table + "04, 4, -1,\r\n"},
      {table, "head\r\n"},
      {table, "head\r\n01, 1, 02,"},
      {"", table},
      {table, ""},
      {"a\nb", "a\nb\n\n"},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> back =
        journal::applyDelta(c.base, journal::lineDelta(c.base, c.next));
    ASSERT_TRUE(back) << c.next;
    EXPECT_EQ(*back, c.next);
  }
  for (const char* bad : {"", "x\n", "2\n5 1\nab", "1\n0 9\nab", "1\n0 1", "6\n"})
    EXPECT_FALSE(journal::applyDelta(table, bad)) << bad;
}

class JournalFile : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = testing::makeTempDir(); }
  void TearDown() override { fs::remove_all(dir_); }
  fs::path file() const { return fs::path(dir_) / "cup.journal"; }
  std::unique_ptr<Journal> open(fs::path* aside = nullptr) {
    std::string why;
    auto j = Journal::open(file(), why, aside);
    EXPECT_TRUE(j) << why;
    return j;
  }
  // A table text of 99 rows, one row's line changed per step, now and then a new register.
  journal::Entry entry(int n) {
    journal::Entry e;
    e.label = "step " + std::to_string(n);
    e.who = n % 3 == 0 ? journal::Who::desk(n % 9, n % 50, "192.168.1." + std::to_string(n % 200))
                       : journal::Who::window();
    e.rounds = {n % 9};
    e.rows = {n % 99, (n + 7) % 99};
    rows_[static_cast<std::size_t>(n % 99)] = std::to_string(n) + ",1,2,3,\r\n";
    for (const std::string& r : rows_) e.state.table += r;
    e.state.players = "\"P\",1500,register " + std::to_string(n / 40) + "\r\n";
    return e;
  }
  std::string dir_;
  std::vector<std::string> rows_ = std::vector<std::string>(99, "00,0,-1,-1,\r\n");
};

TEST_F(JournalFile, EveryStateReadsBackExactlyAfterReopening) {
  std::vector<journal::Entry> appended;
  {
    auto j = open();
    ASSERT_FALSE(j->last());
    for (int n = 0; n < 150; ++n) {
      appended.push_back(entry(n));
      std::string why;
      ASSERT_TRUE(j->append(appended.back(), why)) << why;
    }
  }
  auto j = open();
  ASSERT_EQ(j->last()->step, 150);
  EXPECT_EQ(j->lastState(), appended.back().state);
  for (std::size_t n = 0; n < appended.size(); ++n)
    EXPECT_EQ(*j->stateAfter(static_cast<std::int64_t>(n + 1)), appended[n].state) << n;
  // Newest first, with who; narrowed to a round and a row.
  const std::vector<journal::StepInfo> latest = j->steps({-1, -1, 3});
  ASSERT_EQ(latest.size(), 3u);
  EXPECT_EQ(latest[0].label, "step 149");
  EXPECT_EQ(latest[2].who, journal::Who::desk(147 % 9, 147 % 50, "192.168.1.147"));
  for (const journal::StepInfo& s : j->steps({4, 13, 0})) {
    EXPECT_EQ(s.rounds, std::vector<int>{4});
    EXPECT_TRUE(s.rows[0] == 13 || s.rows[1] == 13);
  }
  EXPECT_EQ(j->steps({4, -1, 0}).size(), 17u);
  // A new text appended after reopening still reads back (its delta against the state read).
  std::string why;
  const journal::Entry more = entry(150);
  ASSERT_TRUE(j->append(more, why)) << why;
  EXPECT_EQ(*open()->stateAfter(151), more.state);
}

TEST_F(JournalFile, ADamagedFileIsSetAsideAndANewJournalBegun) {
  const struct {
    const char* what;
    std::function<void(const fs::path&)> damage;
  } cases[] = {
      {"garbage",
       [](const fs::path& f) {
         std::ofstream(f, std::ios::binary | std::ios::trunc) << std::string(9000, '\x5a');
       }},
      {"cut short", [](const fs::path& f) { fs::resize_file(f, fs::file_size(f) / 3); }},
  };
  for (const auto& c : cases) {
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    {
      auto j = open();
      std::string why;
      for (int n = 0; n < 60; ++n) ASSERT_TRUE(j->append(entry(n), why)) << why;
    }
    c.damage(file());
    fs::path aside;
    auto j = open(&aside);
    ASSERT_TRUE(j) << c.what;
    EXPECT_FALSE(aside.empty()) << c.what;
    EXPECT_TRUE(fs::exists(aside)) << c.what;
    EXPECT_FALSE(j->last()) << c.what;
    std::string why;
    EXPECT_TRUE(j->append(entry(1), why)) << c.what << why;
  }
}

}  // namespace
}  // namespace toq
