#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "data/file_parsers.h"
#include "file_fixtures.h"

namespace toq {
namespace {

// Mutates a valid file with the bytes its readers look for, so that most inputs get deep into
// the parsers: quotes, commas, colons, line ends, signs, long digit runs and CP932 lead bytes.
std::string mutate(std::string s, std::mt19937& gen) {
  static const std::string kPieces[] = {"\"",
                                        ",",
                                        ":",
                                        "\r\n",
                                        "\n",
                                        "-",
                                        "99999999999",
                                        "$",
                                        "#",
                                        "\x81",
                                        std::string(1, '\0'),
                                        "1,",
                                        std::string(600, 'x')};
  const int edits = 1 + static_cast<int>(gen() % 8);
  for (int e = 0; e < edits; ++e) {
    std::size_t at = s.empty() ? 0 : gen() % s.size();
    switch (gen() % 4) {
      case 0:
        s.insert(at, kPieces[gen() % std::size(kPieces)]);
        break;
      case 1:
        if (!s.empty()) s.erase(at, 1 + gen() % 20);
        break;
      case 2:
        if (!s.empty()) s[at] = static_cast<char>(gen());
        break;
      default:
        s.insert(at, s.substr(at, gen() % 200));  // repeats lines, sometimes many
    }
  }
  return s;
}

void expectSoundRegister(const data::Register& r) {
  ASSERT_LE(r.count(), data::kMaxPlayers);
  for (const auto& p : r.all()) {
    ASSERT_LE(p.name.size(), data::kMaxNameBytes);
    ASSERT_LE(p.shortName.size(), data::kMaxNameBytes);
    ASSERT_EQ(p.name.find('\n'), std::string::npos);
  }
}

TEST(ReaderRobustness, MutatedFilesNeverBreakTheCapacities) {
  std::mt19937 gen(20240601);
  const std::string ply = testing::golden("players.ply");
  const std::string tai = testing::goldenTable("table_3x2.tai", "/x/y.tai");
  const std::string txt = testing::golden("names.txt");
  for (int i = 0; i < 3000; ++i) {
    data::Register r;
    int result = data::parsePlayerText(r, mutate(ply, gen));
    ASSERT_TRUE(result == 0 || result == -1) << i;
    expectSoundRegister(r);

    auto t = testing::makeTournament();
    data::TableTextResult outcome = data::parseTableText(t->table, mutate(tai, gen));
    if (outcome != data::TableTextResult::BadGames) {
      ASSERT_GE(t->table.numberOfGames, 1);
      ASSERT_LE(t->table.numberOfGames, data::kMaxRounds);
    }
    ASSERT_GE(t->table.participantCount, 0);
    ASSERT_LE(t->table.participantCount, data::kMaxParticipants);

    auto n = testing::makeTournament();
    std::ostringstream out, err;
    data::parseNameListText(n->players, n->table, mutate(txt, gen), n->ui, out, err);
    expectSoundRegister(n->players);
    ASSERT_LE(n->table.participantCount, data::kMaxParticipants);
    ASSERT_GE(n->table.numberOfGames, 1);
    ASSERT_LE(n->table.numberOfGames, data::kMaxRounds);
  }
}

}  // namespace
}  // namespace toq
