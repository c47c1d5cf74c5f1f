#pragma once
// The pairing command: pairs the next round of the table after its checks and confirmation,
// then decides sides or handicaps, saves the table and writes the round list.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "edit/outcome.h"
#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// What a successful pairing did.
struct PairOutcome {
  int round = -1;                   ///< the 0-based round paired
  long long elapsedSeconds = 0;     ///< time the driver took
  std::filesystem::path roundList;  ///< the round list written, empty when none
  /// With the option to keep affiliations apart: the games it could not avoid, named as the
  /// organiser is told ("所属が同じ対局: …"); empty when none.
  std::string sameAffiliation;
};

/// Pairs the first round with an unpaired row. 0 on success; -1 when a check refused or the
/// user said No (after the message); -2 when the driver failed (after its message; the table
/// is not saved); -3 when the round was paired but the table file could not be written (after
/// the writer's message; the round stays paired in memory). `refresh` redraws the table.
/// `confirm` false leaves out the question "%d回戦の組み合わせをしますか？" (the user has just
/// said Yes to pairing in another question).
int pairNextRound(Workspace& ws, services::Services& ui, const std::function<void()>& refresh,
                  PairOutcome* outcome = nullptr, bool confirm = true);

/// The checks and the question of the pairing command, asked before its pass (the window asks
/// first, then pairs with pairAskedRound): the round the user agreed to pair, or none after
/// the message that refused or the answer No.
std::optional<int> askToPair(const Workspace& ws, services::Services& ui);

/// pairNextRound as every front end's command sees it: its codes become the Outcome here and
/// nowhere else (done; refused or declined, nothing changed; paired but not saved). The
/// Outcome's round is the round paired, or the round it would have paired.
Outcome pairRound(Workspace& ws, services::Services& ui, const std::function<void()>& refresh,
                  PairOutcome* outcome = nullptr, bool confirm = true);

/// pairRound without its question, for the round the user agreed to pair before the pass:
/// when that round is no longer the one to pair (another hand paired it meanwhile), nothing
/// is paired and the status bar says why.
Outcome pairAskedRound(Workspace& ws, services::Services& ui, const std::function<void()>& refresh,
                       int round);

}  // namespace toq::edit
