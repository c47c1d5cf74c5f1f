#pragma once
// The JSON API's requests and answers (rounds and rows counted from 1, as toq-cli counts
// them). Each request type is read by its from_json and each answer written by its to_json,
// beside the type in api.cpp; nlohmann/json does every reading and writing. Answers keep their
// fields in the order given here.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace toq::server::api {

// ---- Requests ----

/// A request's body as the API takes it: valid UTF-8, nested at most a few levels, no field
/// named twice, an object; none with the message (Japanese) in `error` otherwise.
std::optional<nlohmann::json> checkedObject(std::string_view body, std::string& error);

/// POST /api/results and /api/desk/results:
/// {"round":K,"row":R,"result":"win"|"loss"|"draw"|"clear"}, the result of row R's player.
struct ResultRequest {
  int round = -1;   ///< 0-based
  int row = -1;     ///< 0-based
  int result = -1;  ///< the result code from the row's side (data::kWin ... kResultNone)
};
void from_json(const nlohmann::json& j, ResultRequest& request);

/// POST /api/desk/results at the desk that needs slips: the result and the slip's code.
struct DeskResultRequest {
  ResultRequest result;
  std::string code;  ///< as sent; empty when missing, "?" when not a text
};
void from_json(const nlohmann::json& j, DeskResultRequest& request);

/// POST /api/pair: no body, {}, or {"bye":R}: row R sits out the round, set in the same change
/// as the pairing (a round with an odd number of players to pair needs it).
struct PairRequest {
  std::optional<int> bye;  ///< 0-based row
};
void from_json(const nlohmann::json& j, PairRequest& request);

/// POST and DELETE /api/absences: {"row":R,"round":K} (row R sits out round K) or
/// {"row":R,"from":K} (row R withdraws from round K on), with "game":"keep"|"drop" for a
/// game already paired in a round it touches (the question the page asked).
struct AbsenceRequest {
  int row = -1;                  ///< 0-based
  int round = -1;                ///< 0-based
  bool fromOn = false;           ///< "from" given
  std::optional<bool> keepGame;  ///< "game": keep (true) or drop (false); none when not sent
};
void from_json(const nlohmann::json& j, AbsenceRequest& request);
std::optional<AbsenceRequest> parseAbsenceRequest(std::string_view body, std::string& error);

/// The query of GET /api/pairings and /api/standings: nothing, or round=K.
struct RoundQuery {
  std::optional<int> round;  ///< 0-based; none for the default round
};

/// Reads a request body; none with the reason (UTF-8) when it is not valid UTF-8, not JSON,
/// not an object, names a field twice, or has a missing or unknown field or a value of the wrong
/// type or range.
std::optional<ResultRequest> parseResultRequest(std::string_view body, std::string& error);
std::optional<PairRequest> parsePairRequest(std::string_view body, std::string& error);
std::optional<DeskResultRequest> parseDeskResultRequest(std::string_view body, std::string& error);
/// Reads a query; a parameter other than round, a round that is not a whole number from 1, or
/// a repeated parameter gives none with the reason.
std::optional<RoundQuery> parseRoundQuery(std::string_view query, std::string& error);

/// True for well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool validUtf8(std::string_view text);

// ---- Answers ----

/// A player of a board.
struct BoardPlayer {
  int row = 0;  ///< 1-based
  int player = 0;
  std::string name;                   ///< UTF-8
  std::optional<std::string> side;    ///< "先", "後", or none when undecided
  std::optional<std::string> result;  ///< "win", "loss", "draw", or none
};

/// A board of a round: the two players in the round list's order.
struct Board {
  int board = 0;                        ///< 1-based, in the round list's order
  std::optional<std::string> handicap;  ///< "平手"... ; none for a code outside the list
  std::vector<BoardPlayer> players;     ///< two
};

/// A participant who sits the round out, named for the pages.
struct SittingOut {
  int row = 0;       ///< 1-based
  std::string name;  ///< UTF-8
  std::string kind;  ///< "bye" or "absent"
};

/// GET /api/pairings, and the answer of POST /api/pair.
struct Pairings {
  std::optional<int> round;  ///< 1-based; none when no round is paired yet
  std::vector<Board> boards;
  std::vector<int> byes;               ///< 1-based rows
  std::vector<int> absent;             ///< 1-based rows
  std::vector<int> unpaired;           ///< 1-based rows not paired yet in that round
  std::vector<SittingOut> sittingOut;  ///< the byes and the absent, in row order, with names
};

/// The answer of POST /api/results: the game as stored.
struct Game {
  int round = 0;  ///< 1-based
  Board board;
  std::string message;  ///< "確認しました" when a desk report agreed with the stored result
};

