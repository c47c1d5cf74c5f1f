// The one door of every change: a file another program changed is read before the command and
// said to have changed; a command that changed something is one step named as its rule says
// (a result by its round, its players' full names and whose result it is);
// undo and redo write through the one write path (the record of the files stays true, a
// failed write leaves the table unsaved with the file's name); a file that can no longer be
// read is reported once.
#include <gtest/gtest.h>

#include "edit/command_door.h"
#include "edit/edit_fixture.h"
#include "edit/edit_texts.h"
#include "edit/file_freshness.h"
#include "edit/pairing_edits.h"
#include "edit/participants.h"
#include "edit/result_entry.h"
#include "edit/unsaved.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq {
namespace {

namespace fs = std::filesystem;
using edit::StepRule;

class Door : public testing::EditTest {
 protected:
  void SetUp() override {
    EditTest::SetUp();
    add(text::sj("青山 大輔"));
    add(text::sj("南条 拓真"));
    add(text::sj("木村 一郎"));
    add(text::sj("佐藤 花子"));
    play(0, 0, 1);
    play(0, 2, 3);
    ASSERT_EQ(edit::writeTable(*ws_, ui_), 0);
    ASSERT_EQ(edit::writePlayers(*ws_, ui_), 0);
    ui_.clear();
  }

  edit::Passed result(int row, int code) {
    return edit::runCommand(
        *ws_, ui_, StepRule{nullptr, edit::steps::result},
        [&] { return edit::enterResultCode(*ws_, ui_, row, 0, code); }, journal::Who::window());
  }

  services::RecordingServices quiet_;

