#include "gfx/Digits.h"

#include "gfx/GrpSprite.h"

namespace orb {
namespace {

constexpr int kMaxDigits = 9;  // 10^9 is the largest power of ten in an int

void drawStrip(const DigitStrip& strip, int value, int n, const Vec2<float>& topLeft, float r,
               float g, float b, float a, const std::shared_ptr<Texture>& atlas) {
  // One "digit" is a glyph number, so the separator, dash and percent sign
  // (10, 11, 13) are drawn this way.
  if (n == 1) {
    drawDigit(value, topLeft, strip.glyph, strip.origin, r, g, b, a, atlas);
  } else {
    drawNumber(value, n, strip.advance, topLeft, strip.glyph, strip.origin, r, g, b, a, atlas);
  }
}

}  // namespace

void drawDigit(int glyph, const Vec2<float>& topLeft, const Vec2<float>& glyphSize,
               const Vec2<float>& atlasOrigin, float r, float g, float b, float a,
               const std::shared_ptr<Texture>& atlas) {
  if (glyph < 0 || glyph >= kDigitGlyphCount) return;
  GrpSprite s;
  s.x = topLeft.x;
  s.y = topLeft.y;
  s.width = glyphSize.x;
  s.height = glyphSize.y;
  s.r = r;
  s.g = g;
  s.b = b;
  s.a = a;
  s.texture = atlas;
  s.smooth = true;
  s.srcX0 = atlasOrigin.x + static_cast<float>(glyph / 5) * glyphSize.x;
  s.srcY0 = atlasOrigin.y + static_cast<float>(glyph % 5) * glyphSize.y;
  s.srcX1 = s.srcX0 + glyphSize.x;
  s.srcY1 = s.srcY0 + glyphSize.y;
  s.draw();
}

void drawNumber(int value, int n, float advance, const Vec2<float>& topLeft,
                const Vec2<float>& glyphSize, const Vec2<float>& atlasOrigin, float r, float g,
                float b, float a, const std::shared_ptr<Texture>& atlas) {
  if (n <= 0) return;
  if (n > kMaxDigits) n = kMaxDigits;
  int f = 1;
  for (int i = 0; i < n; ++i) f *= 10;
  int rest = value % f;
  if (rest < 0) rest = -rest;
  Vec2<float> pen = topLeft;
  while (f > 1) {
    rest %= f;
    f /= 10;
    drawDigit(rest / f, pen, glyphSize, atlasOrigin, r, g, b, a, atlas);
    pen.x += advance;
  }
}

void drawLargeNumber(int value, int n, const Vec2<float>& topLeft, float r, float g, float b,
                     float a, const std::shared_ptr<Texture>& atlas) {
  drawStrip(kLargeDigits, value, n, topLeft, r, g, b, a, atlas);
}

void drawSmallNumber(int value, int n, const Vec2<float>& topLeft, float r, float g, float b,
                     float a, const std::shared_ptr<Texture>& atlas) {
  drawStrip(kSmallDigits, value, n, topLeft, r, g, b, a, atlas);
}

}  // namespace orb
