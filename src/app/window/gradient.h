#pragma once
// The colour of each column of the help text's background: silver at the left edge, pink in
// the middle, grey at the right edge, with straight transitions between them.

#include <cstdint>

namespace veyla::window {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The three stops, left to right.
inline constexpr Rgb kGradientSilver{192, 192, 192};
inline constexpr Rgb kGradientPink{255, 128, 192};
inline constexpr Rgb kGradientGrey{128, 128, 128};

// Column `x` (0 at the left edge) of a gradient `width` pixels wide. The width is split into
// two segments of width / 2 pixels (rounded down); inside a segment each component runs from
// one stop towards the next by the real fraction (x mod segment) / segment and is cut towards
// zero; columns past the two segments have the last stop.
Rgb GradientColumnColour(int x, int width);

}  // namespace veyla::window
