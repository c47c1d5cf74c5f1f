#pragma once
// The colours of the main view's cells, as red, green, blue.

#include <cstdint>

namespace toq::view {

/// A colour of a cell's background or text.
struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};
/// Background of every odd participant row.
inline constexpr Rgb kPaleBlue{240, 240, 255};
/// A professional's name; a game against a professional.
inline constexpr Rgb kGreen{220, 255, 220};
/// A woman professional's name; a game against a woman professional.
inline constexpr Rgb kPink{255, 230, 230};
/// A second game between the same two players.
inline constexpr Rgb kYellow{255, 255, 200};
/// A bye.
inline constexpr Rgb kGrey{200, 200, 200};
/// Ratings, the lower line of a game still without result, the "計" totals.
inline constexpr Rgb kBlue{0, 0, 255};

}  // namespace toq::view
