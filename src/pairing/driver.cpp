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

int runPairing(PairingContext& ctx, int round, const std::function<void()>& refresh,
               PairingWay* way) {
  // The report is filled from copies of what the steps note; no step reads it back.
  PairingWay found;
  ProfessionalStepReport professionals;
  auto succeed = [&](PairingMethod method, int seed) {
    found.method = method;
    found.seed = seed;
    found.prePass = seed >= kFirstPrePassSeed;
    found.professionals = professionals;
    if (way) *way = found;
    return 0;
  };
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
  cache.build(table, ctx.players, round);

  int rc = -1;
  for (int seed = 1; seed <= kLastSeed; ++seed) {
    ctx.ui.statusMessage(text::format("組み合わせ中です... %d", seed));
    table = *backup;
    ctx.random.seed(static_cast<std::uint32_t>(seed));
    rc = pairAttempt(ctx, cache, round, seed, standings, &professionals);
    if (rc == 0) return succeed(PairingMethod::SeededAttempt, seed);
  }

  if (rc == -3) {
    ctx.ui.statusMessage("棋士と組み合わせ中です... *");
    table = *backup;
    const auto start = std::chrono::steady_clock::now();
    if (pairWithProfessionalsExhaustively(ctx, cache) == 0) {
      const long ms = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            std::chrono::steady_clock::now() - start)
                                            .count());
      ctx.ui.statusMessage(text::format("棋士と組み合わせ終了 %ld ms %ld 秒", ms, ms / 1000));
      professionals = {};
      return succeed(PairingMethod::ProfessionalSearch, 0);
    }
  }

  ctx.ui.statusMessage("組み合わせ中です... *");
  table = *backup;
  if (pairRoundExhaustively(ctx, cache, &professionals) == 0)
    return succeed(PairingMethod::ExhaustiveSearch, 0);

  if (refresh) refresh();
  if (rc == -3)
    ctx.ui.errorBox(ctx.options.play2 ? kProfessionalsFailed : kProfessionalsFailedHint);
  else
    ctx.ui.errorBox(kFailed);
  return -2;
}

}  // namespace toq::pairing
