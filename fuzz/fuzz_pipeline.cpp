// The whole way from files to reports: a table file and a player file are read, the standings
// computed, the next round paired by the pairing command (which saves the table and writes the
// round list), then the four reports and the CSV chart are written.
//
// Input: the table file's bytes, a NUL byte, the player file's bytes, and optionally a NUL
// byte and one byte of switches (bit 0 play2, bit 1 woman professional twice, bit 2 six-piece
// handicaps, bit 3 handicaps after pairing, bit 4 no sides after pairing). The lock flag of
// the file is ignored, so that locked tables are paired too, and only the first 40 rows are
// kept (see kRowLimit). Every file goes to one fixed scratch folder.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "data/csv_file.h"
#include "data/file_parsers.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/pair_command.h"
#include "edit/workspace.h"
#include "fuzz_support.h"
#include "pairing/compat.h"
#include "pairing/driver.h"
#include "pairing/standings.h"
#include "reports/reports.h"
#include "support/recording_services.h"

namespace {

using toq::fuzz::require;
namespace data = toq::data;

/// Rows the target pairs at most; larger tables are cut to their first rows (whose entries
/// naming later rows then name no row). Under the sanitizers a table of 60 to 99 rows whose
/// professionals cannot all be placed takes the 199 attempts half a minute and more; 40 rows
/// keep the run at many inputs a second. The unit tests pair tables of 99 rows.
constexpr int kRowLimit = 40;

void applySwitches(toq::edit::Workspace& ws, std::string_view switches) {
  const unsigned bits = switches.empty() ? 0u : static_cast<unsigned char>(switches[0]);
  ws.options.play2 = (bits & 1u) != 0;
  ws.options.womanProfessionalTwice = (bits & 2u) != 0;
  ws.options.allowSixPieceHandicaps = (bits & 4u) != 0;
  ws.deriveHandicaps = (bits & 8u) != 0;
  ws.decideSides = (bits & 16u) == 0;
}

/// After a successful pairing: every row that was unpaired now has a partner that was
/// unpaired too and points back, of another player, and never two professionals together.
void checkNewPairs(const data::Table& before, const data::Table& after,
                   const data::Register& players, int round) {
  for (int row = 0; row < after.participantCount; ++row) {
    if (before.opponent[row][round] != data::kUnpaired) {
      require(after.opponent[row][round] == before.opponent[row][round],
              "a row paired before keeps its entry");
      continue;
    }
    const int o = after.opponentRow(row, round);
    require(o >= 0 && o != row, "an unpaired row got a partner row");
    require(before.opponent[o][round] == data::kUnpaired, "the partner was unpaired");
    require(after.opponent[o][round] == row, "the pair points both ways");
    require(after.participants[o] != after.participants[row], "no player meets himself");
    require(!(toq::pairing::isProfessional(after, players, row) &&
              toq::pairing::isProfessional(after, players, o)),
            "professionals never meet");
  }
}

/// The pairing is the same when the driver runs again on the table as it was.
void checkSamePairingAgain(const toq::edit::Workspace& ws, const data::Table& before, int round) {
  auto again = std::make_unique<toq::edit::Workspace>();
  again->players = ws.players;
  again->options = ws.options;
  again->table = before;
  toq::services::RecordingServices quiet;
  auto ctx = again->context(quiet);
  require(toq::pairing::runPairing(ctx, round, {}) == 0, "the same table pairs again");
  for (int row = 0; row < before.participantCount; ++row)
    require(again->table.opponent[row][round] == ws.table.opponent[row][round],
            "the same table gives the same pairing");
}

/// The file the pairing command saved holds the table as it is in memory.
void checkSaved(const data::Table& table) {
  auto saved = std::make_unique<data::Table>();
  toq::services::RecordingServices quiet;
  require(data::ReadTableFile(*saved, table.filePath, quiet) == 0, "the saved table reads");
  require(saved->participantCount == table.participantCount &&
              saved->numberOfGames == table.numberOfGames,
          "the saved table has the rows and rounds");
  for (int row = 0; row < table.participantCount; ++row) {
    require(saved->participants[row] == table.participants[row], "the saved rows");
    for (int k = 0; k < table.numberOfGames; ++k)
      require(saved->opponent[row][k] == table.opponent[row][k] &&
                  saved->side[row][k] == table.side[row][k] &&
                  saved->handicap[row][k] == table.handicap[row][k] &&
                  saved->result[row][k] == table.result[row][k],
              "the saved entries");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::string_view rest = toq::fuzz::asText(bytes, size);
  const std::string_view tableText = toq::fuzz::takePart(rest);
  const std::string_view playerText = toq::fuzz::takePart(rest);

  auto ws = std::make_unique<toq::edit::Workspace>();
  toq::services::RecordingServices ui;
  applySwitches(*ws, rest);
  data::parsePlayerText(ws->players, playerText);
  // As the table reader does: a refused number of games leaves the table as it was.
  auto read = std::make_unique<data::Table>();
  if (data::parseTableText(*read, tableText) != data::TableTextResult::BadGames) ws->table = *read;
  data::Table& table = ws->table;
  if (table.participantCount > kRowLimit) table.participantCount = kRowLimit;
  table.lockFlag = 0;
  const auto folder = toq::fuzz::scratchFolder();
  table.SetTableFile(folder / "pipeline.tai");
  ws->playerFile = folder / "pipeline.ply";

  // The main view's refresh: the standings of the last completed round.
  auto refresh = [&] {
    toq::pairing::computeStandings(table, ws->players, table.LastCompletedRound());
  };
  refresh();
  const int round = table.FirstUnpairedRound();
  auto before = std::make_unique<data::Table>(table);
  toq::edit::PairOutcome outcome;
  if (toq::edit::pairNextRound(*ws, ui, refresh, &outcome) == 0) {
    require(outcome.round == round, "the first unpaired round was paired");
    checkNewPairs(*before, table, ws->players, round);
    checkSaved(table);
    checkSamePairingAgain(*ws, *before, round);
  }

  for (auto kind : {toq::reports::ReportKind::RoundList, toq::reports::ReportKind::Results,
                    toq::reports::ReportKind::Standings, toq::reports::ReportKind::Rating})
    toq::reports::writeReport(kind, table, ws->players, ui);
  data::WriteCsvFile(table, ws->players, folder / "pipeline.csv", ui);
  data::WritePlayerFile(ws->players, ws->playerFile);
  return 0;
}
