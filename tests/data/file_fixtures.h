#pragma once
// Shared pieces of the file-layer tests: golden files and the small tournament they describe.

#include <filesystem>
#include <string>

#include "support/builders.h"
#include "text/cp932.h"

namespace toq::testing {

/// The bytes of tests/golden/data/<name>.
inline std::string golden(const std::string& name) {
  return readFile(std::string(TOQ_SOURCE_DIR) + "/tests/golden/data/" + name);
}

/// A golden table file with its "# @PATH@" line filled in with the path it was written to.
inline std::string goldenTable(const std::string& name, const std::filesystem::path& written) {
  std::string text = golden(name);
  const std::string mark = "@PATH@";
  if (auto at = text.find(mark); at != std::string::npos)
    text.replace(at, mark.size(), std::filesystem::absolute(written).string());
  return text;
}

/// The tournament of table_3x2.tai, players.ply and chart.csv: three rows, two games.
/// Row 03 plays row index 4 (no row of this table) in round 1, as a file may hold.
inline std::unique_ptr<Tournament> threeRowTournament() {
  auto t = makeTournament(2);
  data::Player p;
  p.number = 5, p.name = text::sj("山田　太郎"), p.shortName = text::sj("山田"), p.rating = 1850;
  t->players.AddPlayer(p);
  p = {};
  p.number = 123, p.name = text::sj("森川千秋女流二段"), p.rating = 2100, p.professional = 1;
  p.womanProfessional = 1;
  t->players.AddPlayer(p);
  p = {};
  p.number = 12, p.name = text::sj("ｶﾀｶﾅ 次郎"), p.rating = -5, p.entries = 3, p.professional = 1;
  t->players.AddPlayer(p);
  for (int n : {5, 123, 12}) t->table.AddParticipant(n, t->ui);
  auto& tb = t->table;
  tb.title = text::sj("第1回　ＴＯＱ杯～テスト");
  tb.lockFlag = 1;
  tb.setPair(0, 0, 1);
  tb.setPair(1, 0, 1);
  tb.side[0][0] = data::kSideSecond, tb.side[1][0] = data::kSideFirst;
  tb.handicap[0][0] = -10, tb.handicap[1][0] = 10;
  tb.result[0][0] = data::kLoss, tb.result[1][0] = data::kWin;
  tb.opponent[2][0] = 4, tb.side[2][0] = data::kSideFirst, tb.result[2][0] = data::kWin;
  tb.opponent[2][1] = data::kBye;
  return t;
}

}  // namespace toq::testing
