#include "view/rules.h"

#include "text/cp932.h"
#include "text/format.h"
#include "view/texts.h"

namespace toq::view {

namespace {

// How many games a missing-results reason names before it says "ほか".
constexpr int kNamedGames = 4;

std::string nameOf(const data::Table& table, const data::Register& players, int row) {
  const data::Player* p = players.FindPlayer(table.participants[row]);
  if (!p) return text::format("%d番", row + 1);
  return text::toUtf8(p->shortName.empty() ? p->name : p->shortName);
}

// The games of a round that have no result yet, "青山–南条、北村–東".
std::string gamesWithoutResult(const data::Table& table, const data::Register& players, int round) {
  std::string games;
  int named = 0;
  int more = 0;
  for (int k = 0; k < table.rows(); ++k) {
    const int other = table.opponentRow(k, round);
    if (other <= k || data::hasResult(table.result[k][round])) continue;
    if (named == kNamedGames) {
      ++more;
      continue;
    }
    if (named++ > 0) games += "、";
    games += nameOf(table, players, k) + "–" + nameOf(table, players, other);
  }
  if (more > 0) games += text::format(texts::kMoreGames, more);
  return games;
}

}  // namespace

PairingButton pairingButtonState(const data::Table& table) {
  // A table without participants has nothing to pair (a new event, or every row removed).
  if (table.rows() == 0) return PairingButton::Disable;
  // Every round paired: nothing left until the number of games grows.
  if (table.FirstUnpairedRound() < 0) return PairingButton::Disable;
  // An odd count stays enabled: the button asks for the bye first.
  return PairingButton::Enable;
}

PairingButtonRule pairingButtonRule(const data::Table& table, const data::Register& players) {
  PairingButtonRule rule{pairingButtonState(table), {}};
  if (rule.state == PairingButton::Disable) {
    rule.reason = table.rows() == 0 ? texts::kNoParticipants : texts::kEveryRoundPaired;
    return rule;
  }
  if (table.lockFlag != 0) return {PairingButton::Disable, texts::kLockedReason};
  const int round = table.FirstUnpairedRound();
  if (const int complete = table.ResultsCompleteBefore(round); complete != 1) {
    const int missing = -complete;
    return {PairingButton::Disable,
            text::format(texts::kMissingResults, missing + 1,
                         gamesWithoutResult(table, players, missing).c_str())};
  }
  return rule;
}

std::string emptyListHint(bool tableMode, const data::Table& table, const data::Register& players) {
  if (!tableMode) return players.empty() ? texts::kEmptyRegisterHint : std::string();
  if (table.rows() > 0) return {};
  return table.filePath.empty() ? texts::kFirstStartHint : texts::kEmptyTableHint;
}

}  // namespace toq::view
