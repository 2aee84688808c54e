#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

TEST(WindowPlacement, ClampsToTheScreenAndCentres) {
  const WindowPlacement p = WindowPlacement::compute(960, 640, 1000, 2000);
  EXPECT_EQ(p.width, 920);
  EXPECT_EQ(p.x, 36);
  EXPECT_EQ(p.resetX, 16);
  EXPECT_EQ(p.height, 640);
  EXPECT_EQ(p.y, (2000 - 640 - 16) / 2);
  EXPECT_EQ(p.resetY, (2000 - 656) / 2);
}

TEST(WindowPlacement, SmallScreenGivesANegativeResetPosition) {
  const WindowPlacement p = WindowPlacement::compute(960, 640, 900, 600);
  EXPECT_EQ(p.resetX, (900 - 968) / 2);
  EXPECT_LT(p.resetX, 0);
  EXPECT_EQ(p.width, 820);
  EXPECT_EQ(p.height, 520);
}

TEST(WindowPlacement, UnknownScreenSizeLeavesThePositionToTheSystem) {
  const WindowPlacement p = WindowPlacement::compute(5000, 640, 0, -1);
  EXPECT_EQ(p.width, 5000);
  EXPECT_EQ(p.x, -1);
  EXPECT_EQ(p.y, -1);
  EXPECT_EQ(p.resetX, 0);
  EXPECT_EQ(p.resetY, 0);
}

TEST(Viewport, LetterBoxesToTheAuthoredAspect) {
  struct Row {
    const char* name;
    int w, h;
    Viewport expected;
  };
  const Row rows[] = {
      {"wide window", 1000, 500, {125, 0, 750, 500}},
      {"tall window", 600, 800, {0, 200, 600, 400}},
      {"exact", 960, 640, {0, 0, 960, 640}},
      {"rounding", 801, 600, {0, 33, 801, 534}},
  };
  for (const Row& r : rows) {
    const Viewport v = Viewport::fit(r.w, r.h, 1.5f);
    EXPECT_EQ(v.x, r.expected.x) << r.name;
    EXPECT_EQ(v.y, r.expected.y) << r.name;
    EXPECT_EQ(v.width, r.expected.width) << r.name;
    EXPECT_EQ(v.height, r.expected.height) << r.name;
  }
}

}  // namespace
}  // namespace orb
