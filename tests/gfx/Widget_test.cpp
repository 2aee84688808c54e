#include "gfx/Widget.h"

#include <gtest/gtest.h>

#include "PixelProbe.h"
#include "gfx/Game2DSetup.h"
#include "gfx/WidgetSet.h"

namespace orb {
namespace {

picojson::value parse(const std::string& text) {
  picojson::value v;
  const std::string err = picojson::parse(v, text);
  EXPECT_TRUE(err.empty()) << err;
  return v;
}

const int kScreen[2] = {640, 480};

Widget widget(const std::string& extra) {
  return Widget(parse(R"({"pos":[0,0],"size":[100,40],"uv":[8,16],"col":[1,1,1,1])" + extra + "}"),
                nullptr, kScreen);
}

TEST(Widget, TopLeftWithEachAnchoring) {
  struct Row {
    const char* name;
    const char* extra;
    float left, top;
  } rows[] = {
      {"centred", "", -50, -20},
      {"x_layout -1 anchors left", R"(,"x_layout":-1)", -370, -20},
      {"x_layout 0 also anchors left", R"(,"x_layout":0)", -370, -20},
      {"x_layout 1 anchors right", R"(,"x_layout":1)", 270, -20},
      {"y_layout -1 anchors top", R"(,"y_layout":-1)", -50, -260},
      {"y_layout 1 anchors bottom", R"(,"y_layout":1)", -50, 220},
      {"both edges", R"(,"x_layout":1,"y_layout":1)", 270, 220},
      {"explicit centre", R"(,"center":[10,5])", -10, -5},
      {"centre as a number is auto", R"(,"center":3)", -50, -20},
      {"layout given as text is ignored", R"(,"x_layout":"left")", -50, -20},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Widget w = widget(row.extra);
    EXPECT_EQ(Vec2<float>(row.left, row.top), w.topLeft());
  }
}

TEST(Widget, ReadsItsParameters) {
  const Widget w = widget(R"(,"center":[4,6],"scale":[2,0.5],"id":7,"x_layout":1)");
  EXPECT_FALSE(w.autoCenter);
  EXPECT_EQ(4, w.centerX);
  EXPECT_EQ(2, w.scaleX);
  EXPECT_EQ(0.5f, w.scaleY);
  EXPECT_EQ(7, w.id);
  EXPECT_EQ(4, w.baseCenterX);
  const Widget plain = widget("");
  EXPECT_TRUE(plain.autoCenter);
  EXPECT_EQ(1, plain.scaleX);
  EXPECT_EQ(0, plain.layoutFlags);
  EXPECT_EQ(0, plain.id);
}

TEST(Widget, ContainsIncludesTheRightAndBottomEdges) {
  const Widget w = widget(R"(,"x_layout":-1)");  // spans x -370..-270, y -20..20
  struct Row {
    const char* name;
    Vec2<float> p;
    bool inside;
  } rows[] = {
      {"left edge", {-370, 0}, true},
      {"right edge", {-270, 0}, true},
      {"bottom edge", {-300, 20}, true},
      {"top-left corner", {-370, -20}, true},
      {"just past the right", {-269.9f, 0}, false},
      {"just below", {-300, 20.1f}, false},
      {"the unanchored spot", {0, 0}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.inside, w.contains(row.p));
  }
}

TEST(WidgetSet, BuildsEveryMemberWithItsAtlas) {
  ORB_REQUIRE_GL();
  TextureCache cache;
  const picojson::value params = parse(R"({
    "b_btn": {"texture": "quadrants.png", "pos": [0, 0], "size": [20, 12], "uv": [20, 0],
              "col": [1, 1, 1, 1]},
    "a_btn": {"texture": "quadrants.png", "pos": [5, 5], "size": [20, 12], "uv": [0, 0],
              "col": [1, 1, 1, 1], "y_layout": 1}
  })");
  const WidgetSet set(params, cache, test::sourceDir() + "tests/gfx/fixtures/", kScreen);
  ASSERT_EQ(2u, set.size());
  EXPECT_EQ("a_btn", set.begin()->first);
  ASSERT_TRUE(set.get("a_btn"));
  EXPECT_EQ(set.get("a_btn")->texture, set.get("b_btn")->texture);
  EXPECT_EQ(40, set.get("a_btn")->texture->width);
  EXPECT_EQ(1u, cache.size());
  testing::internal::CaptureStderr();
  EXPECT_EQ(nullptr, set.get("missing"));
  EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("missing"));
}

TEST(Widget, DrawsItsAtlasRectangleAtTheAnchoredPlace) {
  ORB_REQUIRE_GL();
  TextureCache cache;
  const int screen[2] = {test::kGlWidth, test::kGlHeight};
  const picojson::value params = parse(R"({
    "green": {"texture": "quadrants.png", "pos": [30, 26], "size": [20, 12], "uv": [20, 0],
              "col": [1, 1, 1, 1], "x_layout": -1, "y_layout": -1}
  })");
  const WidgetSet set(params, cache, test::sourceDir() + "tests/gfx/fixtures/", screen);
  Camera cam(Camera::kOrtho2D);
  cam.halfWidth = test::kGlWidth;
  cam.halfHeight = test::kGlHeight;
  test::begin2D();
  Game2DSetup setup(cam);
  setup.draw();
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(setup.alive());
  set.get("green")->draw();
  // Top-left at (-480 + 30 - 10, -320 + 26 - 6) = (-460, -300).
  EXPECT_RGB(0, 255, 0, test::pixelAt(-459, -299));
  EXPECT_RGB(0, 255, 0, test::pixelAt(-442, -290));
  EXPECT_RGB(0, 0, 0, test::pixelAt(-462, -299));
  EXPECT_RGB(0, 0, 0, test::pixelAt(-438, -299));
  EXPECT_TRUE(set.get("green")->contains({-460, -300}));
}

}  // namespace
}  // namespace orb
