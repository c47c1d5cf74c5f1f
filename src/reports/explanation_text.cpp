#include "reports/explanation_text.h"

#include <cstdarg>
#include <cstdlib>
#include <vector>

#include "reports/explanation_texts.h"
#include "reports/report_files.h"
#include "reports/round_list.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::reports {
namespace {

using pairing::BoardFacts;
using pairing::Explanation;
using pairing::PlayerFacts;

/// Formats a literal text of the explanation (UTF-8) into CP932; the arguments are CP932 or
/// numbers. CP932 never holds '%' in a double-byte character, so the converted format is safe.
template <class... Args>
std::string say(const char* utf8Format, Args... args) {
  return text::format(text::sj(utf8Format).c_str(), args...);
}

/// Lines of CP932 text, each ended by LF.
class Lines {
 public:
  void add(const std::string& line) { text_ += line + "\n"; }
  void blank() { text_ += "\n"; }
  std::string take() { return std::move(text_); }

 private:
  std::string text_;
};

/// Half-points as points: 5 gives "2.5", 4 gives "2".
std::string points(int halfPoints) {
  return halfPoints % 2 == 0 ? text::format("%d", halfPoints / 2)
                             : text::format("%d.5", halfPoints / 2);
}

std::string nameOf(const std::string& name, int number) {
  return name.empty() ? say(texts::kUnknownPlayer, number) : name;
}

std::string nameOf(const PlayerFacts& p) {
  return nameOf(p.name, p.number);
}

std::string sideWord(int side) {
  if (side == data::kSideFirst) return text::sj(texts::kFirstMove);
  if (side == data::kSideSecond) return text::sj(texts::kSecondMove);
  return text::sj(texts::kNoSide);
}

const char* onOff(bool on) {
  return on ? texts::kOn : texts::kOff;
}

void addHead(Lines& out, const Explanation& e) {
  out.add(say(texts::kExplainTitle, e.round + 1));
  out.add(text::sj(texts::kExplainRule));
  const int unpaired = static_cast<int>(e.summary.unpaired.size());
  if (e.reproduced) {
    out.add(say(texts::kVerdictReproduced, static_cast<int>(e.boards.size())));
  } else if (!e.programPaired) {
    out.add(text::sj(texts::kVerdictUnpaired));
  } else if (e.boardsDiffering() == 0) {
    out.add(say(texts::kVerdictOnlyUnpaired, unpaired));
  } else {
    out.add(say(texts::kVerdictDiffers, e.boardsDiffering()));
    if (unpaired > 0) out.add(say(texts::kVerdictRowsUnpaired, unpaired));
  }
  out.add(say(texts::kVerdictHowTried, e.combinationsTried));
  if (!e.reproduced && e.programPaired) out.add(text::sj(texts::kVerdictClosest));
  out.add(say(texts::kOptionsLine, text::sj(onOff(e.options.play2)).c_str(),
              text::sj(onOff(e.options.womanProfessionalTwice)).c_str(),
              text::sj(onOff(e.options.allowSixPieceHandicaps)).c_str()));
  if (e.options.avoidAffiliationRounds > 0)
    out.add(say(texts::kOptionsAffiliation, e.boardsMovedByAffiliation()));
  switch (e.way.method) {
    case pairing::PairingMethod::SeededAttempt:
      out.add(
          say(e.way.prePass ? texts::kMethodAttemptPrePass : texts::kMethodAttempt, e.way.seed));
      break;
    case pairing::PairingMethod::ProfessionalSearch:
      out.add(text::sj(texts::kMethodProfessionalSearch));
      break;
    case pairing::PairingMethod::ExhaustiveSearch:
      out.add(text::sj(texts::kMethodExhaustive));
      break;
    case pairing::PairingMethod::None:
      break;
  }
  const pairing::ProfessionalStepReport& pro = e.way.professionals;
  if (pro.relaxedGames > 0)
    out.add(say(texts::kProfessionalRelaxed, pro.games, pro.relaxedGames));
  else if (pro.games > 0)
    out.add(say(texts::kProfessionalGames, pro.games));
  switch (e.sideRule) {
    case pairing::SideRule::None:
      out.add(text::sj(texts::kSideRuleNone));
      break;
    case pairing::SideRule::Balance:
      out.add(text::sj(texts::kSideRuleBalance));
      break;
    case pairing::SideRule::Handicaps:
      out.add(text::sj(texts::kSideRuleHandicaps));
      break;
  }
  if (!e.standingsComplete) out.add(text::sj(texts::kStandingsIncomplete));
}

std::string rowList(const std::vector<pairing::RowFacts>& rows) {
  if (rows.empty()) return text::sj(texts::kNobody);
  std::string list;
  for (const pairing::RowFacts& r : rows) {
    if (!list.empty()) list += text::sj(texts::kListSeparator);
    list += say(texts::kRowName, r.row + 1, nameOf(r.name, 0).c_str());
  }
  return list;
}

/// "3. 名前" of the program's opponent of a row, or what stands for none.
std::string programOpponentText(const Explanation& e, int code) {
  if (code == data::kBye) return text::sj(texts::kProgramBye);
  if (code < 0) return text::sj(texts::kProgramNobody);
  for (const BoardFacts& b : e.boards)
    for (const PlayerFacts& p : b.players)
      if (p.row == code) return say(texts::kRowName, p.row + 1, nameOf(p).c_str());
  for (const auto* list : {&e.summary.byes, &e.summary.absent, &e.summary.unpaired})
    for (const pairing::RowFacts& r : *list)
      if (r.row == code) return say(texts::kRowName, r.row + 1, nameOf(r.name, 0).c_str());
  return say(texts::kRowName, code + 1, "");
}

void addSummary(Lines& out, const Explanation& e) {
  out.add(text::sj(texts::kSummaryHead));
  std::string groups = text::sj(texts::kScoreGroups);
  for (std::size_t i = 0; i < e.summary.scoreGroups.size(); ++i) {
    if (i > 0) groups += text::sj(texts::kListSeparator);
    const pairing::ScoreGroup& g = e.summary.scoreGroups[i];
    groups += say(texts::kScoreGroup, points(g.points).c_str(), g.players);
  }
  out.add(groups);
  out.add(say(texts::kFloats, e.summary.floats));
  out.add(say(texts::kRepeats, e.summary.repeatedMeetings));
  out.add(say(texts::kProfessionalBoards, e.summary.professionalBoards));
  out.add(text::sj(texts::kByes) + rowList(e.summary.byes));
  if (!e.summary.absent.empty()) out.add(text::sj(texts::kAbsent) + rowList(e.summary.absent));
  if (!e.summary.unpaired.empty())
    out.add(text::sj(texts::kUnpaired) + rowList(e.summary.unpaired));
  for (const pairing::RowFacts& r : e.summary.unpaired)
    out.add(say(texts::kProgramPairs, r.row + 1, nameOf(r.name, 0).c_str(),
                programOpponentText(e, r.programOpponent).c_str()));
}

std::string playerLine(const PlayerFacts& p) {
  std::string line =
      say(texts::kPlayerLine, p.row + 1, nameOf(p).c_str(), points(p.points).c_str(),
          p.rank > 0 ? say(texts::kRank, p.rank).c_str() : text::sj(texts::kNoRank).c_str());
  if (p.professional) {
    line += text::sj(p.woman ? texts::kWomanProfessional : texts::kProfessional);
  } else {
    line += say(texts::kAgainstProfessionals, p.gamesAgainstProfessionals);
    if (p.gamesAgainstWomen > 0) line += say(texts::kAgainstWomen, p.gamesAgainstWomen);
  }
  line += say(texts::kMoves, p.firstMoves, p.secondMoves);
  line += say(texts::kLastSide, p.gamesPlayed > 0 ? sideWord(p.lastSide).c_str()
                                                  : text::sj(texts::kNoGameBefore).c_str());
  return line;
}

/// The player who moves first, or none.
const PlayerFacts* firstMover(const BoardFacts& b) {
  for (const PlayerFacts& p : b.players)
    if (p.side == data::kSideFirst) return &p;
  return nullptr;
}

std::string sideLine(const BoardFacts& b) {
  const PlayerFacts* first = firstMover(b);
  const std::string name = first ? nameOf(*first) : std::string();
  using pairing::SideReason;
  switch (b.sideReason) {
    case SideReason::Undecided:
      return text::sj(texts::kSideUndecided);
    case SideReason::NoRating:
      return text::sj(texts::kSideNoRating);
    case SideReason::Balance:
      return say(texts::kSideBalance, name.c_str());
    case SideReason::Coin:
      return say(texts::kSideCoin, name.c_str());
    case SideReason::HandicapGame:
      return say(texts::kSideHandicap, name.c_str());
    case SideReason::StrongerSecond:
      return say(texts::kSideStronger, name.c_str());
    case SideReason::LaterRowFirst:
      return say(texts::kSideLaterRow, name.c_str());
    case SideReason::ByHand:
      break;
  }
  return first ? say(texts::kSideByHand, name.c_str()) : text::sj(texts::kSideUndecidedByHand);
}

std::string handicapLine(const BoardFacts& b) {
  const PlayerFacts& x = b.players[0];
  const PlayerFacts& y = b.players[1];
  const int code = x.handicap != 0 ? x.handicap : -y.handicap;
  const std::string giver = code > 0 ? nameOf(x) : nameOf(y);
  const int difference = std::abs(b.ratingDifference);
  using pairing::HandicapReason;
  switch (b.handicapReason) {
    case HandicapReason::NotDerived:
      return text::sj(texts::kHandicapEven);
    case HandicapReason::NoRating:
      return text::sj(texts::kHandicapNoRating);
    case HandicapReason::Rating:
      if (code == 0) return say(texts::kHandicapRatingEven, difference);
      return say(texts::kHandicapRating, handicapName(code).c_str(), giver.c_str(), difference);
    case HandicapReason::ByHand:
      break;
  }
  return say(texts::kHandicapByHand, handicapName(code).c_str(), difference);
}

std::string meetingReason(pairing::MeetingRule rule) {
  switch (rule) {
    case pairing::MeetingRule::RelaxedPass:
      return text::sj(texts::kMeetingRelaxed);
    case pairing::MeetingRule::ProfessionalSearch:
      return text::sj(texts::kMeetingProfessionalSearch);
    case pairing::MeetingRule::ByHand:
      return text::sj(texts::kMeetingByHand);
    case pairing::MeetingRule::Unexplained:
    case pairing::MeetingRule::None:
      break;
  }
  return text::sj(texts::kMeetingUnexplained);
}

void addBoard(Lines& out, const Explanation& e, const BoardFacts& b) {
  const PlayerFacts& x = b.players[0];
  const PlayerFacts& y = b.players[1];
  out.add(
      say(texts::kBoardHead, b.board, x.row + 1, nameOf(x).c_str(), y.row + 1, nameOf(y).c_str()));
  if (b.reproduced) {
    out.add(text::sj(texts::kBoardReproduced));
  } else {
    out.add(text::sj(texts::kBoardDiffers));
    for (const PlayerFacts& p : b.players)
      out.add(say(texts::kProgramPairs, p.row + 1, nameOf(p).c_str(),
                  programOpponentText(e, p.programOpponent).c_str()));
  }
  out.add(playerLine(x));
  out.add(playerLine(y));
  if (x.points == y.points) {
    out.add(text::sj(texts::kSameGroup));
  } else {
    const PlayerFacts& up = x.floated == pairing::Float::Up ? x : y;
    const PlayerFacts& down = x.floated == pairing::Float::Up ? y : x;
    out.add(say(texts::kFloatUp, nameOf(up).c_str(), nameOf(down).c_str()));
  }
  if (b.earlierMeetings > 0)
    out.add(say(texts::kMeetingAgain, b.earlierMeetings + 1, meetingReason(b.meetingRule).c_str()));
  if (b.movedByAffiliation) out.add(text::sj(texts::kBoardMovedByAffiliation));
  if (!b.sharedAffiliation.empty())
    out.add(say(texts::kBoardSameAffiliation, b.sharedAffiliation.c_str()));
  out.add(sideLine(b));
  out.add(handicapLine(b));
}

/// The part of a row that holds no game: listed with the program's opponent for it.
bool addRowWithoutGame(Lines& out, const Explanation& e, int row) {
  for (const auto* list : {&e.summary.byes, &e.summary.absent, &e.summary.unpaired})
    for (const pairing::RowFacts& r : *list) {
      if (r.row != row) continue;
      const char* label = list == &e.summary.byes     ? texts::kByes
                          : list == &e.summary.absent ? texts::kAbsent
                                                      : texts::kUnpaired;
      out.add(text::sj(label) + say(texts::kRowName, r.row + 1, nameOf(r.name, 0).c_str()));
      if (list == &e.summary.unpaired)
        out.add(say(texts::kProgramPairs, r.row + 1, nameOf(r.name, 0).c_str(),
                    programOpponentText(e, r.programOpponent).c_str()));
      return true;
    }
  return false;
}

}  // namespace

std::string explanationText(const Explanation& e) {
  Lines out;
  addHead(out, e);
  out.blank();
  addSummary(out, e);
  for (const BoardFacts& b : e.boards) {
    out.blank();
    addBoard(out, e, b);
  }
  return out.take();
}

std::string explanationText(const Explanation& e, int row) {
  Lines out;
  addHead(out, e);
  out.blank();
  if (const BoardFacts* b = e.boardOf(row))
    addBoard(out, e, *b);
  else
    addRowWithoutGame(out, e, row);
  return out.take();
}

std::string explainRoundText(const data::Table& table, const data::Register& players, int round,
                             std::optional<int> row) {
  const std::optional<pairing::Explanation> e = pairing::explainRound(table, players, round);
  if (!e) return say(texts::kExplainNoGame, round + 1) + "\n";
  return row ? explanationText(*e, *row) : explanationText(*e);
}

std::filesystem::path explanationPath(const data::Table& table, int round) {
  return reportPath(table, text::format(texts::kExplanationFile, round + 1));
}

}  // namespace toq::reports
