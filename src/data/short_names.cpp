#include "data/short_names.h"

#include <algorithm>
#include <map>
#include <set>

#include "text/cp932.h"

namespace toq::data {

namespace {

// The first word and the first `extra` characters of the rest, without spaces.
std::string proposal(std::string_view name, int extra) {
  const std::string_view first = text::firstWord(name);
  const std::string rest = text::squeeze(name.substr(first.size()));
  std::size_t pos = 0;
  for (int k = 0; k < extra && pos < rest.size(); ++k) pos += text::charLengthAt(rest, pos);
  return std::string(first) + rest.substr(0, pos);
}

// Register positions of the players showing `shown`.
std::vector<int> showing(const Register& players, const std::string& shown) {
  std::vector<int> group;
  for (int pos = 1; pos <= players.count(); ++pos)
    if (shownShortName(players.at(pos)) == shown) group.push_back(pos);
  return group;
}

// Short names for a group: the typed ones kept, the others lengthened one character at a time
// until no two of the group are the same (or the names run out).
std::vector<std::string> settle(const Register& players, const std::vector<int>& group) {
  std::vector<std::string> names(group.size());
  for (int extra = 1; extra <= 16; ++extra) {
    for (std::size_t i = 0; i < group.size(); ++i) {
      const Player& p = players.at(group[i]);
      names[i] = p.shortName.empty() ? proposal(p.name, extra) : p.shortName;
    }
    const std::set<std::string> distinct(names.begin(), names.end());
    // A name another player outside the group already shows would only move the likeness.
    const bool free = std::all_of(names.begin(), names.end(), [&](const std::string& n) {
      const std::vector<int> others = showing(players, n);
      return std::all_of(others.begin(), others.end(), [&](int pos) {
        return std::find(group.begin(), group.end(), pos) != group.end();
      });
    });
    if (distinct.size() == names.size() && free) break;
  }
  return names;
}

}  // namespace

std::string shownShortName(const Player& player) {
  if (!player.shortName.empty()) return player.shortName;
  return std::string(text::firstWord(player.name));
}

std::vector<ShortNameChange> distinctShortNames(Register& players, std::span<const int> numbers) {
  std::set<int> changedPositions;
  for (const int number : numbers) {
    const Player* p = players.FindPlayer(number);
    if (!p) continue;
    const std::vector<int> group = showing(players, shownShortName(*p));
    if (group.size() < 2) continue;
    const std::vector<std::string> names = settle(players, group);
    for (std::size_t i = 0; i < group.size(); ++i) {
      Player& member = players.at(group[i]);
      if (!member.shortName.empty() || names[i] == shownShortName(member)) continue;
      member.shortName = names[i];
      changedPositions.insert(group[i]);
    }
  }
  std::vector<ShortNameChange> changes;
  for (const int pos : changedPositions)
    changes.push_back({players.at(pos).number, players.at(pos).name, players.at(pos).shortName});
  return changes;
}

std::vector<int> lookAlikes(const Table& table, const Register& players) {
  std::map<std::string, std::vector<int>> byShown;
  std::vector<int> order;
  for (int row = 0; row < table.rows(); ++row) {
    const int number = table.participants[row];
    if (std::find(order.begin(), order.end(), number) != order.end()) continue;
    const Player* p = players.FindPlayer(number);
    if (!p) continue;
    order.push_back(number);
    byShown[shownShortName(*p)].push_back(number);
  }
  std::vector<int> alike;
  for (const int number : order)
    if (byShown[shownShortName(*players.FindPlayer(number))].size() > 1) alike.push_back(number);
  return alike;
}

}  // namespace toq::data
