#include "support/simulate.h"

#include <random>
#include <vector>

#include "pairing/driver.h"

namespace toq::testing {

std::unique_ptr<Tournament> generateField(const FieldShape& shape, std::uint32_t seed) {
  auto t = makeTournament(shape.games);
  std::mt19937 gen(seed);
  // Rows as player numbers in table order; a professional's boards stay consecutive.
  std::vector<std::vector<int>> blocks;
  for (int i = 0; i < shape.amateurs; ++i) {
    int rating = std::uniform_int_distribution<int>(1000, 2600)(gen);
    if (std::uniform_int_distribution<int>(0, 9)(gen) == 0) rating = 0;
    blocks.push_back({t->addPlayer("A" + std::to_string(i), rating)});
  }
  for (int i = 0; i < shape.professionals; ++i) {
    int boards = std::uniform_int_distribution<int>(1, std::max(1, shape.maxBoards))(gen);
    bool woman = i < shape.womenProfessionals;
    int number = t->addPlayer((woman ? "W" : "P") + std::to_string(i), 2800, boards, true, woman);
    std::vector<int> rows(static_cast<std::size_t>(boards), number);
    auto pos = blocks.begin() +
               std::uniform_int_distribution<long>(0, static_cast<long>(blocks.size()))(gen);
    blocks.insert(pos, rows);
  }
  for (const auto& block : blocks)
    for (int number : block) t->table.AddParticipant(number, t->ui);
  return t;
}

void setByeIfOdd(Tournament& t, int round, std::uint32_t seed) {
  if (t.table.unpairedRows(round) % 2 == 0) return;
  std::vector<int> free;
  for (int row = 0; row < t.table.participantCount; ++row)
    if (t.table.opponent[row][round] == data::kUnpaired) free.push_back(row);
  t.table.opponent[free[seed % free.size()]][round] = data::kBye;
}

void randomResults(Tournament& t, int round, std::uint32_t seed, bool draws) {
  std::mt19937 gen(seed);
  for (int row = 0; row < t.table.participantCount; ++row) {
    int o = t.table.opponentRow(row, round);
    if (o < row || t.table.result[row][round] != data::kResultNone) continue;
    int pick = std::uniform_int_distribution<int>(0, draws ? 5 : 1)(gen);
    t.setResult(round, row,
                pick == 0   ? data::kWin
                : pick == 1 ? data::kLoss
                : pick == 5 ? data::kDraw
                            : (pick % 2 ? data::kWin : data::kLoss));
  }
}

int playRounds(Tournament& t, int rounds, std::uint32_t seed, bool draws) {
  for (int r = 0; r < rounds; ++r) {
    setByeIfOdd(t, r, seed + static_cast<std::uint32_t>(r));
    auto ctx = t.context();
    if (pairing::runPairing(ctx, r, {}) != 0) return r;
    randomResults(t, r, seed * 31u + static_cast<std::uint32_t>(r), draws);
  }
  return rounds;
}

}  // namespace toq::testing
