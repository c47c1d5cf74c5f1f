#include "server/api.h"

#include <algorithm>
#include <array>
#include <charconv>

#include <nlohmann/json.hpp>

#include "data/table.h"
#include "server/request_body.h"
#include "server/texts.h"
#include "text/format.h"

namespace toq::server::api {

using nlohmann::json;
using nlohmann::ordered_json;

namespace {

// The result words of the API and the result code each stands for.
constexpr std::array<std::pair<std::string_view, int>, 4> kResultWords = {
    {{"win", data::kWin},
     {"loss", data::kLoss},
     {"draw", data::kDraw},
     {"clear", data::kResultNone}}};

// Request bodies are flat objects; anything nested deeper is refused before it is built.
constexpr int kMaxDepth = 4;

void onlyFields(const json& j, std::initializer_list<std::string_view> names) {
  for (const auto& item : j.items()) {
    bool known = false;
    for (std::string_view n : names) known = known || item.key() == n;
    if (!known) throw BadField(text::format(texts::kUnknownField, item.key().c_str()));
  }
}

}  // namespace

int integerField(const json& j, const char* name, int low, int high) {
  const auto it = j.find(name);
  if (it == j.end()) throw BadField(text::format(texts::kMissingField, name));
  return integerValue(*it, name, low, high);
}

int integerValue(const json& value, const char* name, int low, int high) {
  if (!value.is_number_integer()) throw BadField(text::format(texts::kNotInteger, name));
  // Signed and unsigned values are compared as 64-bit numbers before they narrow: a number
  // too large for them is refused, never wrapped.
  const bool tooLarge = value.is_number_unsigned() &&
                        value.get<unsigned long long>() > static_cast<unsigned long long>(high);
  const long long number = tooLarge ? 0 : value.get<long long>();
  if (tooLarge || number < low || number > high)
    throw BadField(text::format(texts::kOutOfRange, name));
  return static_cast<int>(number);
}

std::optional<json> checkedObject(std::string_view body, std::string& error) {
  if (!validUtf8(body)) {
    error = texts::kBadUtf8;
    return std::nullopt;
  }
  bool tooDeep = false;
  // The names of each open object: a field named twice is refused, not "the last one wins".
  std::vector<std::vector<std::string>> names;
  std::string twice;
  const json::parser_callback_t guard = [&](int depth, json::parse_event_t event, json& parsed) {
    using E = json::parse_event_t;
    if ((event == E::object_start || event == E::array_start) && depth >= kMaxDepth) {
      tooDeep = true;
      return false;
    }
    if (event == E::object_start) names.emplace_back();
    if (event == E::object_end && !names.empty()) names.pop_back();
    if (event == E::key && !names.empty() && parsed.is_string()) {
      const std::string& name = parsed.get_ref<const std::string&>();
      std::vector<std::string>& seen = names.back();
      if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
        if (twice.empty()) twice = name;
      } else {
        seen.push_back(name);
      }
    }
    return true;
  };
  const json j = json::parse(body, guard, false);
  if (j.is_discarded() || tooDeep) {
    error = texts::kBadJson;
    return std::nullopt;
  }
  if (!twice.empty()) {
    std::string shown;
    for (char c : std::string_view(twice).substr(0, 40)) shown += (c > 0x20 && c < 0x7F) ? c : '?';
    error = text::format(texts::kFieldTwice, shown.c_str());
    return std::nullopt;
  }
  if (!j.is_object()) {
    error = texts::kNotObject;
    return std::nullopt;
  }
  return j;
}

