#include "edit/bye_proposal.h"

#include <algorithm>
#include <memory>

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "pairing/standings.h"

namespace toq::edit {

namespace {

constexpr const char* kOddQuestion = "参加者が奇数です。抜け番を決めてから組み合わせますか？";
constexpr const char* kProposalLine = "抜け番の候補: %s（%d位%s）";
constexpr const char* kNoEarlierBye = "、抜け番なし";
constexpr const char* kEarlierByes = "、抜け番%d回";
constexpr const char* kNoProposal = "抜け番にできる参加者がいません（全員がプロです）。";
constexpr const char* kSecondByeQuestion =
    "%sさんは既に%d回戦で抜け番でした。もう一度抜け番にしますか？";
constexpr const char* kNotUnpaired = "%sさんはこの回の対戦相手が決まっています。";

// Each row's place in the standings' order: by the shown standings' rank, then table order.
std::vector<int> placesOf(const Workspace& ws) {
  // The standings are computed into a copy: the question must not change the table.
  auto copy = std::make_unique<data::Table>(ws.table);
  const pairing::ShownStandings shown = pairing::computeShownStandings(*copy, ws.players);
  const int rows = usedRows(ws.table);
  std::vector<int> order(static_cast<std::size_t>(rows));
  for (int k = 0; k < rows; ++k) order[static_cast<std::size_t>(k)] = k;
  auto rankOf = [&](int k) {
    if (shown.round < 0 || !shown.known) return 0;
    const int rank = copy->standings[k][shown.round].rank;
    return rank > 0 ? rank : 0;
  };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const int ra = rankOf(a) > 0 ? rankOf(a) : rows + 1;
    const int rb = rankOf(b) > 0 ? rankOf(b) : rows + 1;
    return ra < rb;
  });
  std::vector<int> places(static_cast<std::size_t>(rows));
  for (int i = 0; i < rows; ++i)
    places[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])] = i + 1;
  return places;
}

bool professional(const Workspace& ws, int row) {
  const data::Player* p = ws.players.FindPlayer(ws.table.participants[row]);
  return p && p->professional != 0;
}

}  // namespace

int byesBefore(const data::Table& table, int row, int round) {
  int byes = 0;
  for (int r = 0; r < std::min(round, usedRounds(table)); ++r)
    if (table.opponent[row][r] == data::kBye) ++byes;
  return byes;
}

std::optional<ByeNeed> byeNeeded(const Workspace& ws, services::Services& ui) {
  const data::Table& t = ws.table;
  if (t.lockFlag != 0 || usedRows(t) == 0) return std::nullopt;
  const int round = t.FirstUnpairedRound();
  if (round < 0 || t.ResultsCompleteBefore(round) != 1) return std::nullopt;
  // A bye or an absence already set does not settle it: whoever is left must be even.
  if (t.unpairedRows(round) % 2 == 0) return std::nullopt;

  ByeNeed need;
  need.round = round;
  const std::vector<int> places = placesOf(ws);
  for (int k = 0; k < usedRows(t); ++k) {
    if (t.opponent[k][round] != data::kUnpaired || professional(ws, k)) continue;
    need.candidates.push_back(
        {k, rowName(ws, k, ui), byesBefore(t, k, round), places[static_cast<std::size_t>(k)]});
  }
  // Lowest-placed first; the proposal is the first with the fewest byes so far.
  std::stable_sort(need.candidates.begin(), need.candidates.end(),
                   [](const ByeCandidate& a, const ByeCandidate& b) { return a.place > b.place; });
  const auto fewest = std::min_element(
      need.candidates.begin(), need.candidates.end(),
      [](const ByeCandidate& a, const ByeCandidate& b) { return a.earlierByes < b.earlierByes; });
  if (fewest != need.candidates.end()) need.proposal = fewest->row;
  return need;
}

std::string byeProposalLine(const Workspace& ws, const ByeNeed& need, services::Services& ui) {
  const auto it = std::find_if(need.candidates.begin(), need.candidates.end(),
                               [&](const ByeCandidate& c) { return need.proposal == c.row; });
  if (it == need.candidates.end()) return kNoProposal;
  const std::string byes = it->earlierByes == 0 ? std::string(kNoEarlierBye)
                                                : text::format(kEarlierByes, it->earlierByes);
  return text::format(kProposalLine, rowNameUtf8(ws, it->row, ui).c_str(), it->place, byes.c_str());
}

std::string byeQuestion(const Workspace& ws, const ByeNeed& need, services::Services& ui) {
  return std::string(kOddQuestion) + "\n" + byeProposalLine(ws, need, ui);
}

bool confirmSecondBye(const Workspace& ws, services::Services& ui, int row) {
  const data::Table& t = ws.table;
  if (!t.validRow(row)) return true;
  const int round = firstFreeRound(t, row);
  for (int r = 0; r < (round < 0 ? usedRounds(t) : round); ++r)
    if (t.opponent[row][r] == data::kBye)
      return ui.askYesNo(text::format(kSecondByeQuestion, rowNameUtf8(ws, row, ui).c_str(), r + 1),
                         services::kQuestionCaption);
  return true;
}

Outcome setRoundBye(Workspace& ws, services::Services& ui, const ByeNeed& need, int row) {
  data::Table& t = ws.table;
  if (!checkRow(t, row, ui) || !checkRound(t, need.round, ui)) return stopped(Stop::BadIndex);
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  if (t.opponent[row][need.round] != data::kUnpaired) {
    ui.errorBox(text::format(kNotUnpaired, rowNameUtf8(ws, row, ui).c_str()));
    return stopped(Stop::Refused);
  }
  t.opponent[row][need.round] = data::kBye;
  t.result[row][need.round] = data::kResultNone;
  Outcome done;
  done.round = need.round;
  done.row = row;
  return saveTable(ws, ui, done);
}

}  // namespace toq::edit
