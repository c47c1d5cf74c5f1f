#pragma once
// The player record and the register's fixed capacities.

#include <cstddef>
#include <string>

namespace toq::data {

/// The register holds at most this many records.
inline constexpr int kMaxPlayers = 2000;
/// Longest name or short name in bytes (a 256-byte field with its terminating NUL).
inline constexpr std::size_t kMaxNameBytes = 255;
/// Rating a new registration starts with.
inline constexpr int kDefaultRating = 1600;

/// One known player. Texts are CP932 bytes.
struct Player {
  int number = 0;             ///< identity, 1 or more; tables refer to the player by it
  int klass = 0;              ///< class code; nothing sets it to anything but 0
  int teacher = 0;            ///< player number of the teacher; 0 = none
  int hasDisciples = 0;       ///< 0/1
  int reserved = 0;           ///< always 0
  std::string name;           ///< full name, at most 255 bytes
  std::string shortName;      ///< may be empty; see IndexToShortName
  int rating = 0;             ///< rating points; 0 = no rating
  int entries = 1;            ///< rows the player takes when a table is built by the import
  int professional = 0;       ///< 0/1: never paired with another professional
  int womanProfessional = 0;  ///< 0/1: derived from the name when read from a file
  std::string affiliation;    ///< 所属 (club, classroom, school, family), at most 255 bytes
  std::string reading;        ///< よみ (the name's ふりがな), at most 255 bytes; may be empty

  bool operator==(const Player&) const = default;
};

}  // namespace toq::data
