// The professional step: before the score groups are formed, every professional row that is
// still unpaired gets an amateur. Professionals are placed one at a time, and the passes start
// again from the first after each placement.
#include <algorithm>
#include <array>

#include "pairing/professional.h"

namespace toq::pairing {
namespace {

/// The step gives up after this many failing passes; from kRelaxedPass on it allows second
/// meetings as far as the options permit.
constexpr int kPasses = 50;
constexpr int kRelaxedPass = 25;
/// Rejected choices for one row before the pass fails, and the limits of the repetition check.
constexpr int kTriesBeforeFailing = 25;
constexpr int kTriesNearBoards = 15;
constexpr int kTriesMax = 50;

/// How one pass ended.
enum class PassEnd {
  Placed,  ///< a game was placed and the passes start again from the first
  Failed,  ///< a professional found no amateur; count the pass
  Through  ///< every visited row was handled
};

/// What one candidate amateur allows a professional; worked out at its first draw.
struct CandidateAnswers {
  bool known = false;
  bool again = false;   ///< canPairAgain (p, c)
  int otherRow = -1;    ///< another professional row that may take c, or -1
  bool notMet = false;  ///< some professional row's player has not met c's player
  bool strict = false;  ///< canPair (c, p)
};

/// The amateurs of least cost for the rows of one professional player and what each allows
/// them. They depend on the player, the stage and the games placed, not on the row: while no
/// game is placed, every try and every pass that visits a row of the same player reuses them.
struct Choices {
  int player = -1;
  bool relaxed = false;
  int version = -1;
  RowList rows;
  std::array<CandidateAnswers, data::kMaxRows> answers{};
};

/// Everything one run of the step works on.
struct Step {
  PairingContext& ctx;
  ProfessionalRound& state;
  Choices choices;
  ProfessionalStepReport* report = nullptr;  ///< what the step did, when the caller asks
  int pass = 0;                              ///< the pass being run

  /// Places a game and notes it for the report.
  void pair(int a, int b) {
    state.pair(a, b);
    if (!report) return;
    ++report->games;
    if (pass >= kRelaxedPass) ++report->relaxedGames;
    report->lastPass = std::max(report->lastPass, pass);
  }

  const MeetingCache& facts() const { return state.facts(); }

  /// Another unpaired professional row that may take amateur c, scanning from the last row.
  int otherProfessionalRowFor(int c) const {
    for (int q = state.rows() - 1; q >= 0; --q) {
      if (!facts().professional(q) || !state.unpaired(q)) continue;
      if (facts().haveMet(q, c)) continue;
      // Never one amateur twice for a professional in a round, never two multi-board players.
      if (!facts().canPair(ctx.table, c, q) || state.meetInRound(q, c)) continue;
      return q;
    }
    return -1;
  }

  bool someProfessionalHasNotMet(int c) const {
    for (int q = 0; q < state.rows(); ++q)
      if (facts().professional(q) && !facts().haveMet(q, c)) return true;
    return false;
  }

  /// True when c repeats a game of the previous round on this professional's boards near row
  /// p, or when p's player already plays c's player in this round.
  bool repeats(int p, int c, int tries) const {
    if (state.meetInRound(p, c)) return true;
    if (state.round() == 0) return false;
    auto boardHad = [&](int row) {
      return row >= 0 && row < state.rows() && facts().player(row) == facts().player(p) &&
             facts().previousOpponent(row) == c;
    };
    if (boardHad(p) || boardHad(p - 1) || boardHad(p + 1)) return true;
    return tries < kTriesNearBoards && (boardHad(p + 2) || (p > 1 && boardHad(p - 2)));
  }

  CandidateAnswers answersFor(int p, int c) const {
    CandidateAnswers a;
    a.known = true;
    a.again = state.canPairAgain(ctx.options, p, c);
    if (a.again) return a;
    a.otherRow = otherProfessionalRowFor(c);
    if (a.otherRow >= 0) return a;
    a.notMet = someProfessionalHasNotMet(c);
    a.strict = facts().canPair(ctx.table, c, p);
    return a;
  }

  /// The choices for unpaired professional row p as the round stands.
  Choices& choicesFor(int p, bool relaxed) {
    if (choices.player != facts().player(p) || choices.relaxed != relaxed ||
        choices.version != state.version()) {
      choices.player = facts().player(p);
      choices.relaxed = relaxed;
      choices.version = state.version();
      choices.rows = cheapestAmateurs(state, ctx.options, p, relaxed);
      std::fill_n(choices.answers.begin(), choices.rows.count, CandidateAnswers{});
    }
    return choices;
  }

  /// Finds an amateur for unpaired professional row p: one draw among the cheapest per try.
  PassEnd place(int p, bool relaxed) {
    Choices& ch = choicesFor(p, relaxed);
    if (ch.rows.empty()) return PassEnd::Failed;
    for (int tries = 0;;) {
      const int pick = ctx.random.choose(ch.rows.count);
      const int c = ch.rows[pick];
      CandidateAnswers& a = ch.answers[static_cast<std::size_t>(pick)];
      if (!a.known) a = answersFor(p, c);
      if (a.again) {
        pair(p, c);
        return PassEnd::Placed;
      }
      if (a.otherRow >= 0) {
        pair(a.otherRow, c);
        return PassEnd::Placed;
      }
      if (tries >= kTriesBeforeFailing || !a.notMet) return PassEnd::Failed;
      if (a.strict && !repeats(p, c, tries)) {
        pair(p, c);
        return PassEnd::Through;  // the pass goes on with its next row
      }
      if (++tries > kTriesMax) return PassEnd::Failed;
    }
  }

  /// Visits every row once; unpaired professional rows get an amateur.
  PassEnd runPass(int passNumber) {
    pass = passNumber;
    const int n = state.rows();
    const bool relaxed = pass >= kRelaxedPass;
    // The options and the parity of the pass each turn the direction round.
    const bool backwards =
        (!ctx.options.play2 || ctx.options.womanProfessionalTwice) != (pass % 2 == 1);
    for (int k = 0; k < n; ++k) {
      const int p = backwards ? (n - 1 - k + pass) % n : (k + pass) % n;
      if (!state.unpaired(p) || !facts().professional(p)) continue;
      if (const PassEnd end = place(p, relaxed); end != PassEnd::Through) return end;
    }
    return PassEnd::Through;
  }
};

}  // namespace

int professionalStep(PairingContext& ctx, const MeetingCache& facts,
                     ProfessionalStepReport* report) {
  if (report) *report = {};
  if (facts.round() < 0 || facts.round() >= data::kMaxRounds) return -1;
  ProfessionalRound state(ctx.table, facts);
  Step step{ctx, state, {}, report};
  int pass = 0;
  for (;;) {
    if (state.allProfessionalsPlaced()) return 0;
    if (pass >= kPasses) return -1;
    // A pass that runs through has placed every row it visited; counting it anyway keeps the
    // loop finite whatever the table holds.
    pass = step.runPass(pass) == PassEnd::Placed ? 0 : pass + 1;
  }
}

int professionalStep(PairingContext& ctx, int round) {
  if (round < 0 || round >= data::kMaxRounds) return -1;
  MeetingCache facts;
  facts.build(ctx.table, ctx.players, round);
  return professionalStep(ctx, facts);
}

}  // namespace toq::pairing
