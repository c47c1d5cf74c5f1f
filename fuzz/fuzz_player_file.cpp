// The player file reader on any bytes. Whatever it accepts fits the register's fixed fields,
// and the register comes back unchanged through the writer and the reader.

#include <cstddef>
#include <cstdint>

#include "data/file_parsers.h"
#include "data/player_file.h"
#include "fuzz_support.h"
#include "support/recording_services.h"

namespace {

using toq::fuzz::require;
namespace data = toq::data;

void checkRecords(const data::Register& players) {
  require(players.count() <= data::kMaxPlayers, "at most 2000 records");
  toq::services::RecordingServices ui;
  for (const data::Player& p : players.all()) {
    require(p.number > 0, "every record has a positive number");
    require(p.name.find('"') == std::string::npos, "no quote in a name");
    require(p.name.find('\n') == std::string::npos, "no line end in a name");
    require(p.name.find('\0') == std::string::npos, "no NUL in a name");
    require(players.FindPlayer(p.number) != nullptr, "every number is found");
    players.IndexToShortName(p.number, ui);
  }
  require(ui.errors().empty(), "no look-up of a stored number fails");
  require(players.NextFreeNumber() > 0, "a free number exists");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  data::Register players;
  data::ReadFault fault;
  const int result = data::parsePlayerText(players, toq::fuzz::asText(bytes, size), &fault);
  require(result == 0 || result == -1 || result == -2, "a defined result");
  require((result == 0) == !fault.any(), "a file not read whole names its fault");
  require(!fault.any() || fault.line > 0, "the fault names its line");
  checkRecords(players);

  const auto path = toq::fuzz::scratchFolder() / "round-trip.ply";
  require(data::WritePlayerFile(players, path) == 0, "the register is written");
  data::Register again;
  data::ReadFault againFault;
  require(data::ReadPlayerFile(again, path, nullptr, &againFault) == 0 && !againFault.any(),
          "the written register reads back whole");
  require(again.all() == players.all(), "the register reads back unchanged");
  return 0;
}