  /// Puts a folder where a file was: it exists but cannot be read, nor written over.
  static void blockWithFolder(const fs::path& file) {
    fs::remove(file);
    fs::create_directories(file / "inside");
  }
};

TEST_F(Door, ResultStepsNameRoundPlayersAndWhoseResultAndAnswerWhatChanged) {
  const struct {
    int row;
    int code;
    const char* label;
  } cases[] = {{3, data::kWin, "1回戦 木村 一郎 対 佐藤 花子: 佐藤 花子 の勝ち"},
               {0, data::kDraw, "1回戦 青山 大輔 対 南条 拓真: 引き分け"},
               {1, data::kResultNone, "1回戦 青山 大輔 対 南条 拓真: 結果の取り消し"},
               {1, data::kLoss, "1回戦 青山 大輔 対 南条 拓真: 青山 大輔 の勝ち"}};
  for (const auto& c : cases) {
    const edit::Passed p = result(c.row, c.code);
    EXPECT_TRUE(p.outcome.done()) << c.label;
    EXPECT_TRUE(p.changes.table && p.changes.any()) << c.label;
    EXPECT_FALSE(p.changes.players || p.changes.reread || p.changes.document) << c.label;
    EXPECT_EQ(ws_->history.undoStep()->label, c.label);
    EXPECT_EQ(edit::undoText(ws_->history), std::string("元に戻す: ") + c.label);
  }
  // The same result again: nothing changed, no step.
  const std::size_t steps = ws_->history.undoCount();
  const edit::Passed same = result(1, data::kLoss);
  EXPECT_FALSE(same.changes.any());
  EXPECT_EQ(ws_->history.undoCount(), steps);
  // A player without a record: the plain name of the step.
  ws_->table.participants[3] = 99;
  result(2, data::kWin);
  EXPECT_EQ(ws_->history.undoStep()->label, edit::texts::kLabelResult);
}

TEST_F(Door, AFileAnotherProgramChangedIsReadFirstAndSaidToHaveChanged) {
  edit::runCommand(
      *ws_, ui_, StepRule{edit::texts::kLabelBye},
      [&] { return edit::setLockFlag(*ws_, ui_, true); }, journal::Who::window());
  ASSERT_TRUE(ws_->history.canUndo());
  // Another program enters a result.
  edit::Workspace other;
  ASSERT_EQ(edit::openTable(other, quiet_, tablePath()), 0);
  other.table.lockFlag = 0;
  ASSERT_EQ(edit::enterResultCode(other, quiet_, 0, 0, data::kWin).code, 0);

  // A command that changes nothing itself: the door still answers the re-read.
  const edit::Passed p = edit::runCommand(
      *ws_, ui_, StepRule{}, [] { return edit::stopped(edit::Stop::None); },
      journal::Who::window());
  EXPECT_TRUE(p.changes.reread && p.changes.document && p.changes.table);
  EXPECT_EQ(ws_->table.result[0][0], data::kWin);
  EXPECT_FALSE(ws_->history.canUndo());  // undo would write over the other program's change
  EXPECT_EQ(ui_.statuses().back(), edit::texts::kTableReread);
}

TEST_F(Door, UndoAndRedoWriteThroughTheOneWritePath) {
  result(0, data::kWin);
  ASSERT_EQ(
      edit::runCommand(
          *ws_, ui_, StepRule{}, [&] { return edit::undo(*ws_, ui_); }, journal::Who::window())
          .changes.table,
      true);
  // The record of the file follows undo's write: the next command reads nothing again, and
  // redo is still there.
  EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
  EXPECT_TRUE(ws_->history.canRedo());
  EXPECT_FALSE(edit::hasUnsavedChanges(*ws_));
  ASSERT_TRUE(edit::redo(*ws_, ui_).done());
  EXPECT_EQ(onDisk()->result[0][0], data::kWin);
}

TEST_F(Door, AFailedWriteDuringUndoLeavesTheTableUnsavedWithTheFilesName) {
  result(0, data::kWin);
  blockWithFolder(tablePath());
  const edit::Outcome o = edit::undo(*ws_, ui_);
  EXPECT_EQ(o.code, -2);
  EXPECT_EQ(ws_->table.result[0][0], data::kResultNone);
  EXPECT_TRUE(edit::unsavedChanges(*ws_).table);  // so that exit asks
  ASSERT_FALSE(ui_.errors().empty());
  EXPECT_NE(ui_.errors().back().find(tablePath().filename().string()), std::string::npos);
}

TEST_F(Door, UndoOnATableWithoutAFileNamesNoEmptyFile) {
  ws_->table.filePath.clear();
  result(0, data::kWin);
  ui_.clear();
  EXPECT_EQ(edit::undo(*ws_, ui_).code, -2);
  EXPECT_TRUE(ui_.errors().empty());  // never "データを保存できませんでした()"
  EXPECT_TRUE(edit::unsavedChanges(*ws_).table);
  EXPECT_EQ(ui_.statuses().front(), edit::texts::kTableNotOnFile);
}

TEST_F(Door, AFileThatCannotBeReadIsReportedOnce) {
  const struct {
    fs::path file;
    const char* text;
    bool edit::UnsavedChanges::*flag;
  } cases[] = {{tablePath(), "対戦表ファイル(%s)を読めません。", &edit::UnsavedChanges::table},
               {fs::path(dir_) / "cup.ply", "対局者ファイル(%s)を読めません。",
                &edit::UnsavedChanges::players}};
  for (const auto& c : cases) {
    ui_.clear();
    blockWithFolder(c.file);
    EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
    ASSERT_EQ(ui_.warnings().size(), 1u) << c.file;
    const std::string start = text::format(c.text, c.file.string().c_str());
    EXPECT_EQ(ui_.warnings().front().substr(0, start.size()), start);
    EXPECT_TRUE(edit::unsavedChanges(*ws_).*c.flag);
    // Said once: the next command says nothing more.
    EXPECT_FALSE(edit::rereadChangedFiles(*ws_, ui_));
    EXPECT_EQ(ui_.messages.size(), 1u);
  }
}

}  // namespace
}  // namespace toq
