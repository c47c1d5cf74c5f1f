// The name-list import on any bytes: the register and the table it builds stay within their
// capacities, every row names a registered player, and both can be saved.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>

#include "data/file_parsers.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "fuzz_support.h"
#include "support/recording_services.h"

namespace {
using toq::fuzz::require;
namespace data = toq::data;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  data::Register players;
  auto table = std::make_unique<data::Table>();
  toq::services::RecordingServices ui;
  std::ostringstream out, err;
  data::parseNameListText(players, *table, toq::fuzz::asText(bytes, size), ui, out, err);

  require(players.count() <= data::kMaxPlayers, "at most 2000 records");
  require(table->participantCount >= 0 && table->participantCount <= data::kMaxParticipants,
          "row count within 0..99");
  require(table->numberOfGames >= 1 && table->numberOfGames <= data::kMaxRounds,
          "number of games within 1..32");
  for (const data::Player& p : players.all()) {
    require(p.number > 0, "every record has a positive number");
    require(p.name.size() <= data::kMaxNameBytes, "name within 255 bytes");
    require(p.shortName.empty(), "the import sets no short name");
  }
  for (int row = 0; row < table->participantCount; ++row) {
    require(players.FindPlayer(table->participants[row]) != nullptr, "every row is registered");
    for (int k = 0; k < data::kMaxRounds; ++k)
      require(table->opponent[row][k] == data::kUnpaired, "the rows start unpaired");
  }
  // As the import ends: both files written, each readable again.
  const auto folder = toq::fuzz::scratchFolder();
  require(data::WritePlayerFile(players, folder / "import.ply") == 0, "the register is written");
  require(data::WriteTableFile(*table, folder / "import.tai", ui) == 0, "the table is written");
  data::Register again;
  require(data::ReadPlayerFile(again, folder / "import.ply") == 0, "the register reads back");
  require(again.count() == players.count(), "every record reads back");
  return 0;
}
