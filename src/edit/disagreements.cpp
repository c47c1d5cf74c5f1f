#include "edit/disagreements.h"

#include <algorithm>

#include "data/table.h"
#include "edit/result_sheet.h"
#include "edit/workspace.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

constexpr char kWinOf[] = "%s の勝ち";
constexpr char kDraw[] = "引き分け";
constexpr char kNone[] = "未入力";
constexpr char kText[] = "%d回戦 第%d局: 入力 %s、報告 %s";

std::string nameOf(const Workspace& ws, int row) {
  const data::Player* p = ws.players.FindPlayer(ws.table.participants[row]);
  return p ? text::toUtf8(p->name) : std::to_string(row + 1);
}

// A result code from the side of `row`, said as whose result it is.
std::string whose(const Workspace& ws, int row, int other, int code) {
  if (code == data::kWin) return text::format(kWinOf, nameOf(ws, row).c_str());
  if (code == data::kLoss) return text::format(kWinOf, nameOf(ws, other).c_str());
  if (code == data::kDraw) return kDraw;
  return kNone;
}

}  // namespace

void noteDisagreement(Workspace& ws, int row, int round, int reported) {
  const std::optional<SheetBoard> b = boardOfGame(ws.table, round, row);
  if (!b) return;
  const int other = b->first == row ? b->second : b->first;
  Disagreement d;
  d.round = round;
  d.board = b->board;
  d.first = b->first;
  d.second = b->second;
  d.entered = whose(ws, row, other, ws.table.result[row][round]);
  d.reported = whose(ws, row, other, reported);
  std::erase_if(ws.disagreements,
                [&](const Disagreement& e) { return e.round == round && e.board == d.board; });
  ws.disagreements.push_back(std::move(d));
}

bool settleDisagreements(Workspace& ws, const Outcome& done) {
  if (done.round < 0 || done.row < 0) return false;
  return std::erase_if(ws.disagreements, [&](const Disagreement& d) {
           return d.round == done.round && (d.first == done.row || d.second == done.row);
         }) > 0;
}

std::string disagreementText(const Disagreement& d) {
  return text::format(kText, d.round + 1, d.board, d.entered.c_str(), d.reported.c_str());
}

void rebuildDisagreements(Workspace& ws, const std::vector<journal::StepInfo>& steps) {
  static const std::string kReported = "、報告 ";
  ws.disagreements.clear();
  for (const journal::StepInfo& s : steps) {
    if (s.op != journal::Op::Disagreement && s.op != journal::Op::Settled) continue;
    if (s.rounds.size() != 1 || s.rows.size() != 2) continue;
    const int round = s.rounds[0];
    std::erase_if(ws.disagreements, [&](const Disagreement& d) {
      return d.round == round && d.first == s.rows[0] && d.second == s.rows[1];
    });
    const std::size_t at = s.label.rfind(kReported);
    if (s.op == journal::Op::Settled || at == std::string::npos) continue;
    const std::optional<SheetBoard> b = boardOfGame(ws.table, round, s.rows[0]);
    if (!b || b->second != s.rows[1]) continue;
    Disagreement d{round, b->board, b->first, b->second, {}, s.label.substr(at + kReported.size())};
    d.entered = whose(ws, d.first, d.second, ws.table.result[d.first][round]);
    ws.disagreements.push_back(std::move(d));
  }
}

}  // namespace toq::edit
