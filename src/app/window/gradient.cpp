#include "app/window/gradient.h"

#include <array>

namespace veyla::window {
namespace {

// The stops in order; the segments lie between neighbours.
constexpr std::array<Rgb, 3> kStops{kGradientSilver, kGradientPink, kGradientGrey};
constexpr int kSegments = static_cast<int>(kStops.size()) - 1;

std::uint8_t Blend(std::uint8_t from, std::uint8_t to, double t) {
  // Both ends lie in 0..255, so the blend does too; the cast cuts towards zero.
  return static_cast<std::uint8_t>(from + t * (static_cast<int>(to) - static_cast<int>(from)));
}

}  // namespace

Rgb GradientColumnColour(int x, int width) {
  if (x < 0) {
    x = 0;
  }
  const int segment = width / kSegments;
  const int index = segment == 0 ? 0 : x / segment;
  if (index >= kSegments) {
    return kStops[kSegments];
  }
  const double t = segment == 0 ? 0.0 : static_cast<double>(x % segment) / segment;
  const Rgb& from = kStops[static_cast<std::size_t>(index)];
  const Rgb& to = kStops[static_cast<std::size_t>(index) + 1];
  return {Blend(from.red, to.red, t), Blend(from.green, to.green, t), Blend(from.blue, to.blue, t)};
}

}  // namespace veyla::window
