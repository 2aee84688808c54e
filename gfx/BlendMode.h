#pragma once

namespace orb {

// The blend modes of all 2D drawing, by number:
//   0 normal alpha, 1 additive, 2 invert the background, 3 soft light,
//   4 darken by the source colour, 5 brighten by the background.
constexpr int kBlendModeCount = 6;

// Sets glBlendFunc for mode; any other number keeps the current function.
void applyBlendMode(int mode);

}  // namespace orb
