#include "edit/rating_order.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "edit/guards.h"

namespace toq::edit {

namespace {

constexpr const char* kPairedAlready = "組み合わせがあるため、並べ替えられません。";
constexpr const char* kInOrderAlready = "すでにレーティング順です。";
constexpr const char* kSortQuestion =
    "参加者がレーティング順に並んでいません（受付順です）。\n"
    "レーティング順に並べ替えてから1回戦を組み合わせますか？\n"
    "はい: 並べ替えて組み合わせます。いいえ: 今の順のまま組み合わせます。";
constexpr const char* kSorted = "参加者をレーティング順に並べ替えました。";

int ratingOf(const Workspace& ws, int row) {
  const data::Player* p = ws.players.FindPlayer(ws.table.participants[row]);
  return p ? p->rating : 0;
}

// Moves each plane's row to its new place: `order[i]` is the row that becomes row i.
void permute(data::Plane& plane, const std::vector<int>& order) {
  const data::Plane before = plane;
  for (std::size_t i = 0; i < order.size(); ++i)
    plane[i] = before[static_cast<std::size_t>(order[i])];
}

}  // namespace

int rowOfPlayer(const Workspace& ws, int number) {
  for (int row = 0; row < usedRows(ws.table); ++row)
    if (ws.table.participants[row] == number) return row;
  return -1;
}

bool inRatingOrder(const Workspace& ws) {
  for (int row = 1; row < usedRows(ws.table); ++row)
    if (ratingOf(ws, row) > ratingOf(ws, row - 1)) return false;
  return true;
}

std::optional<std::string> sortBeforePairingQuestion(const Workspace& ws) {
  const data::Table& t = ws.table;
  if (t.lockFlag != 0 || t.FirstUnpairedRound() != 0 || t.AnyEntryState(1) != 0)
    return std::nullopt;
  if (inRatingOrder(ws)) return std::nullopt;
  return std::string(kSortQuestion);
}

Outcome sortByRating(Workspace& ws, services::Services& ui) {
  data::Table& t = ws.table;
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  if (t.AnyEntryState(1) != 0) {
    ui.errorBox(kPairedAlready);
    return stopped(Stop::Refused);
  }
  if (inRatingOrder(ws)) {
    ui.statusMessage(kInOrderAlready);
    return stopped(Stop::NothingToDo);
  }
  std::vector<int> order(static_cast<std::size_t>(usedRows(t)));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return ratingOf(ws, a) > ratingOf(ws, b); });
  const auto numbers = t.participants;
  for (std::size_t i = 0; i < order.size(); ++i)
    t.participants[i] = numbers[static_cast<std::size_t>(order[i])];
  // No row holds a game, so no opponent code names a row: the entries move as they are
  // (an absence set ahead, a bye).
  for (data::Plane* plane : {&t.opponent, &t.side, &t.handicap, &t.result}) permute(*plane, order);
  ui.statusMessage(kSorted);
  Outcome done;
  done.count = static_cast<int>(order.size());
  return saveTable(ws, ui, done);
}

}  // namespace toq::edit
