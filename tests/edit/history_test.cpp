// Undo and redo: every command kind as one step that restores the table file byte for byte
// and the register, the lock flag's rule, the limit of steps, redo forgotten by a new command,
// and nothing recorded for a command that changed nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "data/player_file.h"
#include "edit/edit_fixture.h"
#include "edit/edit_texts.h"
#include "edit/file_commands.h"
#include "edit/handicap_edits.h"
#include "edit/history.h"
#include "edit/new_event.h"
#include "edit/pair_command.h"
#include "edit/pairing_edits.h"
#include "edit/participants.h"
#include "edit/players.h"
#include "edit/result_entry.h"
#include "edit/result_sheet.h"
#include "edit/results.h"
#include "edit/rounds.h"
#include "text/cp932.h"

namespace toq {
namespace {

namespace fs = std::filesystem;
using edit::given;
using edit::Stop;
using testing::readFile;

class History : public testing::EditTest {
 protected:
  // Nine registered players, eight of them in the table: round 1 played, round 2 paired with
  // a bye and an absence and no results yet; both files written.
  void SetUp() override {
    EditTest::SetUp();
    addRows(8);
    outsider_ = add("Outsider", 1500, 0);
    for (int a = 0; a < 8; a += 2) play(0, a, a + 1, data::kWin);
    play(1, 0, 2);
    play(1, 1, 3);
    play(1, 4, 5);
    ws_->table.opponent[6][1] = data::kBye;
    ws_->table.opponent[7][1] = data::kAbsent;
    writeFiles();
  }
  void writeFiles() {
    ASSERT_EQ(data::WriteTableFile(ws_->table, {}, ui_), 0);
    ASSERT_EQ(data::WritePlayerFile(ws_->players, ws_->playerFile), 0);
  }
  std::string tableBytes() const { return readFile(tablePath()); }
  std::string playerBytes() const { return readFile(ws_->playerFile); }
  void completeRound2() {
    for (int a : {0, 1, 4}) {
      const int o = ws_->table.opponent[a][1];
      ws_->table.result[a][1] = data::kWin;
      ws_->table.result[o][1] = data::kLoss;
    }
  }
  int outsider_ = 0;
};

// One command kind: its label, what it needs first, the command.
struct Case {
  std::string label;
  std::function<std::string(const data::Table&)> labelOf;  // the label the front end gives
  std::function<void()> prepare;                           // changes made before the command
  std::function<void(edit::Workspace&, services::RecordingServices&)> command;
  bool changesPlayers = false;
};

std::function<std::string(const data::Table&)> fixed(const char* label) {
  return [label](const data::Table&) { return std::string(label); };
}

TEST_F(History, EveryCommandKindIsOneStepThatUndoesToTheSameBytesAndRedoes) {
  namespace t = edit::texts;
  auto roundThreePaired = [this] {
    completeRound2();
    play(2, 0, 7);
    play(2, 1, 6);
    play(2, 2, 5);
    play(2, 3, 4);
  };
  auto sheetOfDraws = [](const edit::ResultSheet&) {
    return std::optional<edit::ResultSheetAnswer>({1, std::vector<int>(3, edit::kSheetDraw)});
  };
  const Case cases[] = {
      {"3回戦の組み合わせ", edit::pairingLabel, [this] { completeRound2(); },
       [](auto& ws, auto& ui) { edit::pairNextRound(ws, ui, {}); }},
      {"結果の入力", fixed(t::kLabelResult), nullptr,
       [](auto& ws, auto& ui) { edit::enterResultCode(ws, ui, 0, 1, data::kDraw); }},
      {"結果の入力", fixed(t::kLabelResult), nullptr,
       [](auto& ws, auto& ui) { edit::enterResultCode(ws, ui, 4, 0, data::kLoss); }},
      {"手合割・先後・勝敗の入力", fixed(t::kLabelHandicapAndResult), nullptr,
       [](auto& ws, auto& ui) {
         edit::setHandicapAndResult(ws, ui, 0, 1, given(edit::HandicapAnswer{2, 0, 0}));
       }},
      {"2回戦の結果の一括入力", [](const data::Table&) { return edit::resultSheetLabel(1); },
       nullptr, [&](auto& ws, auto& ui) { edit::enterResultSheet(ws, ui, sheetOfDraws); }},
      {"結果の自動入力", fixed(t::kLabelRandomResults), roundThreePaired,
       [](auto& ws, auto& ui) { edit::randomResults(ws, ui); }},
      {"抜け番", fixed(t::kLabelBye), nullptr, [](auto& ws, auto& ui) { edit::setBye(ws, ui, 3); }},
      {"対戦相手の入力", fixed(t::kLabelOpponent), nullptr,
       [](auto& ws, auto& ui) { edit::setOpponent(ws, ui, 0, given(ws.table.participants[5])); }},
      {"組み合わせの取り消し", fixed(t::kLabelCancelPairing), nullptr,
       [](auto& ws, auto& ui) { edit::cancelLastPairing(ws, ui, 0); }},
      {"2回戦の組み合わせの取り消し", edit::cancelRoundLabel, nullptr,
       [](auto& ws, auto& ui) { edit::cancelLatestRound(ws, ui); }},
      {"全ての組み合わせの取り消し", fixed(t::kLabelCancelAll), nullptr,
       [](auto& ws, auto& ui) { edit::cancelAllPairings(ws, ui); }},
      {"抜け番の入れ替え", fixed(t::kLabelExchangeByes),
       [this] {
         ws_->table.ResetEntries();
         ws_->table.opponent[0][0] = data::kBye;
       },
       [](auto& ws, auto& ui) { edit::exchangeByes(ws, ui, 0, 3); }},
      {"参加者の追加", fixed(t::kLabelAddParticipant), nullptr,
       [this](auto& ws, auto& ui) { edit::addParticipant(ws, ui, given(outsider_)); }},
      {"参加者の削除", fixed(t::kLabelRemoveParticipant), nullptr,
       [](auto& ws, auto& ui) { edit::removeParticipant(ws, ui, 7); }},
      {"試合数の変更", fixed(t::kLabelNumberOfGames), nullptr,
       [](auto& ws, auto& ui) { edit::changeNumberOfGames(ws, ui, given(6)); }},
      {"変更禁止の設定", [](const data::Table&) { return edit::lockLabel(true); }, nullptr,
       [](auto& ws, auto& ui) { edit::setLockFlag(ws, ui, true); }},
      {"対局者の新規登録", fixed(t::kLabelRegisterPlayer), nullptr,
       [](auto& ws, auto& ui) {
         edit::registerPlayer(ws, ui, {"新人", "新", 1450, false});
       },
       true},
      {"対局者データの編集", fixed(t::kLabelEditPlayer), nullptr,
       [](auto& ws, auto& ui) {
         edit::editPlayer(ws, ui, 9, {"改名", "", 1700, true});
       },
       true},
      {"対局者データの削除", fixed(t::kLabelDeletePlayers), nullptr,
       [](auto& ws, auto& ui) { edit::deletePlayers(ws, ui, {9}); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TearDown();
    SetUp();
    if (c.prepare) c.prepare();
    writeFiles();
    const std::string tableBefore = tableBytes();
    const std::string playersBefore = playerBytes();
    const data::Table memoryBefore = ws_->table;
    const data::Register registerBefore = ws_->players;

    const std::string label = c.labelOf(ws_->table);
    EXPECT_EQ(label, c.label);
    edit::recorded(*ws_, label, [&] { c.command(*ws_, ui_); });
    ASSERT_EQ(ws_->history.undoCount(), 1u) << "the command changed nothing";
    EXPECT_EQ(edit::undoText(ws_->history), "元に戻す: " + c.label);
    EXPECT_EQ(ws_->history.undoStep()->changesPlayers(), c.changesPlayers);
    EXPECT_EQ(ws_->history.undoStep()->changesTable(), !c.changesPlayers);
    const data::Table memoryAfter = ws_->table;
    const data::Register registerAfter = ws_->players;
    const std::string playersAfter = playerBytes();

    ui_.clear();
    ASSERT_EQ(edit::undo(*ws_, ui_).code, 0);
    EXPECT_TRUE(data::sameContents(ws_->table, memoryBefore));
    EXPECT_EQ(ws_->players, registerBefore);
    EXPECT_EQ(tableBytes(), tableBefore);
    EXPECT_EQ(playerBytes(), playersBefore);
    EXPECT_EQ(ui_.statuses().back(), "元に戻しました: " + c.label);
    EXPECT_EQ(edit::redoText(ws_->history), "やり直し: " + c.label);
    EXPECT_EQ(edit::undoText(ws_->history), "元に戻す");

    ASSERT_EQ(edit::redo(*ws_, ui_).code, 0);
    EXPECT_TRUE(data::sameContents(ws_->table, memoryAfter));
    EXPECT_EQ(ws_->players, registerAfter);
    auto disk = onDisk();
    ASSERT_TRUE(disk);
    EXPECT_TRUE(testing::sameEntries(*disk, memoryAfter));
    EXPECT_EQ(playerBytes(), playersAfter);
    EXPECT_EQ(ui_.statuses().back(), "やり直しました: " + c.label);
    EXPECT_FALSE(ws_->history.canRedo());
  }
}

TEST_F(History, ImportIsTheOneStepOfANewDocumentAndUndoesToTheOldFiles) {
  edit::recorded(*ws_, edit::texts::kLabelBye, [&] { return edit::setBye(*ws_, ui_, 3); });
  const std::string tableBefore = tableBytes();
  const std::string playersBefore = playerBytes();
  const fs::path list = fs::path(dir_) / "spring.txt";
  std::ofstream(list, std::ios::binary) << text::sj("$試合数：3\r\n\"一\",1500\r\n\"二\",1400\r\n");
  ASSERT_EQ(edit::recordedFresh(*ws_, edit::texts::kLabelImport,
                                [&] { return edit::importNameList(*ws_, ui_, list); }),
            0);
  EXPECT_EQ(ws_->history.undoCount(), 1u);
  EXPECT_EQ(edit::undoText(ws_->history, true), "元に戻す(&U): 名簿の取り込み");

  ASSERT_EQ(edit::undo(*ws_, ui_).code, 0);
  EXPECT_EQ(ws_->table.filePath, tablePath());
  EXPECT_EQ(ws_->playerFile, fs::path(dir_) / "cup.ply");
  EXPECT_EQ(ws_->players.count(), 9);
  EXPECT_EQ(tableBytes(), tableBefore);
  EXPECT_EQ(playerBytes(), playersBefore);
  EXPECT_FALSE(ws_->history.canUndo());

  ASSERT_EQ(edit::redo(*ws_, ui_).code, 0);
  EXPECT_EQ(ws_->players.count(), 2);
  EXPECT_EQ(ws_->table.filePath, fs::path(dir_) / "spring.tai");
  EXPECT_EQ(ws_->playerFile, fs::path(dir_) / "spring.ply");

  // A list that cannot be read changes nothing and keeps the history.
  ::testing::internal::CaptureStdout();
  edit::recordedFresh(*ws_, edit::texts::kLabelImport,
                      [&] { return edit::importNameList(*ws_, ui_, fs::path(dir_) / "no.txt"); });
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(ws_->history.undoCount(), 1u);
}

TEST_F(History, UndoFromBeforeTheEventWasNamedKeepsItsNewFiles) {
  // A register typed in memory, then its event named: the step from before the naming takes
  // back the registration, never the file the event now lives in.
  edit::Workspace& ws = *ws_;
  ws.table = data::Table();
  ws.players = data::Register();
  ws.playerFile.clear();
  ws.history.clear();
  edit::PlayerForm form = edit::newPlayerForm();
  form.name = "青山 大輔";
  edit::recorded(ws, edit::texts::kLabelRegisterPlayer,
                 [&] { return edit::registerPlayer(ws, ui_, form); });
  ASSERT_EQ(edit::saveEventAs(ws, ui_, fs::path(dir_) / "named.tai"), 0);
  ASSERT_EQ(edit::undo(ws, ui_).code, 0);
  EXPECT_EQ(ws.table.filePath, fs::path(dir_) / "named.tai");
  EXPECT_EQ(ws.playerFile, fs::path(dir_) / "named.ply");
  EXPECT_EQ(ws.players.count(), 0);
  ASSERT_EQ(edit::redo(ws, ui_).code, 0);
  EXPECT_EQ(ws.playerFile, fs::path(dir_) / "named.ply");
  EXPECT_NE(playerBytes().find(text::sj("青山 大輔")), std::string::npos);
}

TEST_F(History, NothingIsRecordedForARefusedDeclinedOrCancelledCommand) {
  auto byeOf = [&](int row) {
    return edit::recorded(*ws_, edit::texts::kLabelBye,
                          [&] { return edit::setBye(*ws_, ui_, row); });
  };
  EXPECT_EQ(byeOf(99).stop, Stop::BadIndex);
  ui_.answers = {false};
  EXPECT_EQ(edit::recorded(*ws_, "x", [&] { return edit::cancelLatestRound(*ws_, ui_); }).stop,
            Stop::Declined);
  EXPECT_EQ(edit::recorded(*ws_, "x",
                           [&] {
                             return edit::enterResult(
                                 *ws_, ui_, 0, 1,
                                 [](const edit::ResultQuestion&) { return std::optional<int>(); });
                           })
                .stop,
            Stop::Declined);
  // The same result again changes nothing.
  edit::recorded(*ws_, "x", [&] { return edit::enterResultCode(*ws_, ui_, 0, 0, data::kWin); });
  ws_->table.lockFlag = 1;
  EXPECT_EQ(byeOf(3).stop, Stop::Locked);
  EXPECT_FALSE(ws_->history.canUndo());
  EXPECT_EQ(edit::undo(*ws_, ui_).stop, Stop::NothingToDo);
  EXPECT_EQ(edit::redo(*ws_, ui_).stop, Stop::NothingToDo);
}

TEST_F(History, TheLockRefusesUndoExceptOfItsOwnSwitchAndOfTheRegister) {
  auto record = [&](const std::string& label, auto command) {
    edit::recorded(*ws_, label, command);
  };
  record(edit::texts::kLabelResult, [&] { edit::enterResultCode(*ws_, ui_, 0, 1, data::kWin); });
  record(edit::lockLabel(true), [&] { edit::setLockFlag(*ws_, ui_, true); });
  // Neither the number of games nor a registration asks the lock.
  record(edit::texts::kLabelNumberOfGames, [&] { edit::changeNumberOfGames(*ws_, ui_, given(5)); });
  record(edit::texts::kLabelRegisterPlayer, [&] {
    edit::registerPlayer(*ws_, ui_, {"新人", "", 1500, false});
  });
  ASSERT_EQ(ws_->history.undoCount(), 4u);

  ui_.clear();
  EXPECT_EQ(edit::undo(*ws_, ui_).code, 0);  // the registration
  EXPECT_EQ(ws_->players.count(), 9);
  EXPECT_EQ(edit::undo(*ws_, ui_).stop, Stop::Locked);  // the number of games
  EXPECT_EQ(ui_.warnings(), std::vector<std::string>{"変更は禁止されています。"});
  EXPECT_EQ(ws_->table.numberOfGames, 5);
  EXPECT_EQ(edit::undoText(ws_->history), "元に戻す: 試合数の変更");

  // Unlocking is a step of its own; then the number of games, and the lock, can be undone.
  record(edit::lockLabel(false), [&] { edit::setLockFlag(*ws_, ui_, false); });
  EXPECT_FALSE(ws_->history.canRedo());
  EXPECT_EQ(edit::undo(*ws_, ui_).code, 0);  // relocks
  EXPECT_EQ(ws_->table.lockFlag, 1);
  EXPECT_EQ(edit::redo(*ws_, ui_).code, 0);  // unlocks again while locked
  EXPECT_EQ(ws_->table.lockFlag, 0);
  EXPECT_EQ(edit::undo(*ws_, ui_).code, 0);
  EXPECT_EQ(edit::undo(*ws_, ui_).stop, Stop::Locked);
  ws_->history.stepBack();  // past the number of games, as if it were undone
  EXPECT_EQ(edit::undoText(ws_->history), "元に戻す: 変更禁止の設定");
  EXPECT_EQ(edit::undo(*ws_, ui_).code, 0);  // the lock's own switch
  EXPECT_EQ(ws_->table.lockFlag, 0);
  EXPECT_EQ(edit::undo(*ws_, ui_).code, 0);
  EXPECT_EQ(ws_->table.result[0][1], data::kResultNone);
}

TEST_F(History, KeepsTheLatestHundredStepsAndANewCommandForgetsRedo) {
  EXPECT_GE(edit::History::kDefaultLimit, 100u);
  const std::int16_t cycle[] = {data::kWin, data::kLoss, data::kDraw};
  std::vector<std::string> files;
  for (int i = 0; i < 105; ++i) {
    files.push_back(tableBytes());
    edit::recorded(*ws_, edit::texts::kLabelResult,
                   [&] { return edit::enterResultCode(*ws_, ui_, 0, 1, cycle[i % 3]); });
  }
  EXPECT_EQ(ws_->history.undoCount(), 100u);
  // Consecutive steps share the state between them instead of copying it twice.
  EXPECT_EQ(ws_->history.undoStep()->before.table.get(), ([&] {
              edit::History h = ws_->history;
              h.stepBack();
              return h.undoStep()->after.table.get();
            })());
  for (int i = 104; i >= 5; --i) {
    ASSERT_EQ(edit::undo(*ws_, ui_).code, 0) << i;
    ASSERT_EQ(tableBytes(), files[static_cast<std::size_t>(i)]) << i;
  }
  EXPECT_FALSE(ws_->history.canUndo());
  EXPECT_EQ(ws_->history.redoCount(), 100u);
  EXPECT_EQ(edit::redo(*ws_, ui_).code, 0);
  EXPECT_EQ(tableBytes(), files[6]);

  edit::recorded(*ws_, edit::texts::kLabelBye, [&] { return edit::setBye(*ws_, ui_, 3); });
  EXPECT_FALSE(ws_->history.canRedo());
  EXPECT_EQ(edit::redoText(ws_->history, true), "やり直し(&R)");
  EXPECT_EQ(ws_->history.undoCount(), 2u);

  // Another table opened: nothing to undo.
  ws_->history.clear();
  EXPECT_FALSE(ws_->history.canUndo());
  EXPECT_FALSE(ws_->history.canRedo());
  EXPECT_EQ(edit::undoText(ws_->history), "元に戻す");
}

TEST_F(History, RegisterStepsWithoutAPlayerFileStayInMemory) {
  ws_->playerFile.clear();
  fs::remove(fs::path(dir_) / "cup.ply");
  edit::recorded(*ws_, edit::texts::kLabelRegisterPlayer, [&] {
    return edit::registerPlayer(*ws_, ui_, {"新人", "", 1500, false});
  });
  const std::string tableBefore = tableBytes();
  ASSERT_EQ(edit::undo(*ws_, ui_).code, 0);
  EXPECT_EQ(ws_->players.count(), 9);
  EXPECT_FALSE(fs::exists(fs::path(dir_) / "cup.ply"));
  EXPECT_EQ(tableBytes(), tableBefore);  // the table was not touched
}

TEST_F(History, UndoToAnEmptiedTableWritesItEmpty) {
  // A table whose rows were all added by recorded commands: undoing them leaves no row that
  // could come back from the file.
  ws_->table.participantCount = 0;
  ws_->table.ResetEntries();
  ASSERT_EQ(data::WriteTableFile(ws_->table, {}, ui_, true), 0);
  edit::recorded(*ws_, edit::texts::kLabelAddParticipant,
                 [&] { return edit::addParticipant(*ws_, ui_, given(outsider_)); });
  ASSERT_EQ(onDisk()->participantCount, 1);
  ASSERT_EQ(edit::undo(*ws_, ui_).code, 0);
  EXPECT_EQ(onDisk()->participantCount, 0);
}

}  // namespace
}  // namespace toq
