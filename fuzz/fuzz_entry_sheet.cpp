// The entry list's reader and plan on any bytes: every accepted line holds a name the register
// can store, numbers where numbers belong, and the plan stays within the register's capacity.

#include <cstddef>
#include <cstdint>

#include "data/entry_sheet.h"
#include "data/register.h"
#include "data/stored_text.h"
#include "edit/entry_import.h"
#include "fuzz_support.h"

namespace {
using toq::fuzz::require;
namespace data = toq::data;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const data::EntrySheet sheet = data::readEntrySheet(toq::fuzz::asText(bytes, size), {});
  require(sheet.read || sheet.rows.empty(), "a refused file gives no rows");
  for (const data::EntryRow& row : sheet.rows) {
    require(!row.name.empty(), "every row has a name");
    require(data::checkStoredText(row.name).ok(), "the name can be stored");
    require(!row.boards || (*row.boards >= 1 && *row.boards <= 99), "boards within 1..99");
  }
  toq::edit::Workspace ws;
  const toq::edit::EntryPlan plan = toq::edit::planEntries(ws, sheet);
  require(plan.added <= data::kMaxPlayers, "the plan fits the register");
  require(plan.entries.size() <= sheet.rows.size(), "one planned entry per player at most");
  require(plan.added + plan.updated == static_cast<int>(plan.entries.size()),
          "every planned entry is new or an update");
  return 0;
}
