// The morning of the event: late arrivals, the reception's list and arrivals, walk-ins, and
// the entries' import, each one step through the door.

#include <gtest/gtest.h>

#include "data/entry_sheet.h"
#include "edit/add_participants.h"
#include "edit/command_door.h"
#include "edit/edit_fixture.h"
#include "edit/entry_import.h"
#include "edit/participants.h"
#include "edit/reception.h"
#include "text/cp932.h"

namespace toq {
namespace {

using text::sj;

class Morning : public testing::EditTest {
 protected:
  // Four players in the table, round 1 paired and played; one more registered only.
  int roundOnePlayed() {
    for (const char* name : {"青山", "南条", "北村", "西田"}) add(sj(name));
    play(0, 0, 1, data::kWin);
    play(0, 2, 3, data::kLoss);
    return add(sj("東 太郎"), 1700, 0);
  }
  edit::Passed through(const std::string& label, const std::function<edit::Outcome()>& c) {
    return edit::runCommand(*ws_, ui_, edit::StepRule{label.c_str()}, c, journal::Who::window());
  }
};

TEST_F(Morning, ALateArrivalIsAbsentInTheRoundsAlreadyPairedWhicheverWayAdded) {
  const std::function<edit::Outcome(edit::Workspace&, services::Services&, int)> ways[] = {
      [](edit::Workspace& ws, services::Services& ui, int n) {
        return edit::addParticipant(ws, ui, edit::given(n));
      },
      [](edit::Workspace& ws, services::Services& ui, int n) {
        return edit::addParticipants(ws, ui, [n](const auto&) { return std::vector<int>{n}; });
      },
      [](edit::Workspace& ws, services::Services& ui, int n) {
        return edit::receivePlayer(ws, ui, n);
      },
      [](edit::Workspace& ws, services::Services& ui, int) {
        const data::EntrySheet sheet = data::readEntrySheet("氏名\n東　太郎\n", {});
        return edit::importEntries(ws, ui, edit::planEntries(ws, sheet), true);
      },
  };
  for (const auto& way : ways) {
    SetUp();
    const int late = roundOnePlayed();
    const edit::Outcome o = way(*ws_, ui_, late);
    ASSERT_TRUE(o.done()) << lastError();
    EXPECT_EQ(o.round, 1);
    const data::Table& t = ws_->table;
    ASSERT_EQ(t.participantCount, 5);
    EXPECT_EQ(t.participants[4], late);
    EXPECT_EQ(t.opponent[4][0], data::kAbsent);
    EXPECT_EQ(t.opponent[4][1], data::kUnpaired);
    EXPECT_EQ(t.FirstUnpairedRound(), 1);
    TearDown();
  }
}

TEST_F(Morning, TheListFindsAnyPartOfANameAndShowsWhoCame) {
  add(sj("青山 一郎"), 1500, 1);
  add(sj("南条 二郎"), 1600, 0);
  ws_->players.at(2).shortName = sj("なんじょう");
  add(sj("北村 三郎"), 1700, 0);
  const struct {
    std::string query;
    std::vector<int> numbers;
  } cases[] = {{"", {2, 3, 1}}, {"郎", {2, 3, 1}}, {"山一", {1}}, {"じょう", {2}}, {"西", {}}};
  for (const auto& c : cases) {
    std::vector<int> found;
    for (const edit::ReceptionLine& l : edit::receptionList(*ws_, c.query))
      found.push_back(l.number);
    EXPECT_EQ(found, c.numbers) << c.query;
  }
  EXPECT_TRUE(edit::receptionList(*ws_, "青山")[0].participant);
  EXPECT_EQ(edit::receptionCount(*ws_), "受付済み 1人 / 申込 3人");
}

TEST_F(Morning, TheSearchFoldsVariantsAndReadingsAndPutsExactMatchesFirst) {
  const struct {
    const char* name;
    const char* reading;
  } players[] = {{"髙橋 健", "たかはし けん"},
                 {"山﨑 花子", ""},
                 {"渡邊 一", "わたなべ はじめ"},
                 {"齋藤 二", ""},
                 {"小林 由紀子", ""},
                 {"林", "はやし"},
                 {"ＡＢＣ 太郎", ""}};
  for (const auto& p : players) {
    add(sj(p.name), 1600, 0);
    ws_->players.at(ws_->players.count()).reading = sj(p.reading);
  }
  const struct {
    std::string query;
    std::vector<int> numbers;
  } cases[] =
      {
          {"高橋", {1}},   {"山崎", {2}},  {"渡辺", {3}},           {"渡邉", {3}},
          {"斎藤", {4}},   {"斉藤", {4}},  {"たかはし", {1}},       {"タカハシ", {1}},
          {"ﾀｶﾊｼ", {1}},   {"ﾜﾀﾅﾍﾞ", {3}}, {"わたなべはじめ", {3}}, {"abc", {7}},
          {"ＡＢ", {7}},   {"林", {6, 5}},  // the exact match first, then 小林 由紀子
          {"はやし", {6}},
      };
  for (const auto& c : cases) {
    std::vector<int> found;
    for (const edit::ReceptionLine& l : edit::receptionList(*ws_, c.query))
      found.push_back(l.number);
    EXPECT_EQ(found, c.numbers) << c.query;
  }
}

TEST_F(Morning, AnArrivalIsOneStepNamedAfterThePlayerAndComesOnce) {
  const int n = add(sj("青山 一郎"), 1500, 0, true, 2);
  const std::string label = edit::receptionLabel("青山 一郎", false);
  EXPECT_TRUE(through(label, [&] { return edit::receivePlayer(*ws_, ui_, n); }).outcome.done());
  EXPECT_EQ(ws_->table.participantCount, 2);  // a professional on two boards
  ASSERT_NE(ws_->history.undoStep(), nullptr);
  EXPECT_EQ(ws_->history.undoStep()->label, "受付 青山 一郎");
  EXPECT_EQ(ws_->history.undoCount(), 1u);
  const edit::Passed again = through(label, [&] { return edit::receivePlayer(*ws_, ui_, n); });
  EXPECT_FALSE(again.changes.any());
  EXPECT_EQ(lastError(), "すでに受付済みです");
  EXPECT_EQ(ws_->history.undoCount(), 1u);
}

TEST_F(Morning, AWalkInIsRegisteredAndAddedOrNeitherWhenTheTableIsFull) {
  edit::PlayerForm form = edit::newPlayerForm();
  form.name = "当日 花子";
  EXPECT_TRUE(edit::registerWalkIn(*ws_, ui_, form).done());
  EXPECT_EQ(ws_->players.count(), 1);
  EXPECT_EQ(ws_->table.participantCount, 1);
  addRows(98);
  form.name = "遅刻 次郎";
  EXPECT_FALSE(edit::registerWalkIn(*ws_, ui_, form).done());
  EXPECT_EQ(lastError(), "最大登録人数です。");
  EXPECT_EQ(ws_->players.count(), 99);
}

TEST_F(Morning, TheImportUpdatesANameAlreadyRegisteredAndIsOneStep) {
  add(sj("青山 一郎"), 1500, 1);
  const data::Table tableBefore = ws_->table;
  const data::EntrySheet sheet =
      data::readEntrySheet("氏名,R,省略名\n青山　一郎,1650,青山\n南条,1400,\n", {});
  const edit::EntryPlan plan = edit::planEntries(*ws_, sheet);
  EXPECT_EQ(plan.added, 1);
  EXPECT_EQ(plan.updated, 1);
  edit::EntryImportCounts counts;
  through("申込一覧の取り込み",
          [&] { return edit::importEntries(*ws_, ui_, plan, false, &counts); });
  EXPECT_EQ(ws_->players.count(), 2);
  EXPECT_EQ(ws_->players.at(1).rating, 1650);
  EXPECT_EQ(ws_->players.at(1).shortName, sj("青山"));
  EXPECT_EQ(ws_->players.at(1).name, sj("青山 一郎"));
  EXPECT_TRUE(data::sameContents(tableBefore, ws_->table));
  EXPECT_EQ(ws_->history.undoCount(), 1u);
}

TEST_F(Morning, LinesPastTheRegistersCapacityAreRefused) {
  for (int i = 1; i < data::kMaxPlayers; ++i) {
    data::Player p;
    p.number = i;  // numbered here: the register's own numbering tries every number in turn
    p.name = "P" + std::to_string(i);
    ws_->players.AddPlayer(p);
  }
  const edit::EntryPlan plan =
      edit::planEntries(*ws_, data::readEntrySheet("氏名\n新人 一\nP5\n新人 二\n", {}));
  EXPECT_EQ(plan.added, 1);
  EXPECT_EQ(plan.updated, 1);
  ASSERT_EQ(plan.refused.size(), 1u);
  EXPECT_EQ(plan.refused[0].message, "4行目: 対局者の登録が上限（2000人）に達しています");
}

}  // namespace
}  // namespace toq
