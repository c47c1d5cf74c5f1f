#pragma once
// The standings as the prize-giving reads them out: every ranked participant in rank order
// with the record and each value the ranking compared, and the key that placed a line before
// the one under it. The printed standings, the /standings page and the display's final
// standings all read this one list.

#include <string>
#include <string_view>
#include <vector>

#include "data/register.h"
#include "data/table.h"

namespace toq::reports {

/// One place of the standings. Texts are CP932 (the numbers plain ASCII).
struct StandingsLine {
  int rank = 0;                     ///< 1-based; shared places repeat in win-rate mode
  int row = 0;                      ///< 0-based participant row
  std::string name;                 ///< the player's full name
  std::string affiliation;          ///< 所属; may be empty
  std::vector<std::string> values;  ///< one per heading after the affiliation
  /// The key that placed this line before the next one when both have the same first key
  /// ("ソルコフ", "直接対決", ...); empty when the first key decided or nothing did.
  std::string decidedBy;
};

/// The standings after one round, ready to be laid out.
struct StandingsList {
  int round = -1;  ///< 0-based round they describe; -1 when no round is complete
  bool winRateMode = false;
  std::vector<std::string_view> headings;  ///< UTF-8: the columns of `values`
  std::string_view rule;                   ///< UTF-8: "同点の順位は ソルコフ → …"
  std::vector<StandingsLine> lines;        ///< rank order; a shared rank keeps the table order
};

/// The standings after 0-based round `round` (-1: the last completed round), computed into the
/// table's standings block. An empty list with round -1 when that round is not complete or its
/// results cannot be counted.
StandingsList standingsList(data::Table& table, const data::Register& players, int round = -1);

/// "成績表（3回戦終了時点）", "最終成績（全4回戦）" (UTF-8): what the list is.
std::string standingsCaption(const data::Table& table, const StandingsList& list);

}  // namespace toq::reports
