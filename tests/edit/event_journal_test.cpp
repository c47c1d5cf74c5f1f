// The door's journal: the undo steps come back with their names after a restart and take the
// files back exactly; a change made by a program without a journal is recorded first as a
// step of its own; any step's state is made the event's again as one new step; a journal
// that is garbage, cut short, locked by another process or on a full disk never stops a
// change from being saved (a warning, a damaged journal set aside and a new one begun).
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

#include "data/player_file.h"
#include "edit/command_door.h"
#include "edit/edit_fixture.h"
#include "edit/edit_texts.h"
#include "edit/event_journal.h"
#include "edit/file_freshness.h"
#include "edit/result_entry.h"
#include "edit/unsaved.h"
#include "text/cp932.h"

namespace toq {
namespace {

namespace fs = std::filesystem;
using edit::StepRule;

class EventJournal : public testing::EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    for (const char* name : {"小林 由紀子", "松本 修", "木村 一郎", "佐藤 花子"})
      add(text::sj(name));
    play(0, 0, 1);
    play(0, 2, 3);
    ASSERT_EQ(edit::writeTable(*ws_, ui_), 0);
    ASSERT_EQ(edit::writePlayers(*ws_, ui_), 0);
    edit::attachJournal(*ws_, ui_, journal::Who::window());
  }
  edit::Passed result(edit::Workspace& ws, int row, int code) {
    return edit::runCommand(
        ws, ui_, StepRule{nullptr, edit::steps::result},
        [&] { return edit::enterResultCode(ws, ui_, row, 0, code); },
        journal::Who::desk(0, row / 2, "192.168.1.7"));
  }
  edit::Passed undo(edit::Workspace& ws) {
    return edit::runCommand(
        ws, ui_, StepRule{}, [&] { return edit::undo(ws, ui_); }, journal::Who::window());
  }
  std::string files() const {
    return testing::readFile(tablePath()) + testing::readFile(dir_ + "/cup.ply");
  }
  // The program started again on the table.
  std::unique_ptr<edit::Workspace> reopened() {
    auto ws = std::make_unique<edit::Workspace>();
    EXPECT_EQ(edit::openTable(*ws, ui_, tablePath()), 0);
    edit::attachJournal(*ws, ui_, journal::Who::window());
    return ws;
  }
  fs::path journalFile() const { return journal::Journal::beside(tablePath()); }
};

TEST_F(EventJournal, UndoStepsComeBackAfterARestartWithTheirNames) {
  const std::string start = files();
  result(*ws_, 1, data::kWin);
  const std::string first = files();
  result(*ws_, 2, data::kDraw);
  result(*ws_, 3, data::kLoss);
  undo(*ws_);
  ws_.reset();

  auto ws = reopened();
  ASSERT_EQ(ws->history.undoCount(), 2u);
  ASSERT_EQ(ws->history.redoCount(), 1u);
  EXPECT_EQ(ws->history.undoStep()->label, "1回戦 木村 一郎 対 佐藤 花子: 引き分け");
  EXPECT_EQ(ws->history.redoStep()->label, "1回戦 木村 一郎 対 佐藤 花子: 木村 一郎 の勝ち");
  undo(*ws);
  EXPECT_EQ(files(), first);
  undo(*ws);
  EXPECT_EQ(files(), start);
  EXPECT_EQ(ws->history.redoStep()->label, "1回戦 小林 由紀子 対 松本 修: 松本 修 の勝ち");
  // The journal names the desk, its board and address, and the window's undo.
  const auto steps = ws->journal.journal->steps({-1, -1, 0});
  EXPECT_EQ(steps[0].label, "元に戻す: 1回戦 小林 由紀子 対 松本 修: 松本 修 の勝ち");
  EXPECT_EQ(steps[0].who.kind, journal::WhoKind::Window);
  EXPECT_EQ(steps[3].who, journal::Who::desk(0, 1, "192.168.1.7"));
}

TEST_F(EventJournal, AChangeByAProgramWithoutJournalIsRecordedFirst) {
  result(*ws_, 0, data::kWin);
  const std::string before = files();
  ws_->table.result[2][0] = data::kWin;
  ws_->table.result[3][0] = data::kLoss;
  ASSERT_EQ(data::WriteTableFile(ws_->table, tablePath(), ui_), 0);
  ws_.reset();

  auto ws = reopened();
  const journal::StepInfo last = *ws->journal.journal->last();
  EXPECT_EQ(last.label, "他のプログラムによる変更");
  EXPECT_EQ(last.who.kind, journal::WhoKind::OtherProgram);
  EXPECT_EQ(last.rows, (std::vector<int>{2, 3}));
  ASSERT_EQ(ws->history.undoStep()->label, "他のプログラムによる変更");
  undo(*ws);
  EXPECT_EQ(files(), before);
}

