// The pairing button on tables without participants: nothing to pair, whatever the planes or
// the counts still hold.
#include "view/rules.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/builders.h"
#include "text/cp932.h"
#include "view/command_table.h"
#include "view/texts.h"

namespace toq::view {
namespace {

using testing::Tournament;

// Two participants paired in every round of a three-round table.
void pairEveryRound(Tournament& t) {
  t.addParticipant("A");
  t.addParticipant("B");
  for (int k = 0; k < 3; ++k) t.table.setPair(k, 0, 1);
}

TEST(PairingButtonRule, DisabledWithoutParticipants) {
  struct Case {
    const char* what;
    std::function<void(Tournament&)> make;
    PairingButton expected;
  };
  const Case cases[] = {
      {"a new event's empty table", [](Tournament&) {}, PairingButton::Disable},
      // The removed rows' pairs stay in the planes: no round looks open, yet nothing is left.
      {"every participant removed after pairing",
       [](Tournament& t) {
         pairEveryRound(t);
         t.table.RemoveParticipant(0);
         t.table.RemoveParticipant(0);
       },
       PairingButton::Disable},
      {"a count below zero", [](Tournament& t) { t.table.participantCount = -1; },
       PairingButton::Disable},
      {"two open participants",
       [](Tournament& t) {
         t.addParticipant("A");
         t.addParticipant("B");
       },
       PairingButton::Enable},
      {"every round paired", pairEveryRound, PairingButton::Disable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto t = testing::makeTournament(3);
    c.make(*t);
    EXPECT_EQ(pairingButtonState(t->table), c.expected);
  }
}

TEST(PairingButtonRule, SaysWhyItIsGrey) {
  struct Case {
    const char* what;
    std::function<void(Tournament&)> make;
    PairingButton state;
    std::string reason;
  };
  auto nine = [](Tournament& t) {
    for (const char* n : {"青山", "南条", "北村", "東", "西田", "桜井", "藤森", "宮下", "今村"})
      t.addParticipant(text::sj(n));
  };
  const Case cases[] = {
      {"no participant", [](Tournament&) {}, PairingButton::Disable, texts::kNoParticipants},
      {"nine open: the bye is asked for", nine, PairingButton::Enable, ""},
      {"after the last round", pairEveryRound, PairingButton::Disable, texts::kEveryRoundPaired},
      {"locked",
       [&](Tournament& t) {
         nine(t);
         t.table.lockFlag = 1;
       },
       PairingButton::Disable, texts::kLockedReason},
      {"round 1 has two games without a result",
       [&](Tournament& t) {
         nine(t);
         t.play(0, 0, 1, data::kWin);
         t.table.setPair(0, 2, 3);
         t.table.setPair(0, 4, 5);
         t.play(0, 6, 7, data::kDraw);
         t.table.opponent[8][0] = data::kBye;
       },
       PairingButton::Disable, "1回戦に結果の未入力があります: 北村–東、西田–桜井"},
      {"five games without a result: four named",
       [&](Tournament& t) {
         nine(t);
         t.addParticipant(text::sj("森"));
         for (int k = 0; k < 10; k += 2) t.table.setPair(0, k, k + 1);
       },
       PairingButton::Disable,
       "1回戦に結果の未入力があります: 青山–南条、北村–東、西田–桜井、藤森–宮下 ほか1局"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto t = testing::makeTournament(3);
    c.make(*t);
    const PairingButtonRule rule = pairingButtonRule(t->table, t->players);
    EXPECT_EQ(rule.state, c.state);
    EXPECT_EQ(rule.reason, c.reason);
  }
}

TEST(DisabledReason, EveryGreyEntrySaysWhyAndAnEnabledOneSaysNothing) {
  auto t = testing::makeTournament(3);
  for (const char* n : {"A", "B", "C", "D"}) t->addParticipant(n);
  const data::Table& table = t->table;
  const struct {
    Command command;
    ViewState state;
    const char* reason;  // null: enabled
  } cases[] = {
      {Command::SetBye, {true, 0}, texts::kSelectParticipants},
      {Command::SetBye, {false, 1}, texts::kNeedsTableMode},
      {Command::SetBye, {true, 1}, nullptr},
      {Command::SetOpponent, {true, 2}, texts::kSelectOneParticipant},
      {Command::ExchangeByes, {true, 1}, texts::kSelectTwoWithoutGames},
      {Command::Undo, {true, 0, false, false}, texts::kNothingToUndo},
      {Command::Redo, {true, 0, false, false}, texts::kNothingToRedo},
      {Command::EditPlayer, {true, 1}, texts::kNeedsPlayerMode},
      {Command::EditPlayer, {false, 0}, texts::kSelectPlayers},
      {Command::ResultSheet, {true, 0}, texts::kNoPairedRound},
      {Command::ExplainPairing, {false, 0}, texts::kNeedsTableMode},
      {Command::Cut, {true, 3}, texts::kNotInThisProgram},
      {Command::Copy, {true, 0}, texts::kNoCellSelected},
      {Command::AnalyseLottery, {true, 0}, texts::kLotteryOnly},
      {Command::NewTable, {false, 0}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.command));
    EXPECT_EQ(disabledReason(c.command, c.state, table), c.reason ? c.reason : "");
    EXPECT_EQ(commandEnabled(c.command, c.state, table), c.reason == nullptr);
  }
  // Once a round holds a game, byes can no longer be exchanged: it says so.
  t->table.setPair(0, 0, 1);
  EXPECT_EQ(disabledReason(Command::ExchangeByes, {true, 2}, table), texts::kGamesStand);
}

TEST(EmptyListHint, HowToGoOnFromAnEmptyList) {
  auto t = testing::makeTournament(3);
  t->table.filePath.clear();
  EXPECT_EQ(emptyListHint(true, t->table, t->players), texts::kFirstStartHint);
  EXPECT_EQ(emptyListHint(false, t->table, t->players), texts::kEmptyRegisterHint);
  t->table.SetTableFile("春季大会.tai");
  EXPECT_EQ(emptyListHint(true, t->table, t->players), texts::kEmptyTableHint);
  t->addParticipant("A");
  EXPECT_EQ(emptyListHint(true, t->table, t->players), "");
  EXPECT_EQ(emptyListHint(false, t->table, t->players), "");
}

}  // namespace
}  // namespace toq::view
