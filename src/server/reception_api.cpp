#include "server/reception_api.h"

#include <nlohmann/json.hpp>

#include "data/grades.h"
#include "data/player.h"
#include "data/stored_text.h"
#include "data/width_fold.h"
#include "server/api.h"
#include "server/request_body.h"
#include "server/texts.h"
#include "text/format.h"

namespace toq::server::reception {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

constexpr const char* kBadPlayer = "player には対局者の番号を指定してください。";
constexpr const char* kBadName = "name には氏名を指定してください。";
constexpr const char* kBadRating = "rating には整数を指定してください。";
constexpr const char* kRatingNotNumber =
    "レーティング「%s」が数ではありません。数字だけで入力してください。";
constexpr const char* kBadGrade = "grade には段級（初段・5級など）を指定してください。";
constexpr std::size_t kLongestQuery = 256;

using api::BadField;

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A rating as a number, or as the text the page's field holds: digits (full-width ones too)
// with an optional minus sign, and nothing else ("２級" and "1500点" are refused, not read as 2
// and 1500).
int ratingValue(const json& value) {
  if (value.is_number_integer())
    return api::integerValue(value, "rating", data::kMinRating, data::kMaxRating);
  if (!value.is_string()) throw BadField(kBadRating);
  const std::string typed = value.get<std::string>();
  const std::optional<int> n = data::cellNumber(typed);
  if (!n) throw BadField(text::format(kRatingNotNumber, typed.c_str()));
  if (std::string range = data::ratingRangeMessage(*n); !range.empty()) throw BadField(range);
  return *n;
}

}  // namespace

void from_json(const json& j, ArrivalRequest& r) {
  const auto it = j.find("player");
  if (it == j.end() || !it->is_number_integer()) throw BadField(kBadPlayer);
  r.player = api::integerValue(*it, "player", 1, 99999);
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
  r.form.rating = ratingValue(*rating);
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
