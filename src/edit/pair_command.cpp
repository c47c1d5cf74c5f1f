#include "edit/pair_command.h"

#include <chrono>

#include "data/table_file.h"
#include "edit/guards.h"
#include "edit/unsaved.h"
#include "pairing/driver.h"
#include "pairing/same_affiliation.h"
#include "pairing/sides.h"
#include "reports/round_list.h"
#include "text/format.h"

namespace toq::edit {

namespace {

// The checks before the question: the round to pair, or -1 after the message that refused.
int roundToPair(const data::Table& table, services::Services& ui) {
  if (!lockCheck(table, ui)) return -1;
  const int round = table.FirstUnpairedRound();
  if (round < 0) {
    ui.errorBox("エラー：組み合わせる回がありません。");
    return -1;
  }
  if (int complete = table.ResultsCompleteBefore(round); complete != 1) {
    ui.errorBox(text::format("%d回戦に勝敗の未入力があります。", -complete + 1));
    return -1;
  }
  return round;
}

bool confirmRound(services::Services& ui, int round) {
  return ui.askYesNo(text::format("%d回戦の組み合わせをしますか？", round + 1), "確認");
}

// An odd number of rows left to pair (a bye already set, another still needed) is refused.
bool evenCheck(const data::Table& table, services::Services& ui, int round) {
  const int odd = table.UnpairedCount(round);
  if (odd != 0) ui.errorBox(text::format("組み合わせ数が奇数(%d)です。", odd));
  return odd == 0;
}

}  // namespace

std::optional<int> askToPair(const Workspace& ws, services::Services& ui) {
  const int round = roundToPair(ws.table, ui);
  if (round < 0 || !confirmRound(ui, round) || !evenCheck(ws.table, ui, round)) return std::nullopt;
  return round;
}

int pairNextRound(Workspace& ws, services::Services& ui, const std::function<void()>& refresh,
                  PairOutcome* outcome, bool confirm) {
  data::Table& table = ws.table;
  const int round = roundToPair(table, ui);
  if (round < 0) return -1;
  if (confirm && !confirmRound(ui, round)) return -1;
  if (!evenCheck(table, ui, round)) return -1;

  const auto start = std::chrono::steady_clock::now();
  auto ctx = ws.context(ui);
  pairing::PairingWay way;
  if (pairing::runPairing(ctx, round, refresh, &way) != 0) return -2;
  if (ws.deriveHandicaps)
    pairing::assignHandicaps(ctx, round);
  else if (ws.decideSides)
    pairing::assignSides(ctx, round);
  const long long seconds =
      std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start)
          .count();

  const bool saved = writeTable(ws, ui) == 0;
  if (refresh) refresh();
  ui.statusMessage(text::format("組み合わせました。 %lld 秒", seconds));
  std::filesystem::path roundList;
  reports::writeRoundList(table, ws.players, table.LastPairedRound(), ui, &roundList);
  // The option could not keep every affiliation apart: the organiser learns which games.
  std::string note;
  if (way.affiliations == pairing::AffiliationRule::Impossible)
    note = pairing::sameAffiliationNote(table, ws.players, round);
  if (!note.empty()) ui.informationBox(note);
  if (outcome) *outcome = PairOutcome{round, seconds, roundList, note};
  return saved ? 0 : -3;
}

Outcome pairRound(Workspace& ws, services::Services& ui, const std::function<void()>& refresh,
                  PairOutcome* outcome, bool confirm) {
  PairOutcome paired;
  paired.round = ws.table.FirstUnpairedRound();
  const int code = pairNextRound(ws, ui, refresh, &paired, confirm);
  if (outcome) *outcome = paired;
  Outcome o;
  o.round = paired.round;
  switch (code) {
    case 0:
      o.code = 0;
      o.changed = o.saved = true;
      break;
    case -3:  // the round stands in memory; its file could not be written
      o.code = -2;
      o.changed = true;
      break;
    case -2:  // the driver failed and kept nothing
      o.stop = Stop::Refused;
      break;
    default:  // a check refused, or the question was answered No
      o.stop = Stop::Declined;
      break;
  }
  return o;
}

Outcome pairAskedRound(Workspace& ws, services::Services& ui, const std::function<void()>& refresh,
                       int round) {
  if (ws.table.FirstUnpairedRound() != round) {
    ui.statusMessage(text::format("%d回戦はすでに組み合わせられています。", round + 1));
    Outcome o = stopped(Stop::Declined);
    o.round = round;
    return o;
  }
  return pairRound(ws, ui, refresh, nullptr, false);
}

}  // namespace toq::edit
