// The untextured and corner-mapped primitives: round box, fan, dashed circle,
// line, and the blend-mode table they share.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "PixelProbe.h"
#include "gfx/BlendMode.h"
#include "gfx/GrpDashedCircle.h"
#include "gfx/GrpFan.h"
#include "gfx/GrpLine.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/MathConstants.h"

namespace orb {
namespace {

using test::pixelAt;

TEST(GrpRoundBox, MirrorsTheCornerIntoAllFour) {
  ORB_REQUIRE_GL();
  auto corner = std::make_shared<Texture>(test::fixturePath("corner.png"), false);
  test::begin2D();
  GrpRoundBox box;
  box.texture = corner;
  box.x = -50;
  box.y = -30;
  box.width = 60;  // up to twice the 32-pixel corner image
  box.height = 50;
  box.r = 1;
  box.g = 0.5f;
  box.b = 0;
  box.a = 1;
  box.draw();
  EXPECT_RGB(255, 128, 0, pixelAt(-20, -5));  // middle
  EXPECT_RGB(255, 128, 0, pixelAt(-45, -5));  // near the left edge, away from corners
  // Each corner is cut by the transparent triangle.
  EXPECT_RGB(0, 0, 0, pixelAt(-49, -29));
  EXPECT_RGB(0, 0, 0, pixelAt(8, -29));
  EXPECT_RGB(0, 0, 0, pixelAt(-49, 18));
  EXPECT_RGB(0, 0, 0, pixelAt(8, 18));
  // Just inside the diagonal is opaque.
  EXPECT_RGB(255, 128, 0, pixelAt(-42, -22));
  EXPECT_RGB(255, 128, 0, pixelAt(1, 11));
}

// The panel image's flat centre lets a box fill its middle without the texture:
// the picture must be the fan's, for any size, position, scale and tint.
TEST(GrpRoundBox, SlicedBoxDrawsWhatTheFanDrew) {
  ORB_REQUIRE_GL();
  auto panel = std::make_shared<Texture>(test::sourceDir() + "devdata/round.png", false);
  ASSERT_TRUE(panel->flatCentre.found());
  EXPECT_LE(panel->flatCentre.margin, 16);
  const FlatCentre flat = panel->flatCentre;
  auto frame = [&](bool sliced, const GrpRoundBox& box, float scale) {
    panel->flatCentre = sliced ? flat : FlatCentre{};
    test::begin2D();
    glScalef(scale, scale, 1.0f);
    GrpRoundBox drawn = box;
    drawn.texture = panel;
    drawn.draw();
    return test::readFrame();
  };
  struct Case {
    float x, y, width, height, scale, r, g, b, a;
  };
  const Case cases[] = {
      {-185.0f, -255.0f, 370.0f, 510.0f, 1.0f, 1, 1, 1, 1},            // the results panel
      {-185.3f, -250.7f, 370.0f, 510.0f, 0.83f, 1, 1, 1, 0.6f},        // growing in, fading
      {100.5f, 100.25f, 181.0f, 97.0f, 1.37f, 0.5f, 0.8f, 1.0f, 0.9f},  // a tinted HUD panel
      {-20.0f, -20.0f, 16.0f, 15.0f, 1.0f, 1, 1, 1, 1},                 // barely room for a middle
  };
  for (const Case& c : cases) {
    GrpRoundBox box;
    box.x = c.x;
    box.y = c.y;
    box.width = c.width;
    box.height = c.height;
    box.r = c.r;
    box.g = c.g;
    box.b = c.b;
    box.a = c.a;
    const auto fan = frame(false, box, c.scale);
    const auto sliced = frame(true, box, c.scale);
    int lit = 0;
    for (std::size_t i = 2; i < fan.size(); i += 4) lit += fan[i] > 0;
    EXPECT_LE(test::largestDifference(fan, sliced), 1) << "box " << c.width << " x " << c.height << " at scale " << c.scale;
    EXPECT_GT(lit, static_cast<int>(0.5f * c.width * c.height * c.scale * c.scale));  // the box was drawn
  }
  panel->flatCentre = flat;
}

TEST(GrpFan, StartsAlongPlusYAndSweepsTowardsPlusX) {
  ORB_REQUIRE_GL();
  test::begin2D();
  GrpFan fan;
  fan.radiusX = fan.radiusY = 100;
  fan.filled = true;
  fan.sweep = kHalfPi;
  fan.r = fan.a = 1;
  fan.draw();
  EXPECT_RGB(255, 0, 0, pixelAt(30, 30));    // down-right quarter
  EXPECT_RGB(0, 0, 0, pixelAt(-30, 30));
  EXPECT_RGB(0, 0, 0, pixelAt(30, -30));
  EXPECT_RGB(0, 0, 0, pixelAt(-30, -30));
  EXPECT_RGB(0, 0, 0, pixelAt(80, 80));      // outside the radius

  test::begin2D();
  fan.sweep = kTwoPi;
  fan.segments = 32;
  fan.draw();
  for (const auto& p : {std::pair{30, 30}, {-30, 30}, {30, -30}, {-60, -60}}) {
    SCOPED_TRACE(p.first);
    EXPECT_RGB(255, 0, 0, pixelAt(p.first, p.second));
  }
  fan.segments = 0;
  test::begin2D();
  fan.draw();
  EXPECT_RGB(0, 0, 0, pixelAt(30, 30));  // no segments, nothing drawn
}

TEST(GrpFan, TexturedTakesCentreAndRimTexels) {
  ORB_REQUIRE_GL();
  auto tex = std::make_shared<Texture>(test::fixturePath("quadrants.png"), false);
  test::begin2D();
  GrpFan fan;
  fan.texture = tex;
  fan.textured = true;
  fan.filled = true;
  fan.smooth = false;
  fan.radiusX = fan.radiusY = 100;
  fan.sweep = kTwoPi;
  fan.segments = 32;
  fan.srcX0 = 5;  // red
  fan.srcY0 = 5;
  fan.srcX1 = 35;  // white
  fan.srcY1 = 20;
  fan.r = fan.g = fan.b = fan.a = 1;
  fan.draw();
  EXPECT_RGB(255, 0, 0, pixelAt(0, 0));
  EXPECT_RGB(255, 255, 255, pixelAt(0, 97));
}

TEST(GrpDashedCircle, EightDashesFromPlusY) {
  ORB_REQUIRE_GL();
  test::begin2D();
  GrpDashedCircle circle;
  circle.radiusX = circle.radiusY = 100;
  circle.dashes = 8;
  circle.lineWidth = 5;
  circle.g = circle.a = 1;
  circle.draw();
  const auto at = [](float degrees) {
    const float a = degrees * kDegToRad;
    return pixelAt(static_cast<int>(std::lround(std::sin(a) * 98.0f)),
                   static_cast<int>(std::lround(std::cos(a) * 98.0f)));
  };
  for (int k = 0; k < 8; ++k) {
    SCOPED_TRACE(k);
    EXPECT_RGB(0, 255, 0, at(45.0f * k + 11.25f));  // middle of dash k (a chord)
    EXPECT_RGB(0, 0, 0, at(45.0f * k + 33.75f));    // middle of the gap after it
  }
}

TEST(GrpLine, DrawsBetweenItsEnds) {
  ORB_REQUIRE_GL();
  test::begin2D();
  GrpLine line;
  line.x = -100;
  line.y = 40;
  line.endX = 200;
  line.lineWidth = 3;
  line.b = line.a = 1;
  line.draw();
  EXPECT_RGB(0, 0, 255, pixelAt(0, 40));
  EXPECT_RGB(0, 0, 0, pixelAt(0, 45));
  EXPECT_RGB(0, 0, 0, pixelAt(110, 40));
}

TEST(BlendMode, TableAndUnknownModes) {
  ORB_REQUIRE_GL();
  struct Row {
    int mode;
    GLint src, dst;
  } rows[] = {{0, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
              {1, GL_SRC_ALPHA, GL_ONE},
              {2, GL_ONE_MINUS_DST_COLOR, GL_ZERO},
              {3, GL_ONE_MINUS_DST_COLOR, GL_ONE_MINUS_SRC_COLOR},
              {4, GL_ZERO, GL_ONE_MINUS_SRC_COLOR},
              {5, GL_DST_COLOR, GL_ONE}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    applyBlendMode(row.mode);
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC_RGB, &src);
    glGetIntegerv(GL_BLEND_DST_RGB, &dst);
    EXPECT_EQ(row.src, src);
    EXPECT_EQ(row.dst, dst);
    // A mode past the table keeps what was set last.
    applyBlendMode(6);
    applyBlendMode(-1);
    glGetIntegerv(GL_BLEND_SRC_RGB, &src);
    glGetIntegerv(GL_BLEND_DST_RGB, &dst);
    EXPECT_EQ(row.src, src);
    EXPECT_EQ(row.dst, dst);
  }
}

// Sprites skip their draw when the blend would leave every pixel as it was:
// check that claim against what GL really does with each mode.
TEST(BlendMode, SkippedDrawsWouldHaveChangedNothing) {
  ORB_REQUIRE_GL();
  const float alphas[] = {0.0f, 0.0015f, 0.003f, 0.5f};
  for (int mode = 0; mode < kBlendModeCount; ++mode) {
    for (float alpha : alphas) {
      SCOPED_TRACE(::testing::Message() << "mode " << mode << ", alpha " << alpha);
      test::begin2D();
      glClearColor(0.4f, 0.4f, 0.4f, 1.0f);
      glClear(GL_COLOR_BUFFER_BIT);
      glDisable(GL_TEXTURE_2D);
      applyBlendMode(mode);
      glColor4f(0.9f, 0.2f, 0.6f, alpha);
      glRectf(-10.0f, -10.0f, 10.0f, 10.0f);
      const test::Rgb px = pixelAt(0, 0);
      const bool unchanged = px.r == 102 && px.g == 102 && px.b == 102;
      if (drawsNothing(mode, alpha)) {
        EXPECT_TRUE(unchanged) << px.r << " " << px.g << " " << px.b;
      } else if (alpha == 0.0f) {
        EXPECT_FALSE(unchanged);  // the modes that act without alpha are not skipped
      }
    }
  }
  glClearColor(0, 0, 0, 1);
}

}  // namespace
}  // namespace orb
