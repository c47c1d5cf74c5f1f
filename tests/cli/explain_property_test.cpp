// The explanation of a pairing on generated tournaments paired as the pairing command pairs
// them, some boards then changed by hand through the editing operations: every round the
// program paired is reported reproduced, with the options and the way the driver reported; a
// board changed by hand is reported differing, with the program's own choice; the facts agree
// with the standings and the planes; and explaining leaves the table file as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include <unistd.h>

#include "data/table_file.h"
#include "edit/pairing_edits.h"
#include "edit/workspace.h"
#include "pairing/compat.h"
#include "pairing/driver.h"
#include "pairing/explanation.h"
#include "pairing/reproduction.h"
#include "pairing/sides.h"
#include "pairing/standings.h"
#include "reports/explanation_json.h"
#include "reports/explanation_text.h"
#include "support/simulate.h"

namespace toq {
namespace {

using pairing::BoardFacts;
using pairing::Explanation;
using pairing::PairingOptions;
using pairing::SideRule;

/// What the simulation knows of one round: how it was paired and what was changed by hand.
struct RoundRecord {
  PairingOptions options;
  pairing::PairingWay way;
  SideRule rule = SideRule::None;
  std::unique_ptr<data::Table> before;  ///< the table as the round was paired
  enum class Hand { None, Swap, MovedBye } hand = Hand::None;
  /// For a swap: the program's pairs a-b and c-d became a-d and c-b.
  int a = -1, b = -1, c = -1, d = -1;
};

/// Counts over the run, to see that the checks met what they are about.
struct Tally {
  int rounds = 0;
  int sameOptions = 0;
  int earlierOptions = 0;  ///< options the table cannot tell from the defaults
  int swaps = 0;
  int movedByes = 0;
  int movedByesDiffering = 0;
  int repeated = 0;
  int handicapBoards = 0;
  int coinBoards = 0;
  int otherSideRule = 0;  ///< rounds whose sides another rule gives as well
};

int comboIndex(const PairingOptions& o) {
  return (o.play2 ? 1 : 0) + (o.womanProfessionalTwice ? 2 : 0);
}

/// The handicap magnitude for a rating difference, as the handicap assignment gives it.
int expectedHandicap(int difference, bool sixPiece) {
  if (sixPiece && difference >= 1000) return 10;
  if (sixPiece && difference >= 800) return 7;
  static constexpr int kSteps[][2] = {{600, 5}, {450, 4}, {350, 3}, {250, 2}, {100, 1}};
  for (const auto& s : kSteps)
    if (difference >= s[0]) return s[1];
  return 0;
}

bool singleAmateur(const edit::Workspace& ws, int row) {
  return !pairing::isProfessional(ws.table, ws.players, row) &&
         pairing::entriesOf(ws.table, ws.players, row) == 1;
}

/// Boards of the round between single-board amateurs, lower row first.
std::vector<std::pair<int, int>> amateurBoards(const edit::Workspace& ws, int round) {
  std::vector<std::pair<int, int>> boards;
  for (int row = 0; row < ws.table.participantCount; ++row) {
    const int o = ws.table.opponentRow(row, round);
    if (o > row && singleAmateur(ws, row) && singleAmateur(ws, o)) boards.emplace_back(row, o);
  }
  return boards;
}

/// Two boards a-b and c-d become a-d and c-b, as the organiser does it: cancel both, set the
/// opponents anew.
void swapOpponents(edit::Workspace& ws, services::Services& ui, RoundRecord& rec, std::mt19937& rng,
                   int round) {
  const auto boards = amateurBoards(ws, round);
  if (boards.size() < 2) return;
  const std::size_t i = rng() % boards.size();
  const std::size_t j = (i + 1 + rng() % (boards.size() - 1)) % boards.size();
  const auto [a, b] = boards[i];
  const auto [c, d] = boards[j];
  ASSERT_TRUE(edit::cancelLastPairing(ws, ui, a).done());
  ASSERT_TRUE(edit::cancelLastPairing(ws, ui, c).done());
  ASSERT_TRUE(edit::setOpponent(ws, ui, a, edit::given(ws.table.participants[d])).done());
  ASSERT_TRUE(edit::setOpponent(ws, ui, c, edit::given(ws.table.participants[b])).done());
  ASSERT_TRUE(pairing::haveMet(ws.table, round + 1, a, d));
  rec.hand = RoundRecord::Hand::Swap;
  rec.a = a, rec.b = b, rec.c = c, rec.d = d;
}

/// The bye passes from row y to b, and y takes b's opponent c.
void moveBye(edit::Workspace& ws, services::Services& ui, RoundRecord& rec, std::mt19937& rng,
             int round) {
  int y = -1;
  for (int row = 0; row < ws.table.participantCount; ++row)
    if (ws.table.opponent[row][round] == data::kBye && singleAmateur(ws, row)) y = row;
  const auto boards = amateurBoards(ws, round);
  if (y < 0 || boards.empty()) return;
  auto [b, c] = boards[rng() % boards.size()];
  if (rng() % 2) std::swap(b, c);
  if (pairing::haveMet(ws.table, round, y, c)) return;
  ASSERT_TRUE(edit::cancelLastPairing(ws, ui, y).done());
  ASSERT_TRUE(edit::cancelLastPairing(ws, ui, b).done());
  ASSERT_TRUE(edit::setBye(ws, ui, b).done());
  ASSERT_TRUE(edit::setOpponent(ws, ui, y, edit::given(ws.table.participants[c])).done());
  rec.hand = RoundRecord::Hand::MovedBye;
  rec.a = y, rec.b = c;
}

void randomResults(data::Table& t, int round, std::mt19937& rng) {
  for (int row = 0; row < t.participantCount; ++row) {
    const int o = t.opponentRow(row, round);
    if (o < row) continue;
    const unsigned roll = rng() % 9;
    const std::int16_t r = roll == 0 ? data::kDraw : roll % 2 ? data::kWin : data::kLoss;
    t.result[row][round] = r;
    t.result[o][round] = r == data::kDraw  ? data::kDraw
                         : r == data::kWin ? data::kLoss
                                           : data::kWin;
  }
}

/// Facts of one player against the table as it stood before the round.
void checkPlayer(const pairing::PlayerFacts& p, const data::Table& before,
                 const data::Register& players, int round, const std::string& where) {
  const int row = p.row;
  int games = 0, first = 0, second = 0, pros = 0, women = 0, last = data::kSideUndecided;
  for (int k = 0; k < round; ++k) {
    const int o = before.opponentRow(row, k);
    if (o < 0) continue;
    ++games;
    if (before.side[row][k] == data::kSideFirst) ++first;
    if (before.side[row][k] == data::kSideSecond) ++second;
    last = before.side[row][k];
    const data::Player* op = players.FindPlayer(before.participants[o]);
    if (op && op->professional) ++pros;
    if (op && op->womanProfessional) ++women;
  }
  EXPECT_EQ(p.gamesPlayed, games) << where;
  EXPECT_EQ(p.firstMoves, first) << where;
  EXPECT_EQ(p.secondMoves, second) << where;
  EXPECT_EQ(p.lastSide, last) << where;
  EXPECT_EQ(p.gamesAgainstProfessionals, pros) << where;
  EXPECT_EQ(p.gamesAgainstWomen, women) << where;
  if (round == 0) {
    EXPECT_EQ(p.points, 0) << where;
    EXPECT_EQ(p.rank, 0) << where;
    return;
  }
  int lead = row;
  while (lead > 0 && before.participants[lead - 1] == before.participants[row]) --lead;
  EXPECT_EQ(p.points, before.standings[row][round - 1].score) << where;
  EXPECT_EQ(p.rank, std::max(0, before.standings[lead][round - 1].rank)) << where;
}

/// Sides and handicap of a board the program decided, against the rule they are said to follow.
void checkSides(const BoardFacts& b, const Explanation& e, Tally& tally, const std::string& where) {
  const pairing::PlayerFacts& x = b.players[0];
  const pairing::PlayerFacts& y = b.players[1];
  EXPECT_NE(b.sideReason, pairing::SideReason::ByHand) << where;
  EXPECT_NE(b.handicapReason, pairing::HandicapReason::ByHand) << where;
  const pairing::PlayerFacts* mover = x.side == data::kSideFirst   ? &x
                                      : y.side == data::kSideFirst ? &y
                                                                   : nullptr;
  const pairing::PlayerFacts* other = mover == &x ? &y : &x;
  using pairing::SideReason;
  switch (b.sideReason) {
    case SideReason::Balance:
      ASSERT_TRUE(mover) << where;
      EXPECT_LT(mover->firstMoves - mover->secondMoves, other->firstMoves - other->secondMoves)
          << where;
      break;
    case SideReason::Coin:
      ++tally.coinBoards;
      ASSERT_TRUE(mover) << where;
      EXPECT_EQ(x.firstMoves - x.secondMoves, y.firstMoves - y.secondMoves) << where;
      break;
    case SideReason::HandicapGame:
      ASSERT_TRUE(mover) << where;
      EXPECT_LT(mover->handicap, 0) << where;
      break;
    case SideReason::StrongerSecond:
      ASSERT_TRUE(mover) << where;
      EXPECT_LT(mover->rating, other->rating) << where;
      break;
    case SideReason::LaterRowFirst:
      ASSERT_TRUE(mover) << where;
      EXPECT_EQ(x.rating, y.rating) << where;
      EXPECT_EQ(mover, &y) << where;
      break;
    case SideReason::Undecided:
    case SideReason::NoRating:
      EXPECT_FALSE(mover) << where;
      break;
    case SideReason::ByHand:
      break;
  }
  if (b.handicapReason == pairing::HandicapReason::Rating) {
    const int magnitude = std::abs(x.handicap);
    EXPECT_EQ(magnitude,
              expectedHandicap(std::abs(b.ratingDifference), e.options.allowSixPieceHandicaps))
        << where;
    EXPECT_EQ(b.ratingDifference, x.rating - y.rating) << where;
    EXPECT_EQ(x.handicap, -y.handicap) << where;
    if (x.handicap != 0) {
      EXPECT_EQ(x.handicap > 0, x.rating > y.rating) << where;
    }
    if (magnitude > 0) ++tally.handicapBoards;
  }
}

/// The round's summary against its boards and the table.
void checkSummary(const Explanation& e, const data::Table& t, int round, const std::string& where) {
  int players = 0, floats = 0, repeats = 0, pros = 0;
  for (const auto& g : e.summary.scoreGroups) players += g.players;
  for (const BoardFacts& b : e.boards) {
    floats += b.players[0].points != b.players[1].points;
    repeats += b.earlierMeetings > 0;
    pros += b.professionalBoard;
  }
  EXPECT_EQ(players, 2 * static_cast<int>(e.boards.size())) << where;
  EXPECT_EQ(e.summary.floats, floats) << where;
  EXPECT_EQ(e.summary.repeatedMeetings, repeats) << where;
  EXPECT_EQ(e.summary.professionalBoards, pros) << where;
  std::size_t byes = 0;
  for (int row = 0; row < t.participantCount; ++row) byes += t.opponent[row][round] == data::kBye;
  EXPECT_EQ(e.summary.byes.size(), byes) << where;
}

/// The program's pairing of the round with the options of the verdict, paired here once more.
std::unique_ptr<data::Table> programPairing(const edit::Workspace& ws, int round,
                                            const PairingOptions& options) {
  auto t = pairing::tableBeforeRound(ws.table, round);
  pairing::Random random;
  services::RecordingServices quiet;
  pairing::PairingContext ctx{*t, ws.players, options, random, quiet};
  pairing::runPairing(ctx, round, {});
  return t;
}

/// The program's opponent of a row that holds a game, as the explanation reports it.
int programOpponentOf(const Explanation& e, int row) {
  const BoardFacts* b = e.boardOf(row);
  if (!b) return data::kUnpaired;
  return b->players[b->players[0].row == row ? 0 : 1].programOpponent;
}

void checkRound(const edit::Workspace& ws, const RoundRecord& rec, int round, Tally& tally,
                const std::string& where) {
  const std::optional<Explanation> found = pairing::explainRound(ws.table, ws.players, round);
  ASSERT_TRUE(found) << where;
  const Explanation& e = *found;
  ++tally.rounds;
  EXPECT_EQ(e.round, round);
  EXPECT_FALSE(reports::explanationText(e).empty());
  EXPECT_EQ(reports::explanationJson(e).front(), '{');
  checkSummary(e, ws.table, round, where);

  if (rec.hand == RoundRecord::Hand::None) {
    EXPECT_TRUE(e.reproduced) << where;
    EXPECT_EQ(e.boardsDiffering(), 0) << where;
    EXPECT_LE(comboIndex(e.options), comboIndex(rec.options)) << where;
    if (comboIndex(e.options) == comboIndex(rec.options)) {
      ++tally.sameOptions;
      EXPECT_EQ(e.way, rec.way) << where;
    } else {
      ++tally.earlierOptions;
    }
    if (e.sideRule != rec.rule) ++tally.otherSideRule;
  } else {
    // What the program pairs with the options of the verdict, paired here independently.
    const auto program = programPairing(ws, round, e.options);
    for (const BoardFacts& b : e.boards) {
      for (const auto& p : b.players)
        EXPECT_EQ(p.programOpponent, program->opponent[p.row][round]) << where;
      const bool same = program->opponent[b.players[0].row][round] == b.players[1].row;
      EXPECT_EQ(b.reproduced, same) << where;
    }
    if (rec.hand == RoundRecord::Hand::Swap) {
      ++tally.swaps;
      EXPECT_FALSE(e.reproduced) << where;
      ASSERT_TRUE(e.boardOf(rec.a) && e.boardOf(rec.c)) << where;
      EXPECT_FALSE(e.boardOf(rec.a)->reproduced) << where;
      EXPECT_FALSE(e.boardOf(rec.c)->reproduced) << where;
      EXPECT_EQ(e.boardOf(rec.a)->meetingRule, e.boardOf(rec.a)->earlierMeetings > 0
                                                   ? pairing::MeetingRule::ByHand
                                                   : pairing::MeetingRule::None)
          << where;
      // The rest of the round is the program's: the recorded options agree with every other
      // row, and the program's own choice for the changed boards is the one it made.
      EXPECT_EQ(e.boardsDiffering(), 2) << where;
      if (comboIndex(e.options) == comboIndex(rec.options)) {
        EXPECT_EQ(programOpponentOf(e, rec.a), rec.b) << where;
        EXPECT_EQ(programOpponentOf(e, rec.c), rec.d) << where;
      }
    } else {
      ++tally.movedByes;
      if (!e.reproduced) ++tally.movedByesDiffering;
    }
  }

  for (const BoardFacts& b : e.boards) {
    const std::string at = where + " board " + std::to_string(b.board);
    for (const auto& p : b.players) checkPlayer(p, *rec.before, ws.players, round, at);
    const auto& x = b.players[0];
    const auto& y = b.players[1];
    EXPECT_EQ(x.floated == pairing::Float::Up, x.points < y.points) << at;
    EXPECT_EQ(y.floated == pairing::Float::Down, x.points < y.points) << at;
    EXPECT_EQ(b.earlierMeetings, pairing::meetings(ws.table, round, x.row, y.row)) << at;
    if (rec.hand == RoundRecord::Hand::None) {
      checkSides(b, e, tally, at);
      if (b.earlierMeetings > 0) {
        ++tally.repeated;
        EXPECT_TRUE(b.meetingRule == pairing::MeetingRule::RelaxedPass ||
                    b.meetingRule == pairing::MeetingRule::ProfessionalSearch)
            << at;
      }
    }
  }
}

/// One generated tournament, paired round by round as the pairing command pairs, with a hand
/// change in some rounds; then every paired round explained and checked.
void playAndExplain(std::uint32_t seed, const std::string& dir, Tally& tally) {
  std::mt19937 rng(seed);
  testing::FieldShape shape;
  shape.amateurs = 4 + static_cast<int>(rng() % 14);
  shape.professionals = static_cast<int>(rng() % 3);
  shape.maxBoards = 1 + static_cast<int>(rng() % 3);
  shape.womenProfessionals = static_cast<int>(rng() % 2);
  shape.games = 3 + static_cast<int>(rng() % 4);
  const auto field = testing::generateField(shape, seed);
  auto ws = std::make_unique<edit::Workspace>();
  ws->players = field->players;
  ws->table = field->table;
  ws->table.filePath = dir + "/event.tai";
  ws->options.play2 = rng() % 2 == 0;
  ws->options.womanProfessionalTwice = rng() % 3 == 0;
  ws->options.allowSixPieceHandicaps = rng() % 2 == 0;
  const SideRule rule = static_cast<SideRule>(rng() % 3);
  ws->deriveHandicaps = rule == SideRule::Handicaps;
  ws->decideSides = rule == SideRule::Balance;
  services::RecordingServices ui;

  std::vector<RoundRecord> records;
  for (int round = 0; round < ws->table.numberOfGames; ++round) {
    if (ws->table.unpairedRows(round) % 2 != 0) {
      std::vector<int> free;
      for (int row = 0; row < ws->table.participantCount; ++row)
        if (ws->table.opponent[row][round] == data::kUnpaired) free.push_back(row);
      ws->table.opponent[free[rng() % free.size()]][round] = data::kBye;
    }
    RoundRecord rec;
    rec.options = ws->options;
    rec.rule = rule;
    rec.before = std::make_unique<data::Table>(ws->table);
    pairing::computeStandings(*rec.before, ws->players, round - 1);
    auto ctx = ws->context(ui);
    if (pairing::runPairing(ctx, round, {}, &rec.way) != 0) break;
    if (rule == SideRule::Handicaps) pairing::assignHandicaps(ctx, round);
    if (rule == SideRule::Balance) pairing::assignSides(ctx, round);
    const unsigned roll = rng() % 6;
    if (roll == 0) swapOpponents(*ws, ui, rec, rng, round);
    if (roll == 1) moveBye(*ws, ui, rec, rng, round);
    if (::testing::Test::HasFatalFailure()) return;
    randomResults(ws->table, round, rng);
    records.push_back(std::move(rec));
  }

  const std::string file = dir + "/check.tai";
  ASSERT_EQ(data::WriteTableFile(ws->table, file, ui), 0);
  const std::string bytesBefore = testing::readFile(file);
  const auto tableBefore = std::make_unique<data::Table>(ws->table);
  for (int round = 0; round < static_cast<int>(records.size()); ++round)
    checkRound(*ws, records[static_cast<std::size_t>(round)], round, tally,
               "seed " + std::to_string(seed) + " round " + std::to_string(round));
  ASSERT_EQ(data::WriteTableFile(ws->table, file, ui), 0);
  EXPECT_EQ(testing::readFile(file), bytesBefore) << "seed " << seed;
  EXPECT_EQ(std::memcmp(&ws->table.opponent, &tableBefore->opponent, sizeof(data::Plane) * 4), 0);
}

/// A scratch folder in memory where there is one: every hand change writes the table file, and
/// a disk's sync would make the run slow.
std::string scratchDir() {
  std::error_code ec;
  if (std::filesystem::is_directory("/dev/shm", ec)) {
    const auto dir =
        std::filesystem::path("/dev/shm") / ("toq-explain-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir, ec);
    if (!ec) return dir.string();
  }
  return testing::makeTempDir();
}

TEST(ExplainProperty, GeneratedTournaments) {
  const std::string dir = scratchDir();
  Tally tally;
  for (std::uint32_t seed = 1; seed <= 1000 && !::testing::Test::HasFailure(); ++seed)
    playAndExplain(seed, dir, tally);
  std::filesystem::remove_all(dir);
  std::printf(
      "rounds %d, same options %d, earlier options %d, swaps %d, moved byes %d (%d differing), "
      "repeated meetings %d, handicap boards %d, coin boards %d, other side rule %d\n",
      tally.rounds, tally.sameOptions, tally.earlierOptions, tally.swaps, tally.movedByes,
      tally.movedByesDiffering, tally.repeated, tally.handicapBoards, tally.coinBoards,
      tally.otherSideRule);
  EXPECT_GT(tally.swaps, 50);
  EXPECT_GT(tally.movedByesDiffering, tally.movedByes / 2);
  EXPECT_GT(tally.repeated, 0);
  EXPECT_GT(tally.handicapBoards, 0);
  EXPECT_GT(tally.coinBoards, 0);
  EXPECT_LT(tally.otherSideRule, tally.rounds / 10);
}

}  // namespace
}  // namespace toq
