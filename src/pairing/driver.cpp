#include "pairing/driver.h"

#include <chrono>
#include <memory>
#include <new>

#include "pairing/exhaustive.h"
#include "pairing/meeting_cache.h"
#include "pairing/standings.h"
#include "pairing/swiss.h"
#include "text/format.h"

namespace toq::pairing {

namespace {

/// Fixed seeds of the attempts, 1..kLastSeed; seeds from kFirstPrePassSeed on run the pre-pass.
constexpr int kLastSeed = 199;
constexpr int kFirstPrePassSeed = 100;

constexpr const char* kFailed = "組み合わせられませんでした。";
constexpr const char* kProfessionalsFailed = "棋士と組み合わせられませんでした。";
constexpr const char* kProfessionalsFailedHint =
    "棋士と組み合わせられませんでした。設定で棋士と２回対戦可能にできます。";

bool pairableRound(const data::Table& table, int round) {
  return round >= 0 && round < data::kMaxRounds && round < table.numberOfGames;
}

}  // namespace

int pairRound(PairingContext& ctx, int round, int seed, ProfessionalStepReport* professionals) {
  if (professionals) *professionals = {};
  if (!pairableRound(ctx.table, round)) return -1;
  MeetingCache cache;
  cache.build(ctx.table, ctx.players, round);
  return pairAttempt(ctx, cache, round, seed, std::nullopt, professionals);
}

namespace {

/// How one search of the round ended.
struct SearchEnd {
  int rc = -1;  ///< 0 paired; else the result of the last seeded attempt
  PairingMethod method = PairingMethod::None;
  int seed = 0;
  ProfessionalStepReport professionals;
};

/// The seeded attempts, then the professional search and the exhaustive search, all under the
/// answers of `cache`, each starting from `backup`. Shows no failure message.
SearchEnd searchRound(PairingContext& ctx, const MeetingCache& cache, const data::Table& backup,
                      int round, int standings) {
  data::Table& table = ctx.table;
  SearchEnd end;
  for (int seed = 1; seed <= kLastSeed; ++seed) {
    ctx.ui.statusMessage(text::format("組み合わせ中です... %d", seed));
    table = backup;
    ctx.random.seed(static_cast<std::uint32_t>(seed));
    end.rc = pairAttempt(ctx, cache, round, seed, standings, &end.professionals);
    if (end.rc == 0) {
      end.method = PairingMethod::SeededAttempt;
      end.seed = seed;
      return end;
    }
  }
  const int attempts = end.rc;
  if (end.rc == -3) {
    ctx.ui.statusMessage("棋士と組み合わせ中です... *");
    table = backup;
    const auto start = std::chrono::steady_clock::now();
    if (pairWithProfessionalsExhaustively(ctx, cache) == 0) {
      const long ms = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now() - start)
                                            .count());
      ctx.ui.statusMessage(text::format("棋士と組み合わせ終了 %ld ms %ld 秒", ms, ms / 1000));
      return {0, PairingMethod::ProfessionalSearch, 0, {}};
    }
  }
  ctx.ui.statusMessage("組み合わせ中です... *");
  table = backup;
  if (pairRoundExhaustively(ctx, cache, &end.professionals) == 0)
    return {0, PairingMethod::ExhaustiveSearch, 0, end.professionals};
  end.rc = attempts;
  return end;
}

}  // namespace

int runPairing(PairingContext& ctx, int round, const std::function<void()>& refresh,
               PairingWay* way) {
  if (way) *way = {};
  data::Table& table = ctx.table;
  if (!pairableRound(table, round)) {
    ctx.ui.errorBox(kFailed);
    return -2;
  }
  // The standings of the round before go into the backup: the pre-pass of the later seeds and
  // the searches read their score keys from the block, and the attempts need not compute them
  // again (nothing an attempt changes enters them). A failure fails every attempt.
  const int standings = computeStandings(table, ctx.players, round - 1);

  std::unique_ptr<data::Table> backup(new (std::nothrow) data::Table(table));
  if (!backup) {
    ctx.ui.errorBox(kFailed);
    return -2;
  }
  // Earlier rounds and the players do not change while this round is paired: the attempts
  // and both searches take their answers from one cache.
  MeetingCache cache;
  const bool apart = keepsAffiliationsApart(ctx.options, round);
  cache.build(table, ctx.players, round, apart);
  AffiliationRule affiliations = AffiliationRule::NotAsked;
  SearchEnd end;
  if (apart && cache.anyAffiliation()) {
    end = searchRound(ctx, cache, *backup, round, standings);
    affiliations = end.rc == 0 ? AffiliationRule::Kept : AffiliationRule::Impossible;
    // None keeps them apart: the round is paired exactly as without the option.
    if (end.rc != 0) cache.build(*backup, ctx.players, round, false);
  }
  if (affiliations != AffiliationRule::Kept)
    end = searchRound(ctx, cache, *backup, round, standings);

  if (end.rc == 0) {
    // The report is filled from copies of what the steps noted; no step reads it back.
    if (way)
      *way = {end.method, end.seed, end.seed >= kFirstPrePassSeed, end.professionals, affiliations};
    return 0;
  }
  if (refresh) refresh();
  if (end.rc == -3)
    ctx.ui.errorBox(ctx.options.play2 ? kProfessionalsFailed : kProfessionalsFailedHint);
  else
    ctx.ui.errorBox(kFailed);
  return -2;
}

}  // namespace toq::pairing
