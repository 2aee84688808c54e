#include "gfx/GrpSprite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "PixelProbe.h"
#include "gfx/InkBounds.h"
#include "gfx/PngImage.h"

namespace orb {
namespace {

using test::pixelAt;

GrpSprite quadrantSprite(const std::shared_ptr<Texture>& tex) {
  GrpSprite s;
  s.texture = tex;
  s.x = -100;
  s.y = -60;
  s.width = 80;  // twice the image size
  s.height = 48;
  s.srcX0 = 0;
  s.srcY0 = 0;
  s.srcX1 = 40;
  s.srcY1 = 24;
  s.r = s.g = s.b = s.a = 1;
  return s;
}

TEST(GrpSprite, ShowsItsImageUpright) {
  ORB_REQUIRE_GL();
  auto tex = std::make_shared<Texture>(test::fixturePath("quadrants.png"), false);
  test::begin2D();
  quadrantSprite(tex).draw();
  EXPECT_RGB(255, 0, 0, pixelAt(-90, -50));    // top-left red
  EXPECT_RGB(0, 255, 0, pixelAt(-30, -50));    // top-right green
  EXPECT_RGB(0, 0, 255, pixelAt(-90, -22));    // bottom-left blue
  EXPECT_RGB(255, 255, 255, pixelAt(-30, -22));
  EXPECT_RGB(0, 0, 0, pixelAt(-102, -50));     // nothing outside
  EXPECT_RGB(0, 0, 0, pixelAt(-90, -10));
}

TEST(GrpSprite, FlipsAndReversedSourcesMirror) {
  ORB_REQUIRE_GL();
  auto tex = std::make_shared<Texture>(test::fixturePath("quadrants.png"), false);
  struct Row {
    const char* name;
    bool flipH, flipV, reversedX;
    test::Rgb topLeft;
  } rows[] = {
      {"flipH mirrors left to right", true, false, false, {0, 255, 0}},
      {"flipV mirrors top to bottom", false, true, false, {0, 0, 255}},
      {"both flips turn it half round", true, true, false, {255, 255, 255}},
      {"srcX0 > srcX1 mirrors like flipH", false, false, true, {0, 255, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    test::begin2D();
    GrpSprite s = quadrantSprite(tex);
    s.flipH = row.flipH;
    s.flipV = row.flipV;
    if (row.reversedX) std::swap(s.srcX0, s.srcX1);
    s.draw();
    EXPECT_RGB(row.topLeft.r, row.topLeft.g, row.topLeft.b, pixelAt(-90, -50));
  }
}

TEST(GrpSprite, TransformColourAndNearestFiltering) {
  ORB_REQUIRE_GL();
  auto tex = std::make_shared<Texture>(test::fixturePath("quadrants.png"), false);
  test::begin2D();
  GrpSprite s = quadrantSprite(tex);
  // Pivot at the middle, rotated a half turn about it: red ends bottom-right.
  s.x = 0;
  s.y = 0;
  s.pivotX = 40;
  s.pivotY = 24;
  s.rotation = 3.1415927f;
  s.g = 0.5f;
  s.smooth = false;
  s.draw();
  EXPECT_RGB(255, 0, 0, pixelAt(30, 15));
  EXPECT_RGB(0, 0, 255, pixelAt(30, -15));
  EXPECT_RGB(255, 128, 255, pixelAt(-30, -15));  // white times the colour
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
  EXPECT_EQ(GL_NEAREST, filter);
  // The model-view matrix is left as it was.
  GLdouble mv[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  EXPECT_EQ(1.0, mv[0]);
  EXPECT_EQ(0.0, mv[12]);
}

// A sprite drawn at its own size on whole pixels shows each texel on one
// pixel, whichever filter draws it; anywhere else it must still be filtered.
TEST(GrpSprite, OnWholePixelsEachTexelIsOnePixel) {
  ORB_REQUIRE_GL();
  const std::string path = test::sourceDir() + "devdata/game.png";
  PngImage image;
  std::string error;
  ASSERT_TRUE(image.load(path, error)) << error;
  auto atlas = std::make_shared<Texture>(path, false);
  // The large digits "0" to "4": glyph edges with every shade of alpha.
  const int u = 2, v = 2, w = 43, h = 5 * 69;
  test::begin2D();
  GrpSprite s;
  s.texture = atlas;
  s.x = -100;
  s.y = -150;
  s.width = w;
  s.height = h;
  s.srcX0 = u;
  s.srcY0 = v;
  s.srcX1 = u + w;
  s.srcY1 = v + h;
  s.r = s.g = s.b = s.a = 1;
  s.draw();
  int worst = 0;
  for (int y = 0; y < h; y += 3) {
    for (int x = 0; x < w; ++x) {
      const unsigned char* t = &image.pixels[(static_cast<std::size_t>(v + y) * image.width + u + x) * 4];
      const test::Rgb px = pixelAt(-100 + x, -150 + y);  // over black
      const int expected = (t[1] * t[3] + 127) / 255;
      worst = std::max(worst, std::abs(px.g - expected));
    }
  }
  EXPECT_LE(worst, 1);

  // Half a pixel off, or scaled, the quadrants' red-green edge is blended.
  auto tex = std::make_shared<Texture>(test::fixturePath("quadrants.png"), false);
  for (float shift : {0.5f, 0.0f}) {
    test::begin2D();
    GrpSprite q = quadrantSprite(tex);
    q.width = shift > 0.0f ? 40.0f : 60.0f;
    q.x = -100.0f + shift;
    q.draw();
    const int edge = shift > 0.0f ? -80 : -70;  // the pixel the edge crosses
    const test::Rgb px = pixelAt(edge, -50);
    EXPECT_GT(px.r, 40) << "shift " << shift;
    EXPECT_GT(px.g, 40) << "shift " << shift;
  }
}

// Sprites are drawn over the inked part of their cell only: the picture must
// be the whole quad's, however the sprite is placed, scaled or mirrored.
TEST(GrpSprite, DrawingOnlyTheInkChangesNoPixel) {
  ORB_REQUIRE_GL();
  auto atlas = std::make_shared<Texture>(test::sourceDir() + "devdata/game.png", false);
  ASSERT_TRUE(atlas->ink.known());
  const InkBounds ink = atlas->ink;
  auto frame = [&](bool trimmed, GrpSprite sprite) {
    atlas->ink = trimmed ? ink : InkBounds{};
    test::begin2D();
    sprite.draw();
    return test::readFrame();
  };
  struct Case {
    float x, y, scale, rotation;
    bool flipH, reversed;
    int blendMode;
  };
  const Case cases[] = {
      {-200.0f, -100.0f, 1.0f, 0.0f, false, false, 0},  // a HUD digit on whole pixels
      {10.3f, 20.6f, 1.37f, 0.0f, false, false, 0},     // growing in, between pixels
      {-50.5f, 0.25f, 0.8f, 0.4f, true, false, 1},      // mirrored, turned, additive
      {100.0f, -200.0f, 2.0f, 0.0f, false, true, 0},    // a reversed source
  };
  // The large "3" (its cell touches its neighbours) and the small "9".
  const float cells[][4] = {{2, 209, 45, 278}, {157, 162, 182, 202}};
  for (const auto& cell : cells) {
    for (const Case& c : cases) {
      GrpSprite s;
      s.texture = atlas;
      s.x = c.x;
      s.y = c.y;
      s.width = (cell[2] - cell[0]) * c.scale;
      s.height = (cell[3] - cell[1]) * c.scale;
      s.srcX0 = c.reversed ? cell[2] : cell[0];
      s.srcX1 = c.reversed ? cell[0] : cell[2];
      s.srcY0 = cell[1];
      s.srcY1 = cell[3];
      s.flipH = c.flipH;
      s.rotation = c.rotation;
      s.blendMode = c.blendMode;
      s.r = s.g = s.b = s.a = 1;
      const auto whole = frame(false, s);
      const auto inked = frame(true, s);
      int lit = 0;
      for (std::size_t i = 0; i < whole.size(); i += 4) lit += whole[i] > 0;
      EXPECT_LE(test::largestDifference(whole, inked), 1) << "cell at " << cell[0] << ", " << cell[1] << ", sprite at " << c.x << ", " << c.y;
      EXPECT_GT(lit, 50);  // the glyph was drawn
    }
  }
  atlas->ink = ink;
}

TEST(GrpSprite, WithoutATextureNothingIsDrawn) {
  ORB_REQUIRE_GL();
  test::begin2D();
  GrpSprite s = quadrantSprite(nullptr);
  s.draw();
  testing::internal::CaptureStderr();
  s.texture = std::make_shared<Texture>(test::fixturePath("missing.png"), false);
  testing::internal::GetCapturedStderr();
  s.draw();
  EXPECT_RGB(0, 0, 0, pixelAt(-90, -50));
}

}  // namespace
}  // namespace orb