namespace {

ordered_json optional(const std::optional<std::string>& v) {
  return v ? ordered_json(*v) : ordered_json(nullptr);
}

ordered_json optional(const std::optional<int>& v) {
  return v ? ordered_json(*v) : ordered_json(nullptr);
}

std::string dump(const ordered_json& j) {
  return j.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

}  // namespace

void from_json(const json& j, ResultRequest& request) {
  onlyFields(j, {"round", "row", "result"});
  request.round = integerField(j, "round", 1, data::kMaxRounds) - 1;
  request.row = integerField(j, "row", 1, data::kMaxParticipants) - 1;
  const auto it = j.find("result");
  if (it == j.end()) throw BadField(text::format(texts::kMissingField, "result"));
  if (!it->is_string()) throw BadField(std::string(texts::kBadResultWord));
  const std::string& word = it->get_ref<const std::string&>();
  request.result = -1;
  for (const auto& [name, code] : kResultWords)
    if (word == name) request.result = code;
  if (request.result < 0) throw BadField(std::string(texts::kBadResultWord));
}

void from_json(const json& j, DeskResultRequest& request) {
  json result = j;
  const auto it = j.find("code");
  if (it != j.end()) request.code = it->is_string() ? it->get<std::string>() : std::string("?");
  result.erase("code");
  from_json(result, request.result);
}

void from_json(const json& j, PairRequest& request) {
  onlyFields(j, {"bye"});
  if (j.contains("bye")) request.bye = integerField(j, "bye", 1, data::kMaxParticipants) - 1;
}

void from_json(const json& j, AbsenceRequest& request) {
  onlyFields(j, {"row", "round", "from", "game"});
  request.row = integerField(j, "row", 1, data::kMaxParticipants) - 1;
  request.fromOn = j.contains("from");
  if (request.fromOn == j.contains("round"))
    throw BadField(text::format(texts::kMissingField, "round|from"));
  request.round = integerField(j, request.fromOn ? "from" : "round", 1, data::kMaxRounds) - 1;
  const auto game = j.find("game");
  if (game == j.end()) return;
  if (game->is_string() && *game == "keep")
    request.keepGame = true;
  else if (game->is_string() && *game == "drop")
    request.keepGame = false;
  else
    throw BadField(text::format(texts::kOutOfRange, "game"));
}

std::optional<AbsenceRequest> parseAbsenceRequest(std::string_view body, std::string& error) {
  return parseBody<AbsenceRequest>(body, error);
}

std::optional<ResultRequest> parseResultRequest(std::string_view body, std::string& error) {
  return parseBody<ResultRequest>(body, error);
}

std::optional<DeskResultRequest> parseDeskResultRequest(std::string_view body, std::string& error) {
  return parseBody<DeskResultRequest>(body, error);
}

std::optional<PairRequest> parsePairRequest(std::string_view body, std::string& error) {
  return parseBody<PairRequest>(body, error, true);
}

std::optional<RoundQuery> parseRoundQuery(std::string_view query, std::string& error) {
  RoundQuery q;
  while (!query.empty()) {
    const std::size_t amp = query.find('&');
    const std::string_view part = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (part.empty()) continue;
    const std::size_t eq = part.find('=');
    const std::string_view name = part.substr(0, eq);
    const std::string_view value =
        eq == std::string_view::npos ? std::string_view() : part.substr(eq + 1);
    if (name != "round") {
      // The name goes into the message only as far as it is plain ASCII.
      std::string shown;
      for (char c : name.substr(0, 40)) shown += (c > 0x20 && c < 0x7F) ? c : '?';
      error = text::format(texts::kUnknownParameter, shown.c_str());
      return std::nullopt;
    }
    int round = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), round);
    if (q.round || value.empty() || value[0] == '-' || ec != std::errc() ||
        end != value.data() + value.size() || round < 1 || round > data::kMaxRounds) {
      error = texts::kBadRoundParameter;
      return std::nullopt;
    }
    q.round = round - 1;
  }
  return q;
}

