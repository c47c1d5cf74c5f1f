#pragma once
// Short names that tell players apart: the cells show an opponent by the short name, which is
// the name's first word when none was given, so 吉田 陽菜 and 吉田 優斗 would both read 吉田.

#include <span>
#include <string>
#include <vector>

#include "data/register.h"
#include "data/table.h"

namespace toq::data {

/// The short name a player shows: its own, else the name's first word (CP932).
std::string shownShortName(const Player& player);

/// A short name given so that a player no longer looks like another.
struct ShortNameChange {
  int number = 0;     ///< the player's number
  std::string name;   ///< CP932, the full name
  std::string given;  ///< CP932, the short name now set
};

/// For each player of `numbers` whose shown short name another registered player also shows,
/// gives every one of that group without a short name of its own the first word and as many
/// characters of the rest of the name as set them apart ("吉田陽", "吉田優"). A short name
/// someone typed is never changed. Returns what was given, in register order.
std::vector<ShortNameChange> distinctShortNames(Register& players, std::span<const int> numbers);

/// Numbers of the table's players whose shown short name another player of the table also
/// shows, in table order without repeats: the window marks them until one is changed.
std::vector<int> lookAlikes(const Table& table, const Register& players);

}  // namespace toq::data
