#pragma once
// The player register: every known player, looked up by player number, never by position.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/player.h"
#include "services/services.h"

namespace toq::data {

/// The class list shown for `Player::klass`, in code order (UTF-8).
extern const char* const kClassNames[11];

/// The list of all known players; positions 1..count() are contiguous.
class Register {
 public:
  int count() const { return static_cast<int>(players_.size()); }
  bool empty() const { return players_.empty(); }
  /// The record at a 1-based position (1..count()).
  const Player& at(int position) const { return players_[static_cast<std::size_t>(position - 1)]; }
  Player& at(int position) { return players_[static_cast<std::size_t>(position - 1)]; }
  const std::vector<Player>& all() const { return players_; }

  /// The record with that number, or none.
  const Player* FindPlayer(int number) const;
  /// 1-based position of the record with that number, or 0.
  int positionOf(int number) const;
  /// The record's name; on a missing number an error box and an empty text.
  std::string IndexToName(int number, services::Services& ui) const;
  /// The short name, or the name's first word when it is empty; same failure as IndexToName.
  std::string IndexToShortName(int number, services::Services& ui) const;
  /// The smallest positive number no record uses.
  int NextFreeNumber() const;
  /// Appends a copy; numbers 0 or below get NextFreeNumber. 0, or -2 when the register is full.
  int AddPlayer(Player player);
  /// Removes the record at a 1-based position; later records move down.
  void RemovePlayer(int position);
  /// Empties the register.
  void clear() { players_.clear(); }
  /// True when the squeezed text equals the squeezed name of a record other than `skipPosition`.
  bool SameNameExists(std::string_view name, int skipPosition) const;

  /// Same records in the same order.
  bool operator==(const Register&) const = default;

 private:
  std::vector<Player> players_;
};

/// The text with every half-width and full-width space removed.
std::string SqueezeName(std::string_view text);

/// The form in which two affiliations are compared: the text without the half-width and
/// full-width spaces at its ends. Empty: no affiliation.
std::string affiliationKey(std::string_view text);

/// Sets womanProfessional when the name holds "女流".
void MarkWomanProfessional(Player& player);

}  // namespace toq::data
