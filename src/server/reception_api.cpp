#include "server/reception_api.h"

#include <nlohmann/json.hpp>

#include "data/grades.h"
#include "data/player.h"
#include "server/api.h"
#include "server/request_body.h"
#include "server/texts.h"

namespace toq::server::reception {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

constexpr const char* kBadPlayer = "player には対局者の番号を指定してください。";
constexpr const char* kBadName = "name には氏名を指定してください。";
constexpr const char* kBadRating = "rating には整数を指定してください。";
constexpr const char* kBadGrade = "grade には段級（初段・5級など）を指定してください。";
constexpr std::size_t kLongestQuery = 256;

using api::BadField;

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

void from_json(const json& j, ArrivalRequest& r) {
  const auto it = j.find("player");
  if (it == j.end() || !it->is_number_integer() || *it < 1 || *it > 99999)
    throw BadField(kBadPlayer);
  r.player = it->get<int>();
}

void from_json(const json& j, WalkInRequest& r) {
  const auto name = j.find("name");
  if (name == j.end() || !name->is_string()) throw BadField(kBadName);
  r.form = edit::newPlayerForm();
  r.form.name = name->get<std::string>();
  // A grade stands for its rating (the grade table's defaults); a rating given as well wins.
  if (const auto grade = j.find("grade"); grade != j.end() && !grade->is_null()) {
    const std::optional<int> rating =
        grade->is_string() ? data::GradeTable().ratingOf(grade->get<std::string>()) : std::nullopt;
    if (!rating) throw BadField(kBadGrade);
    r.form.rating = *rating;
  }
  const auto rating = j.find("rating");
  if (rating == j.end() || rating->is_null()) return;
  if (!rating->is_number_integer() || *rating < -99999 || *rating > 99999)
    throw BadField(kBadRating);
  r.form.rating = rating->get<int>();
}

void to_json(ordered_json& j, const ListedPlayer& a) {
  j = ordered_json{{"player", a.player},
                   {"name", a.name},
                   {"shortName", a.shortName},
                   {"rating", a.rating},
                   {"participant", a.participant}};
}

void to_json(ordered_json& j, const PlayerList& a) {
  j = ordered_json{{"players", a.players}, {"count", a.count}};
}

void to_json(ordered_json& j, const Arrival& a) {
  j = ordered_json{{"player", a.player}, {"name", a.name},           {"rating", a.rating},
                   {"rows", a.rows},     {"fromRound", a.fromRound}, {"note", a.note}};
}

std::optional<ArrivalRequest> parseArrival(std::string_view body, std::string& error) {
  return api::parseBody<ArrivalRequest>(body, error);
}

std::optional<WalkInRequest> parseWalkIn(std::string_view body, std::string& error) {
  return api::parseBody<WalkInRequest>(body, error);
}

std::optional<std::string> searchText(std::string_view query) {
  if (query.empty()) return std::string();
  if (!query.starts_with("q=") || query.size() > kLongestQuery * 3) return std::nullopt;
  std::string out;
  for (std::size_t i = 2; i < query.size(); ++i) {
    const char c = query[i];
    if (c == '&') return std::nullopt;
    if (c == '+') {
      out += ' ';
    } else if (c == '%' && i + 2 < query.size() && hexValue(query[i + 1]) >= 0 &&
               hexValue(query[i + 2]) >= 0) {
      out += static_cast<char>(hexValue(query[i + 1]) * 16 + hexValue(query[i + 2]));
      i += 2;
    } else {
      out += c;
    }
  }
  if (!api::validUtf8(out)) return std::nullopt;
  return out;
}

std::string text(const PlayerList& a) {
  return ordered_json(a).dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

std::string text(const Arrival& a) {
  return ordered_json(a).dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

}  // namespace toq::server::reception