TEST_F(EventJournal, AStepsStateIsMadeTheEventsAgainAsOneNewStep) {
  result(*ws_, 0, data::kWin);
  const std::int64_t won = ws_->journal.journal->last()->step;
  const std::string atWin = files();
  result(*ws_, 0, data::kLoss);
  ws_->players.at(1).rating = 1234;
  ASSERT_EQ(edit::writePlayers(*ws_, ui_), 0);
  const edit::Passed p = edit::runCommand(
      *ws_, ui_, StepRule{nullptr, edit::steps::restore},
      [&] { return edit::restoreStep(*ws_, ui_, won); }, journal::Who::cli());
  EXPECT_TRUE(p.outcome.done());
  EXPECT_EQ(p.step, "履歴 " + std::to_string(won) + " の時点に戻す");
  EXPECT_EQ(files(), atWin);
  EXPECT_EQ(ws_->journal.journal->last()->label, p.step);
  // A step that does not exist: refused, nothing changed.
  const edit::Passed none = edit::runCommand(
      *ws_, ui_, StepRule{nullptr, edit::steps::restore},
      [&] { return edit::restoreStep(*ws_, ui_, 999); }, journal::Who::cli());
  EXPECT_FALSE(none.changes.any());
  EXPECT_EQ(lastError(), "履歴に 999 番の記録はありません。");
}

#ifndef _WIN32
// Holds the journal locked from another process until the test lets it go.
pid_t lockFromAnotherProcess(const fs::path& file) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_busy_timeout(db, 5000);
    sqlite3_exec(db,
                 "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE;"
                 " CREATE TABLE IF NOT EXISTS hold(x); INSERT INTO hold VALUES(1);",
                 nullptr, nullptr, nullptr);
    const char c = 'x';
    (void)!write(ready[1], &c, 1);
    pause();
    _exit(0);
  }
  char c = 0;
  (void)!read(ready[0], &c, 1);
  close(ready[0]);
  close(ready[1]);
  return child;
}

TEST_F(EventJournal, AnUnusableJournalNeverStopsAChangeFromBeingSaved) {
  const struct {
    const char* what;
    bool setAside;
    std::function<void(const fs::path&)> damage;
  } cases[] = {
      {"garbage", true,
       [](const fs::path& f) {
         std::ofstream(f, std::ios::binary | std::ios::trunc) << std::string(5000, '\x01');
       }},
      {"cut short", true, [](const fs::path& f) { fs::resize_file(f, 1000); }},
      {"missing", false, [](const fs::path& f) { fs::remove(f); }},
  };
  for (const auto& c : cases) {
    ws_.reset();
    c.damage(journalFile());
    auto ws = reopened();
    const int before = ws->table.result[0][0];
    result(*ws, 0, before == data::kWin ? data::kLoss : data::kWin);
    EXPECT_NE(onDisk()->result[0][0], before) << c.what;
    EXPECT_EQ(ws->journal.journal != nullptr, true) << c.what;
    bool aside = false;
    for (const auto& e : fs::directory_iterator(dir_))
      aside = aside || e.path().filename().string().find(".damaged-") != std::string::npos;
    EXPECT_EQ(aside, c.setAside) << c.what;
    if (c.setAside) {
      EXPECT_NE(ui_.warnings().back().find("新しい履歴を始めました"), std::string::npos);
    }
    for (const auto& e : fs::directory_iterator(dir_))
      if (e.path().filename().string().find(".damaged-") != std::string::npos) fs::remove(e.path());
    ws_ = std::move(ws);
  }
}

TEST_F(EventJournal, ALockedJournalOrAFullDiskWarnsAndTheTableIsSaved) {
  // Locked by another process: the change is saved, the warning given.
  ws_.reset();
  const pid_t holder = lockFromAnotherProcess(journalFile());
  ASSERT_GT(holder, 0);
  auto ws = reopened();
  result(*ws, 0, data::kWin);
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_EQ(onDisk()->result[0][0], data::kWin);
  ASSERT_FALSE(ui_.warnings().empty());
  EXPECT_NE(ui_.warnings().back().find("を使えません"), std::string::npos);

  // A full disk: no file may grow beyond the table's size; the table is still written (in a
  // child, whose limit ends with it), the journal open before the disk filled.
  ws.reset();
  ws = reopened();
  ASSERT_TRUE(ws->journal.journal);
  ui_.clear();
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{fs::file_size(tablePath()) + 64, fs::file_size(tablePath()) + 64};
    setrlimit(RLIMIT_FSIZE, &limit);
    result(*ws, 0, data::kLoss);
    const bool warned =
        !ui_.warnings().empty() && ui_.warnings().back().find("を使えません") != std::string::npos;
    _exit(onDisk()->result[0][0] == data::kLoss && warned ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(onDisk()->result[0][0], data::kLoss);
}
#endif

}  // namespace
}  // namespace toq
