#include "gfx/Digits.h"

#include <gtest/gtest.h>

#include "PixelProbe.h"

namespace orb {
namespace {

using test::pixelAt;

// In the fixture atlas glyph g's cell is coloured rgb(17 g, 255 - 17 g, 64 or 192).
void expectGlyph(int glyph, int blue, int x, int y) {
  SCOPED_TRACE(testing::Message() << "glyph " << glyph << " at " << x << "," << y);
  EXPECT_RGB(glyph * 17, 255 - glyph * 17, blue, pixelAt(x, y));
}

class Digits : public testing::Test {
 protected:
  void SetUp() override {
    if (!test::ensureGlContext()) GTEST_SKIP() << "no DISPLAY";
    atlas = std::make_shared<Texture>(test::fixturePath("digits.png"), false);
    test::begin2D();
  }
  std::shared_ptr<Texture> atlas;
};

TEST_F(Digits, SmallNumberShowsTheLastDigits) {
  drawSmallNumber(1234, 3, {-100, 0}, 1, 1, 1, 1, atlas);
  expectGlyph(2, 192, -100 + 12, 20);
  expectGlyph(3, 192, -100 + 22 + 12, 20);
  expectGlyph(4, 192, -100 + 44 + 12, 20);
  EXPECT_RGB(0, 0, 0, pixelAt(-100 + 66 + 8, 20));  // no fourth digit
  EXPECT_RGB(0, 0, 0, pixelAt(-103, 20));
}

TEST_F(Digits, LargeNumberPadsWithZeros) {
  drawLargeNumber(7, 2, {0, -100}, 1, 1, 1, 1, atlas);
  expectGlyph(0, 64, 20, -100 + 34);
  expectGlyph(7, 64, 42 + 22, -100 + 34);
  EXPECT_RGB(0, 0, 0, pixelAt(20, -100 + 72));
}

TEST_F(Digits, SingleGlyphsAndGridPlaces) {
  // Glyph 4 is row 4 of the first column, 5 is row 0 of the second; 10, 11
  // and 13 are the separator, dash and percent sign of the third column.
  const int glyphs[] = {4, 5, 9, 10, 11, 13};
  for (int i = 0; i < 6; ++i) {
    drawDigit(glyphs[i], {-300.0f + i * 50.0f, 100}, kLargeDigits.glyph, kLargeDigits.origin, 1, 1,
              1, 1, atlas);
    expectGlyph(glyphs[i], 64, -300 + i * 50 + 21, 134);
  }
  drawSmallNumber(6, 1, {200, 200}, 1, 1, 1, 1, atlas);
  expectGlyph(6, 192, 212, 220);
  drawLargeNumber(13, 1, {300, 100}, 1, 1, 1, 1, atlas);  // one glyph: the percent sign
  expectGlyph(13, 64, 321, 134);
}

TEST_F(Digits, ColourAndDegenerateCounts) {
  drawSmallNumber(5, 0, {0, 0}, 1, 1, 1, 1, atlas);
  drawSmallNumber(5, -2, {0, 0}, 1, 1, 1, 1, atlas);
  drawDigit(15, {0, 0}, kSmallDigits.glyph, kSmallDigits.origin, 1, 1, 1, 1, atlas);
  drawDigit(-1, {0, 0}, kSmallDigits.glyph, kSmallDigits.origin, 1, 1, 1, 1, atlas);
  EXPECT_RGB(0, 0, 0, pixelAt(12, 20));
  // Negative values show their magnitude's digits.
  drawSmallNumber(-42, 2, {0, 100}, 1, 1, 1, 1, atlas);
  expectGlyph(4, 192, 12, 120);
  expectGlyph(2, 192, 34, 120);
  // The colour multiplies the glyph.
  drawSmallNumber(0, 1, {-200, 100}, 0, 1, 0, 1, atlas);
  EXPECT_RGB(0, 255, 0, pixelAt(-188, 120));
}

}  // namespace
}  // namespace orb
