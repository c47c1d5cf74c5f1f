#pragma once
// Tournaments with random earlier rounds, for the comparisons of the exhaustive searches with
// their literal enumeration and for the benchmarks.

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/builders.h"

namespace toq::testing {

/// Who takes part and which round is to be paired.
struct TournamentRecipe {
  int amateurs = 10;                    ///< amateur players with one row each
  int multiBoardAmateurs = 0;           ///< amateur players with two rows each
  std::vector<int> professionalBoards;  ///< rows (boards) of each professional
  std::vector<bool> womanProfessional;  ///< per professional; missing entries: no
  int round = 3;                        ///< the round to pair; earlier rounds are played
  int byePercent = 5;                   ///< chance of a bye per row in an earlier round
};

/// Registers the players in random order, plays rounds 0..round-1 with random pairs, byes
/// and results, and stores the score after round-1 in the standings block, as the
/// exhaustive searches expect it.
inline std::unique_ptr<Tournament> randomTournament(std::mt19937& rng,
                                                    const TournamentRecipe& recipe) {
  auto t = makeTournament(std::min(data::kMaxRounds, recipe.round + 2));
  struct Entry {
    int entries;
    bool professional;
    bool woman;
  };
  std::vector<Entry> entrants;
  for (int i = 0; i < recipe.amateurs; ++i) entrants.push_back({1, false, false});
  for (int i = 0; i < recipe.multiBoardAmateurs; ++i) entrants.push_back({2, false, false});
  for (std::size_t i = 0; i < recipe.professionalBoards.size(); ++i) {
    const bool woman = i < recipe.womanProfessional.size() && recipe.womanProfessional[i];
    entrants.push_back({recipe.professionalBoards[i], true, woman});
  }
  std::shuffle(entrants.begin(), entrants.end(), rng);
  int made = 0;
  for (const Entry& e : entrants) {
    std::string name = std::to_string(++made);
    name.insert(0, 1, 'P');
    t->addParticipant(name, 1600, e.entries, e.professional, e.woman);
  }

  data::Table& table = t->table;
  const int n = table.participantCount;
  std::vector<int> rows(static_cast<std::size_t>(n));
  for (int round = 0; round < recipe.round; ++round) {
    for (int i = 0; i < n; ++i) rows[static_cast<std::size_t>(i)] = i;
    std::shuffle(rows.begin(), rows.end(), rng);
    std::vector<int> playing;
    for (int row : rows) {
      if (static_cast<int>(rng() % 100) < recipe.byePercent)
        table.opponent[row][round] = data::kBye;
      else
        playing.push_back(row);
    }
    if (playing.size() % 2 != 0) {
      table.opponent[playing.back()][round] = data::kBye;
      playing.pop_back();
    }
    for (std::size_t i = 0; i + 1 < playing.size(); i += 2) {
      static constexpr std::int16_t kOutcomes[] = {data::kWin, data::kLoss, data::kDraw};
      t->play(round, playing[i], playing[i + 1], kOutcomes[rng() % 3]);
    }
  }
  if (recipe.round > 0) {
    for (int row = 0; row < n; ++row) {
      int score = 0;
      for (int round = 0; round < recipe.round; ++round) {
        if (table.opponent[row][round] < 0) continue;
        if (table.result[row][round] == data::kWin) score += 2;
        if (table.result[row][round] == data::kDraw) score += 1;
      }
      table.standings[row][recipe.round - 1].score = score;
    }
  }
  return t;
}

}  // namespace toq::testing
