// The table file reader on any bytes. Whatever it accepts stays within the table's capacity,
// answers every query, and comes back unchanged through the writer and the reader.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "data/file_parsers.h"
#include "data/line_reader.h"
#include "data/table_file.h"
#include "fuzz_support.h"
#include "support/recording_services.h"

namespace {

using toq::fuzz::require;
namespace data = toq::data;

void askEveryQuery(const data::Table& t, const data::Register& players,
                   toq::services::RecordingServices& ui) {
  t.HasPairings();
  for (int mode = 0; mode < 3; ++mode) t.AnyEntryState(mode);
  for (int k = -1; k <= data::kMaxRounds; ++k) {
    t.UnpairedCount(k);
    t.OpenGames(k);
    t.ResultsCompleteBefore(k);
  }
  require(t.FirstUnpairedRound() < t.numberOfGames, "first unpaired round within the games");
  require(t.LastPairedRound() < t.numberOfGames, "last paired round within the games");
  require(t.LastCompletedRound() < t.numberOfGames, "last completed round within the games");
  t.AnyMultiEntry(players);
  for (int row = 0; row < t.participantCount; ++row) {
    t.ParticipantName(row, players, ui);
    for (int k = 0; k < t.numberOfGames; ++k) {
      const int o = t.opponentRow(row, k);
      require(o == -1 || t.validRow(o), "opponentRow names a used row or -1");
      if (o >= 0) {
        t.AmateurMeetsProfessional(row, o, players);
        t.AmateurMeetsWoman(row, o, players);
      }
    }
  }
}

bool sameCells(const data::Table& a, const data::Table& b) {
  if (a.participantCount != b.participantCount || a.numberOfGames != b.numberOfGames ||
      a.lockFlag != b.lockFlag)
    return false;
  for (int row = 0; row < a.participantCount; ++row) {
    if (a.participants[row] != b.participants[row]) return false;
    for (int k = 0; k < a.numberOfGames; ++k)
      if (a.opponent[row][k] != b.opponent[row][k] || a.side[row][k] != b.side[row][k] ||
          a.handicap[row][k] != b.handicap[row][k] || a.result[row][k] != b.result[row][k])
        return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  auto table = std::make_unique<data::Table>();
  const data::TableTextResult outcome =
      data::parseTableText(*table, toq::fuzz::asText(bytes, size));
  require(table->participantCount >= 0 && table->participantCount <= data::kMaxParticipants,
          "row count within 0..99");
  if (outcome == data::TableTextResult::BadGames) return 0;  // the reader discards the copy
  require(table->numberOfGames >= 1 && table->numberOfGames <= data::kMaxRounds,
          "number of games within 1..32");

  data::Register players;
  data::Player known;
  known.number = 1;
  known.name = "A";
  players.AddPlayer(known);
  toq::services::RecordingServices ui;
  askEveryQuery(*table, players, ui);

  // What was read is written back and read again: the same rows, codes and header values.
  const auto path = toq::fuzz::scratchFolder() / "round-trip.tai";
  require(data::WriteTableFile(*table, path, ui) == 0, "the table is written");
  if (table->participantCount == 0) return 0;  // nothing is written for an empty table
  auto again = std::make_unique<data::Table>();
  require(data::ReadTableFile(*again, path, ui) == 0, "the written table reads back");
  require(sameCells(*table, *again), "the table reads back unchanged");
  return 0;
}
