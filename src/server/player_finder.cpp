#include "server/player_finder.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <vector>

#include "data/search_key.h"
#include "reports/html_text.h"
#include "server/answers.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::server {

namespace {

using nlohmann::ordered_json;

constexpr std::size_t kMostFound = 20;
constexpr const char* kBoard = "%d番盤";
constexpr const char* kByeNote = "抜け番";
constexpr const char* kAbsentNote = "休場";
constexpr const char* kReadingTitle = "名前から盤を探す（%d回戦）";
constexpr const char* kBoxLabel = "名前・ふりがなで自分の対局を探す";

// Where a row plays in the latest paired round.
struct Seat {
  int board = 0;  ///< 0: no game
  std::optional<std::string> side, handicap;
  std::string opponent;  ///< UTF-8
  std::string note;      ///< 抜け番, 休場, or empty
};

Seat seatOf(const api::Pairings& p, int row) {
  Seat seat;
  for (const api::Board& b : p.boards)
    for (std::size_t i = 0; i < b.players.size(); ++i)
      if (b.players[i].row == row + 1) {
        seat.board = b.board;
        seat.side = b.players[i].side;
        if (b.handicap && *b.handicap != data::kHandicapNames[0]) seat.handicap = b.handicap;
        seat.opponent = b.players[1 - i].name;
        return seat;
      }
  const auto has = [row](const std::vector<int>& rows) {
    return std::find(rows.begin(), rows.end(), row + 1) != rows.end();
  };
  seat.note = has(p.byes) ? kByeNote : has(p.absent) ? kAbsentNote : "";
  return seat;
}

std::string keyOf(const std::string& cp932) {
  return data::searchKey(text::toUtf8(cp932));
}

}  // namespace

std::string findAnswer(const edit::Workspace& ws, std::string_view query) {
  const data::Table& t = ws.table;
  const api::Pairings p = pairingsOf(ws, std::nullopt);
  const std::string key = data::searchKey(query);
  ordered_json players = ordered_json::array();
  std::vector<std::pair<int, int>> found;  // (exact first, row)
  for (int row = 0; row < t.rows() && !key.empty(); ++row) {
    const data::Player* pl = ws.players.FindPlayer(t.participants[row]);
    if (!pl) continue;
    int match = 0;
    for (const std::string* f : {&pl->name, &pl->shortName, &pl->reading}) {
      const std::string own = f->empty() ? std::string() : keyOf(*f);
      if (!own.empty() && own == key) match = 2;
      if (!own.empty() && match == 0 && own.find(key) != std::string::npos) match = 1;
    }
    if (match > 0) found.emplace_back(-match, row);
  }
  std::stable_sort(found.begin(), found.end());
  for (std::size_t i = 0; i < found.size() && i < kMostFound; ++i) {
    const int row = found[i].second;
    const Seat s = seatOf(p, row);
    ordered_json j{{"name", text::toUtf8(ws.players.FindPlayer(t.participants[row])->name)}};
    j["board"] = s.board > 0 ? ordered_json(s.board) : ordered_json(nullptr);
    j["side"] = s.side ? ordered_json(*s.side) : ordered_json(nullptr);
    j["handicap"] = s.handicap ? ordered_json(*s.handicap) : ordered_json(nullptr);
    j["opponent"] = s.board > 0 ? ordered_json(s.opponent) : ordered_json(nullptr);
    j["note"] = s.note.empty() ? ordered_json(nullptr) : ordered_json(s.note);
    players.push_back(std::move(j));
  }
  ordered_json answer{{"round", p.round ? ordered_json(*p.round) : ordered_json(nullptr)},
                      {"players", std::move(players)}};
  return answer.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

std::string finderBox() {
  const std::string label = reports::escapeHtml(kBoxLabel);
  return "<div id=\"finder\" class=\"finder\"><input id=\"find\" type=\"search\" "
         "autocomplete=\"off\" placeholder=\"" +
         label + "\" aria-label=\"" + label +
         "\"><ul id=\"found\" class=\"found\" role=\"status\"></ul></div>\n";
}

std::string_view finderScript() {
  return R"js(
(function () {
var box = document.getElementById('find'), list = document.getElementById('found');
if (!box) return;
var base = document.body.getAttribute('data-base') || '', timer = 0, asked = 0;
function line(p) {
  if (!p.board) return p.name + '：' + (p.note || 'この回の対局はまだありません');
  var how = p.handicap ? p.handicap : (p.side ? p.side + '手' : '');
  return p.name + '：' + p.board + '番盤 ' + how + '　相手 ' + p.opponent;
}
function item(text) { var li = document.createElement('li'); li.textContent = text; list.appendChild(li); }
function ask() {
  var q = box.value.trim(), n = ++asked;
  if (!q) { list.textContent = ''; return; }
  fetch(base + '/api/find?q=' + encodeURIComponent(q), {cache: 'no-store'}).then(function (r) {
    return r.json();
  }).then(function (j) {
    if (n !== asked) return;
    list.textContent = '';
    if (!j.players || !j.players.length) { item('見つかりません'); return; }
    j.players.forEach(function (p) { item(line(p)); });
  }).catch(function () { if (n === asked) list.textContent = '通信できませんでした'; });
}
box.addEventListener('input', function () { clearTimeout(timer); timer = setTimeout(ask, 150); });
setInterval(function () { if (box.value.trim()) ask(); }, 15000);
// "#find=TEXT" in the address opens the page with that search made.
if (location.hash.indexOf('#find=') === 0) {
  box.value = decodeURIComponent(location.hash.slice(6));
  ask();
}
})();
)js";
}

std::string readingOrderSection(const edit::Workspace& ws) {
  const data::Table& t = ws.table;
  if (t.rows() < kReadingListFrom) return {};
  const api::Pairings p = pairingsOf(ws, std::nullopt);
  struct Line {
    std::string key;  ///< the reading's search key; empty sorts after
    int position;     ///< register order
    int row;
  };
  std::vector<Line> lines;
  for (int row = 0; row < t.rows(); ++row) {
    const data::Player* pl = ws.players.FindPlayer(t.participants[row]);
    if (!pl) continue;
    lines.push_back({pl->reading.empty() ? std::string() : keyOf(pl->reading), pl->number, row});
  }
  std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) {
    if (a.key.empty() != b.key.empty()) return b.key.empty();
    return a.key.empty() ? a.position < b.position : a.key < b.key;
  });
  std::string out = "<section id=\"readings\">\n<h2>" +
                    reports::escapeHtml(text::format(kReadingTitle, p.round.value_or(0))) +
                    "</h2>\n<table class=\"list\"><tbody>\n";
  for (const Line& l : lines) {
    const data::Player* pl = ws.players.FindPlayer(t.participants[l.row]);
    const Seat s = seatOf(p, l.row);
    out += "<tr><td>" + reports::escapeHtml(text::toUtf8(pl->name)) + "</td><td>" +
           reports::escapeHtml(text::toUtf8(pl->reading)) + "</td><td class=\"n\">" +
           reports::escapeHtml(s.board > 0 ? text::format(kBoard, s.board) : s.note) +
           "</td></tr>\n";
  }
  return out + "</tbody></table>\n</section>\n";
}

}  // namespace toq::server
