#pragma once

namespace orb {

// The blend modes of all 2D drawing, by number:
//   0 normal alpha, 1 additive, 2 invert the background, 3 soft light,
//   4 darken by the source colour, 5 brighten by the background.
constexpr int kBlendModeCount = 6;

// Sets glBlendFunc for mode; any other number keeps the current function.
void applyBlendMode(int mode);

// True when drawing with this mode and vertex alpha leaves every pixel as it
// was: the alpha-weighted modes (0 and 1) at an alpha that is 0 in 8 bits.
// Faded-out sprites are common (a title fading one line in as another fades
// out), and each would otherwise cost a full pass over its pixels.
bool drawsNothing(int mode, float alpha);

}  // namespace orb