/// A board whose players reported different results at the desk, until the organiser enters
/// or confirms its result.
struct DisagreementInfo {
  int round = 0;         ///< 1-based
  int board = 0;         ///< 1-based
  std::string entered;   ///< "松本 修 の勝ち"
  std::string reported;  ///< the other report
};

/// GET /api/event.
struct EventInfo {
  std::string title;
  int games = 0;
  int participants = 0;
  std::optional<int> latestPairedRound;  ///< 1-based
  std::optional<int> lastCompleteRound;  ///< 1-based
  bool locked = false;
  std::uint64_t version = 0;  ///< changes with every change of the event
  bool resultDesk = false;
  std::vector<DisagreementInfo> disagreements;
};

/// A row of GET /api/standings: the columns of `toq-cli standings`.
struct StandingsRow {
  int row = 0;  ///< 1-based
  int player = 0;
  std::string name;
  double score = 0;  ///< points (a win 1, a draw 0.5)
  int wins = 0;
  int losses = 0;
  int draws = 0;
  double solkoff = 0;
  double beaten = 0;
  double trimmed = 0;
  std::optional<std::string> winRate;  ///< "0.75" in win-rate mode, when a game was decided
  std::optional<int> rank;             ///< none when not ranked
};

/// GET /api/standings.
struct Standings {
  std::optional<int> round;  ///< 1-based; none when no round is complete
  bool winRateMode = false;
  std::vector<StandingsRow> rows;  ///< in row order
};

/// A section of the venue: GET /api/sections answers {"sections":[{"n","name","file"}]}.
struct Section {
  int n = 0;         ///< 1-based; its paths begin with /t/n/
  std::string name;  ///< the event's name as its pages show it
  std::string file;  ///< the table file's name
};
struct Sections {
  std::vector<Section> sections;
};

/// The body of every refusal: {"error":"…"}.
struct ErrorAnswer {
  std::string error;
};

/// A participant who may sit out an odd round.
struct ByeOption {
  int row = 0;  ///< 1-based
  std::string name;
  int place = 0;  ///< 1-based place in the standings' order
  int byes = 0;   ///< byes before this round
};

/// The refusal of POST /api/pair without a bye on an odd round: the error names the proposal;
/// the candidates are listed lowest-placed first.
struct ByeRefusal {
  std::string error;
  std::optional<int> proposal;  ///< 1-based row; none when nobody can sit out
  std::vector<ByeOption> candidates;
};

/// The answer of POST and DELETE /api/absences: what changed ({"row":R,"round":K,"rounds":N},
/// N the rounds whose entry changed); the refusal of one that touches a paired game without
/// "game" has "question" (the question to ask) beside its error.
struct AbsenceAnswer {
  int row = 0;     ///< 1-based
  int round = 0;   ///< 1-based
  int rounds = 0;  ///< entries changed
};
struct AbsenceQuestion {
  std::string error;
  bool withdrawal = false;  ///< keep or drop (withdrawal), or only drop (sitting out)
};

void to_json(nlohmann::ordered_json& j, const BoardPlayer& a);
void to_json(nlohmann::ordered_json& j, const Board& a);
void to_json(nlohmann::ordered_json& j, const Pairings& a);
void to_json(nlohmann::ordered_json& j, const Game& a);
void to_json(nlohmann::ordered_json& j, const DisagreementInfo& a);
void to_json(nlohmann::ordered_json& j, const EventInfo& a);
void to_json(nlohmann::ordered_json& j, const StandingsRow& a);
void to_json(nlohmann::ordered_json& j, const Standings& a);
void to_json(nlohmann::ordered_json& j, const ErrorAnswer& a);
void to_json(nlohmann::ordered_json& j, const ByeOption& a);
void to_json(nlohmann::ordered_json& j, const ByeRefusal& a);
void to_json(nlohmann::ordered_json& j, const Section& a);
void to_json(nlohmann::ordered_json& j, const Sections& a);

/// The answer as JSON text (UTF-8; a byte that is not UTF-8 becomes U+FFFD).
std::string text(const Pairings& a);
/// The answer of POST /api/pair: the round's pairings, and the games between players of one
/// affiliation that the option could not avoid as "note" (only when there are some).
std::string text(const Pairings& a, const std::string& sameAffiliation);
std::string text(const Game& a);
std::string text(const EventInfo& a);
std::string text(const Standings& a);
std::string text(const ErrorAnswer& a);
std::string text(const ByeRefusal& a);
std::string text(const AbsenceAnswer& a);
std::string text(const AbsenceQuestion& a);
std::string text(const Sections& a);
/// The body of an event-stream message: {"version":N}.
std::string versionText(std::uint64_t version);

}  // namespace toq::server::api