bool validUtf8(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    int extra = 0;
    unsigned min = 0;
    unsigned cp = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      cp = c & 0x1Fu;
      min = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      cp = c & 0x0Fu;
      min = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      cp = c & 0x07u;
      min = 0x10000;
    } else {
      return false;
    }
    if (n - i <= static_cast<std::size_t>(extra)) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto cc = static_cast<unsigned char>(text[i + k]);
      if ((cc & 0xC0u) != 0x80u) return false;
      cp = (cp << 6) | (cc & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

void to_json(ordered_json& j, const BoardPlayer& a) {
  j = ordered_json{{"row", a.row},
                   {"player", a.player},
                   {"name", a.name},
                   {"side", optional(a.side)},
                   {"result", optional(a.result)}};
}

void to_json(ordered_json& j, const Board& a) {
  j = ordered_json{{"board", a.board}, {"handicap", optional(a.handicap)}, {"players", a.players}};
}

void to_json(ordered_json& j, const SittingOut& a) {
  j = ordered_json{{"row", a.row}, {"name", a.name}, {"kind", a.kind}};
}

void to_json(ordered_json& j, const Pairings& a) {
  j = ordered_json{
      {"round", optional(a.round)}, {"boards", a.boards},     {"byes", a.byes},
      {"absent", a.absent},         {"unpaired", a.unpaired}, {"sittingOut", a.sittingOut}};
}

void to_json(ordered_json& j, const Game& a) {
  j = ordered_json{{"round", a.round},
                   {"board", a.board.board},
                   {"handicap", optional(a.board.handicap)},
                   {"players", a.board.players}};
  if (!a.message.empty()) j["message"] = a.message;
}

void to_json(ordered_json& j, const DisagreementInfo& a) {
  j = ordered_json{
      {"round", a.round}, {"board", a.board}, {"entered", a.entered}, {"reported", a.reported}};
}

void to_json(ordered_json& j, const EventInfo& a) {
  j = ordered_json{{"title", a.title},
                   {"games", a.games},
                   {"participants", a.participants},
                   {"latestPairedRound", optional(a.latestPairedRound)},
                   {"lastCompleteRound", optional(a.lastCompleteRound)},
                   {"locked", a.locked},
                   {"version", a.version},
                   {"resultDesk", a.resultDesk},
                   {"disagreements", a.disagreements}};
}

void to_json(ordered_json& j, const StandingsRow& a) {
  j = ordered_json{{"row", a.row},
                   {"player", a.player},
                   {"name", a.name},
                   {"score", a.score},
                   {"wins", a.wins},
                   {"losses", a.losses},
                   {"draws", a.draws},
                   {"solkoff", a.solkoff},
                   {"beaten", a.beaten},
                   {"trimmed", a.trimmed},
                   {"winRate", optional(a.winRate)},
                   {"rank", optional(a.rank)}};
}

void to_json(ordered_json& j, const Standings& a) {
  j = ordered_json{{"round", optional(a.round)}, {"winRateMode", a.winRateMode}, {"rows", a.rows}};
}

void to_json(ordered_json& j, const ErrorAnswer& a) {
  j = ordered_json{{"error", a.error}};
}

std::string text(const Pairings& a) {
  return dump(ordered_json(a));
}

std::string text(const Pairings& a, const std::string& sameAffiliation) {
  ordered_json j(a);
  if (!sameAffiliation.empty()) j["note"] = sameAffiliation;
  return dump(j);
}

std::string text(const Game& a) {
  return dump(ordered_json(a));
}

std::string text(const EventInfo& a) {
  return dump(ordered_json(a));
}

std::string text(const Standings& a) {
  return dump(ordered_json(a));
}

std::string text(const ErrorAnswer& a) {
  return dump(ordered_json(a));
}

void to_json(ordered_json& j, const ByeOption& a) {
  j = ordered_json{{"row", a.row}, {"name", a.name}, {"place", a.place}, {"byes", a.byes}};
}

void to_json(ordered_json& j, const ByeRefusal& a) {
  j = ordered_json{
      {"error", a.error}, {"proposal", optional(a.proposal)}, {"candidates", a.candidates}};
}

std::string text(const ByeRefusal& a) {
  return dump(ordered_json(a));
}

std::string text(const AbsenceAnswer& a) {
  return dump(ordered_json{{"row", a.row}, {"round", a.round}, {"rounds", a.rounds}});
}

std::string text(const AbsenceQuestion& a) {
  return dump(
      ordered_json{{"error", a.error}, {"question", a.withdrawal ? "keep-or-drop" : "drop"}});
}

void to_json(ordered_json& j, const Section& a) {
  j = ordered_json{{"n", a.n}, {"name", a.name}, {"file", a.file}};
}

void to_json(ordered_json& j, const Sections& a) {
  j = ordered_json{{"sections", a.sections}};
}

std::string text(const Sections& a) {
  return dump(ordered_json(a));
}

std::string versionText(std::uint64_t version) {
  return dump(ordered_json{{"version", version}});
}

}  // namespace toq::server::api
