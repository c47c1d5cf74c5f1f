#include "pairing/exhaustive.h"

#include <cstdint>
#include <vector>

#include "pairing/compat.h"
#include "pairing/min_cost_matching.h"
#include "pairing/professional.h"
#include "pairing/professional_round.h"

namespace toq::pairing {
namespace {

constexpr int kSecondMeetingCost = 20;
constexpr const char* kSearchingWithProfessionals = "棋士と全組み合わせ中...";

/// The round can be paired at all: a used round of a table within its capacity.
bool pairable(const data::Table& table, int round) {
  return round >= 0 && round < data::kMaxRounds && round < table.numberOfGames &&
         table.participantCount >= 0 && table.participantCount <= data::kMaxParticipants;
}

/// Rows of the round without opponent, in row order.
std::vector<int> unpairedRows(const data::Table& table, int round) {
  std::vector<int> rows;
  for (int row = 0; row < table.participantCount; ++row)
    if (table.opponent[row][round] == data::kUnpaired) rows.push_back(row);
  return rows;
}

std::int64_t scoreDifference(const data::Table& table, int round, int a, int b) {
  const std::int64_t d = std::int64_t{scoreKey(table, round, a)} - scoreKey(table, round, b);
  return d < 0 ? -d : d;
}

/// Pairs `rows` (ascending) by the least-cost pairing that an enumeration giving the first
/// open row each allowed partner in row order would meet first. `allowed(a, b)` and
/// `cost(a, b)` are asked with a < b, as that enumeration asks them. False, with the table
/// unchanged, when the rows cannot all be paired.
template <class Allowed, class Cost>
bool pairFirstLeastCost(data::Table& table, int round, const std::vector<int>& rows,
                        Allowed allowed, Cost cost) {
  std::vector<MatchingEdge> edges;
  const int n = static_cast<int>(rows.size());
  for (int i = 0; i < n; ++i)
    for (int j = i + 1; j < n; ++j)
      if (allowed(rows[i], rows[j])) edges.push_back({i, j, cost(rows[i], rows[j])});
  const std::optional<PerfectMatching> best = firstMinCostPerfectMatching(n, edges);
  if (!best) return false;
  for (int i = 0; i < n; ++i)
    if (i < best->mate[i]) table.setPair(round, rows[i], rows[best->mate[i]]);
  return true;
}

/// The professional exhaustive search without its status message.
int pairWithProfessionals(PairingContext& ctx, const MeetingCache& facts) {
  data::Table& table = ctx.table;
  const int round = facts.round();
  if (!pairable(table, round)) return -1;
  const std::vector<int> rows = unpairedRows(table, round);
  const ProfessionalRound state(table, facts);
  // A second meeting costs 20 for each amateur in it, when second meetings are allowed at all.
  const auto secondMeetings = [&](int a, int b) {
    if (!ctx.options.play2) return 0;
    int extra = 0;
    if (!facts.professional(a) && facts.haveMet(a, b)) extra += kSecondMeetingCost;
    if (!facts.professional(b) && facts.haveMet(b, a)) extra += kSecondMeetingCost;
    return extra;
  };
  const bool paired = pairFirstLeastCost(
      table, round, rows, [&](int a, int b) { return state.canPairAgain(ctx.options, a, b); },
      [&](int a, int b) { return scoreDifference(table, round, a, b) + secondMeetings(a, b); });
  return paired ? 0 : -1;
}

}  // namespace

int pairRoundExhaustively(PairingContext& ctx, const MeetingCache& facts,
                          ProfessionalStepReport* professionals) {
  data::Table& table = ctx.table;
  const int round = facts.round();
  if (!pairable(table, round)) return -1;
  if (professionalStep(ctx, facts, professionals) != 0) return -3;
  const std::vector<int> rows = unpairedRows(table, round);
  for (int row : rows)
    if (facts.professional(row)) return -1;
  const bool paired = pairFirstLeastCost(
      table, round, rows, [&](int a, int b) { return facts.canPair(table, a, b); },
      [&](int a, int b) { return scoreDifference(table, round, a, b); });
  return paired ? 0 : -1;
}

int pairRoundExhaustively(PairingContext& ctx, int round) {
  if (!pairable(ctx.table, round)) return -1;
  MeetingCache facts;
  facts.build(ctx.table, ctx.players, round);
  return pairRoundExhaustively(ctx, facts);
}

int pairWithProfessionalsExhaustively(PairingContext& ctx, const MeetingCache& facts) {
  ctx.ui.statusMessage(kSearchingWithProfessionals);
  return pairWithProfessionals(ctx, facts);
}

int pairWithProfessionalsExhaustively(PairingContext& ctx, int round) {
  ctx.ui.statusMessage(kSearchingWithProfessionals);
  if (!pairable(ctx.table, round)) return -1;
  MeetingCache facts;
  facts.build(ctx.table, ctx.players, round);
  return pairWithProfessionals(ctx, facts);
}

}  // namespace toq::pairing
