// nlohmann/json is used here only, behind a header of standard types: the engine and the rest
// of the core stay standard-library only.
#include "reports/explanation_json.h"

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "reports/round_list.h"
#include "text/cp932.h"

namespace toq::reports {
namespace {

// Keys stay in the order written, which reads as the text does.
using Json = nlohmann::ordered_json;
using pairing::BoardFacts;
using pairing::PlayerFacts;

double points(int halfPoints) {
  return halfPoints / 2.0;
}

Json sideName(int side) {
  if (side == data::kSideFirst) return "first";
  if (side == data::kSideSecond) return "second";
  return nullptr;
}

/// A row of the round as 1-based number, a code's name, or null for no opponent.
Json entry(int code) {
  if (code >= 0) return code + 1;
  if (code == data::kBye) return "bye";
  if (code == data::kAbsent) return "absent";
  return nullptr;
}

const char* methodName(pairing::PairingMethod m) {
  switch (m) {
    case pairing::PairingMethod::SeededAttempt:
      return "seeded-attempt";
    case pairing::PairingMethod::ProfessionalSearch:
      return "professional-search";
    case pairing::PairingMethod::ExhaustiveSearch:
      return "exhaustive-search";
    case pairing::PairingMethod::None:
      break;
  }
  return "none";
}

const char* sideRuleName(pairing::SideRule r) {
  switch (r) {
    case pairing::SideRule::Balance:
      return "balance";
    case pairing::SideRule::Handicaps:
      return "handicaps";
    case pairing::SideRule::None:
      break;
  }
  return "none";
}

const char* sideReasonName(pairing::SideReason r) {
  using pairing::SideReason;
  switch (r) {
    case SideReason::Undecided:
      return "undecided";
    case SideReason::Balance:
      return "balance";
    case SideReason::Coin:
      return "coin";
    case SideReason::HandicapGame:
      return "handicap-game";
    case SideReason::StrongerSecond:
      return "stronger-second";
    case SideReason::LaterRowFirst:
      return "later-row-first";
    case SideReason::NoRating:
      return "no-rating";
    case SideReason::ByHand:
      break;
  }
  return "by-hand";
}

const char* handicapReasonName(pairing::HandicapReason r) {
  using pairing::HandicapReason;
  switch (r) {
    case HandicapReason::NotDerived:
      return "not-derived";
    case HandicapReason::Rating:
      return "rating";
    case HandicapReason::NoRating:
      return "no-rating";
    case HandicapReason::ByHand:
      break;
  }
  return "by-hand";
}

Json meetingRuleName(pairing::MeetingRule r) {
  using pairing::MeetingRule;
  switch (r) {
    case MeetingRule::None:
      return nullptr;
    case MeetingRule::RelaxedPass:
      return "relaxed-pass";
    case MeetingRule::ProfessionalSearch:
      return "professional-search";
    case MeetingRule::ByHand:
      return "by-hand";
    case MeetingRule::Unexplained:
      break;
  }
  return "unexplained";
}

Json floatName(pairing::Float f) {
  if (f == pairing::Float::Up) return "up";
  if (f == pairing::Float::Down) return "down";
  return nullptr;
}

Json player(const PlayerFacts& p) {
  Json j;
  j["row"] = p.row + 1;
  j["number"] = p.number;
  j["name"] = text::toUtf8(p.name);
  j["rating"] = p.rating;
  j["professional"] = p.professional;
  j["womanProfessional"] = p.woman;
  j["points"] = points(p.points);
  j["rank"] = p.rank > 0 ? Json(p.rank) : Json(nullptr);
  j["float"] = floatName(p.floated);
  j["gamesAgainstProfessionals"] = p.gamesAgainstProfessionals;
  j["gamesAgainstWomenProfessionals"] = p.gamesAgainstWomen;
  j["gamesPlayed"] = p.gamesPlayed;
  j["firstMoves"] = p.firstMoves;
  j["secondMoves"] = p.secondMoves;
  j["lastSide"] = sideName(p.lastSide);
  j["side"] = sideName(p.side);
  j["handicap"] = p.handicap;
  j["programOpponent"] = entry(p.programOpponent);
  return j;
}

Json board(const BoardFacts& b) {
  Json j;
  j["board"] = b.board;
  j["reproduced"] = b.reproduced;
  j["players"] = Json::array({player(b.players[0]), player(b.players[1])});
  j["earlierMeetings"] = b.earlierMeetings;
  j["meetingRule"] = meetingRuleName(b.meetingRule);
  j["professionalBoard"] = b.professionalBoard;
  j["sideRule"] = sideReasonName(b.sideReason);
  const PlayerFacts& x = b.players[0];
  const PlayerFacts& y = b.players[1];
  const int code = x.handicap != 0 ? x.handicap : -y.handicap;
  Json h;
  h["name"] = text::toUtf8(handicapName(code));
  h["giverRow"] = code > 0 ? Json(x.row + 1) : code < 0 ? Json(y.row + 1) : Json(nullptr);
  h["ratingDifference"] = std::abs(b.ratingDifference);
  h["rule"] = handicapReasonName(b.handicapReason);
  j["handicap"] = std::move(h);
  // Only boards the affiliations touch carry these, so that other explanations stay as they were.
  if (b.movedByAffiliation) j["movedByAffiliation"] = true;
  if (!b.sharedAffiliation.empty()) j["sameAffiliation"] = text::toUtf8(b.sharedAffiliation);
  return j;
}

Json rows(const std::vector<pairing::RowFacts>& list) {
  Json j = Json::array();
  for (const pairing::RowFacts& r : list)
    j.push_back({{"row", r.row + 1},
                 {"name", text::toUtf8(r.name)},
                 {"programOpponent", entry(r.programOpponent)}});
  return j;
}

}  // namespace

std::string explanationJson(const pairing::Explanation& e) {
  Json j;
  j["round"] = e.round + 1;
  j["reproduced"] = e.reproduced;
  j["programPaired"] = e.programPaired;
  j["boardsDiffering"] = e.boardsDiffering();
  j["combinationsTried"] = e.combinationsTried;
  j["options"] = {{"play2", e.options.play2},
                  {"womanProfessionalTwice", e.options.womanProfessionalTwice},
                  {"sixPieceHandicaps", e.options.allowSixPieceHandicaps}};
  if (e.options.avoidAffiliationRounds > 0) j["options"]["avoidAffiliation"] = true;
  j["method"] = methodName(e.way.method);
  j["seed"] = e.way.seed > 0 ? Json(e.way.seed) : Json(nullptr);
  j["prePass"] = e.way.prePass;
  j["professionalStep"] = {{"games", e.way.professionals.games},
                           {"relaxedGames", e.way.professionals.relaxedGames},
                           {"lastPass", e.way.professionals.lastPass}};
  j["sides"] = sideRuleName(e.sideRule);
  j["standingsComplete"] = e.standingsComplete;
  Json groups = Json::array();
  for (const pairing::ScoreGroup& g : e.summary.scoreGroups)
    groups.push_back({{"points", points(g.points)}, {"players", g.players}});
  j["summary"] = {{"scoreGroups", std::move(groups)},
                  {"floats", e.summary.floats},
                  {"repeatedMeetings", e.summary.repeatedMeetings},
                  {"professionalBoards", e.summary.professionalBoards},
                  {"byes", rows(e.summary.byes)},
                  {"absent", rows(e.summary.absent)},
                  {"unpaired", rows(e.summary.unpaired)}};
  Json boards = Json::array();
  for (const BoardFacts& b : e.boards) boards.push_back(board(b));
  j["boards"] = std::move(boards);
  // Names are valid UTF-8 after the conversion; a damaged byte would be replaced, never thrown.
  return j.dump(2, ' ', false, Json::error_handler_t::replace);
}

}  // namespace toq::reports
