#pragma once
// HUD numbers drawn as digit images from the "devdata/game.png" atlas. Glyph g
// (0-9 the digits, 10 the decimal separator, 11 a dash, 13 the percent sign)
// sits in column g / 5 and row g % 5 of a grid of glyph-sized cells.
#include <memory>

#include "gfx/Texture.h"
#include "gfx/Vec2.h"

namespace orb {

struct DigitStrip {
  Vec2<float> origin;  // atlas pixel of glyph 0's top-left
  Vec2<float> glyph;   // cell size, also the drawn size
  float advance;       // pen step between digits, a little less than the cell width
};

constexpr int kDigitGlyphCount = 15;  // three columns of five cells
inline const DigitStrip kLargeDigits{{2, 2}, {43, 69}, 42};
inline const DigitStrip kSmallDigits{{132, 2}, {25, 40}, 22};

// One glyph with its top-left at topLeft; glyphs outside 0-14 draw nothing.
void drawDigit(int glyph, const Vec2<float>& topLeft, const Vec2<float>& glyphSize,
               const Vec2<float>& atlasOrigin, float r, float g, float b, float a,
               const std::shared_ptr<Texture>& atlas);

// Exactly n digits of value (value modulo 10^n, leading zeros included), left
// to right from topLeft, advance apart. n <= 0 draws nothing; n is capped at 9.
// A negative value draws the digits of its magnitude.
void drawNumber(int value, int n, float advance, const Vec2<float>& topLeft,
                const Vec2<float>& glyphSize, const Vec2<float>& atlasOrigin, float r, float g,
                float b, float a, const std::shared_ptr<Texture>& atlas);

// drawNumber with the large (43 x 69) or small (25 x 40) strip; with n = 1
// value is drawn as one glyph (drawDigit), so 10, 11 and 13 give the symbols.
void drawLargeNumber(int value, int n, const Vec2<float>& topLeft, float r, float g, float b,
                     float a, const std::shared_ptr<Texture>& atlas);
void drawSmallNumber(int value, int n, const Vec2<float>& topLeft, float r, float g, float b,
                     float a, const std::shared_ptr<Texture>& atlas);

}  // namespace orb
