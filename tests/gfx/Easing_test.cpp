#include "gfx/Easing.h"

#include <gtest/gtest.h>

#include "gfx/KeyframeTrack.h"

namespace orb {
namespace {

TEST(Easing, EveryCurveStartsAtBAndEndsAtBPlusC) {
  for (int i = 0; i < kEaseCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(3.0f, ease(i, 0.0f, 3.0f, -5.0f, 2.0f), 1e-5f);
    EXPECT_NEAR(-2.0f, ease(i, 2.0f, 3.0f, -5.0f, 2.0f), 1e-4f);
  }
}

TEST(Easing, InOutCurvesPassTheMiddleHalfway) {
  for (int i : {0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30}) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(15.0f, ease(i, 0.5f, 10.0f, 10.0f, 1.0f), 1e-4f);
  }
}

TEST(Easing, OutCurvesMirrorTheirInCurves) {
  // out(t) = b + c - (in(d - t) - b): catches a sign or offset slip in either.
  const int pairs[][2] = {{1, 2}, {4, 5}, {7, 8}, {10, 11}, {13, 14},
                          {16, 17}, {19, 20}, {22, 23}, {25, 26}, {28, 29}};
  for (const auto& pair : pairs) {
    SCOPED_TRACE(pair[0]);
    for (float t : {0.1f, 0.37f, 0.5f, 0.8f, 1.3f}) {
      const float in = ease(pair[0], 1.5f - t, 1.0f, 4.0f, 1.5f);
      const float out = ease(pair[1], t, 1.0f, 4.0f, 1.5f);
      EXPECT_NEAR(out, 1.0f + 4.0f - (in - 1.0f), 2e-4f) << "t " << t;
    }
  }
}

TEST(Easing, KnownValues) {
  struct Row {
    const char* name;
    int index;
    float p, expect;  // b = 0, c = 1, d = 1
  } rows[] = {
      {"bounce out at the half", 5, 0.5f, 0.765625f},
      {"quad out", 20, 0.5f, 0.75f},
      {"cubic out", 11, 0.5f, 0.875f},
      {"quint out", 26, 0.5f, 0.96875f},
      {"sine out", 29, 0.5f, 0.70710677f},
      {"circ out", 8, 0.6f, 0.9165151f},
      {"back in dips below the start", 1, 0.2f, -0.04645056f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(row.expect, ease(row.index, row.p, 0.0f, 1.0f, 1.0f), 1e-5f);
  }
}

TEST(Easing, BackOvershootsAndElasticOscillates) {
  EXPECT_GT(ease(2, 0.6f, 0.0f, 1.0f, 1.0f), 1.05f);
  float lo = 1.0f, hi = 1.0f;
  for (int k = 1; k < 100; ++k) {
    const float v = ease(14, k / 100.0f, 0.0f, 1.0f, 1.0f);
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  EXPECT_GT(hi, 1.2f);
  EXPECT_LT(lo, 1.0f);
  // Bounce never leaves the range.
  for (int k = 0; k <= 100; ++k) {
    const float v = ease(5, k / 100.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_GE(v, -1e-6f);
    EXPECT_LE(v, 1.0f + 1e-6f);
  }
}

TEST(Easing, TweenClampsTimeAndHandlesZeroDuration) {
  float v = 99;
  tween(v, -1.0f, 2.0f, 6.0f, 1.0f, 11);
  EXPECT_EQ(2.0f, v);
  tween(v, 5.0f, 2.0f, 6.0f, 1.0f, 11);
  EXPECT_EQ(6.0f, v);
  for (int i = 0; i < kEaseCount; ++i) {
    tween(v, 0.0f, 2.0f, 6.0f, 0.0f, i);
    EXPECT_EQ(6.0f, v) << "zero duration gives the end, curve " << i;
  }
  EXPECT_FLOAT_EQ(3.0f, tweened(0.25f, 2.0f, 6.0f, 1.0f, 99)) << "unknown curve is linear";
  EXPECT_FLOAT_EQ(3.0f, tweened(0.25f, 2.0f, 6.0f, 1.0f, -1));

  Vec2<float> v2;
  tween2(v2, 0.5f, {0, 10}, {4, 20}, 1.0f, 0);
  EXPECT_EQ(Vec2<float>(2, 15), v2);
  Vec3 v3;
  tween3(v3, 2.0f, {0, 0, 0}, {1, 2, 3}, 1.0f, 19);
  EXPECT_EQ(Vec3(1, 2, 3), v3);
}

TEST(KeyframeTrack, TwoSegments) {
  picojson::value keys;
  ASSERT_TRUE(picojson::parse(keys, "[[0,0,1,1,0.5],[1,1,1,0,0.5]]").empty());
  KeyframeTrack track;
  buildTrack(0, keys, track, false);
  ASSERT_EQ(2u, track.segments.size());
  EXPECT_FLOAT_EQ(1.0f, track.total);

  Vec2<float> v;
  EXPECT_TRUE(evaluateTrack(track, v, 0.75f));
  EXPECT_FLOAT_EQ(1.0f, v.x);
  EXPECT_FLOAT_EQ(0.5f, v.y) << "second segment at local time 0.25";
  EXPECT_TRUE(evaluateTrack(track, v, 0.25f));
  EXPECT_EQ(Vec2<float>(0.5f, 0.5f), v);
  EXPECT_TRUE(evaluateTrack(track, v, 1.0f)) << "just reached the end";
  EXPECT_FALSE(evaluateTrack(track, v, 1.2f));
  EXPECT_EQ(Vec2<float>(1, 0), v);
  EXPECT_TRUE(evaluateTrack(track, v, -3.0f));
  EXPECT_EQ(Vec2<float>(0, 0), v);
}

TEST(KeyframeTrack, AppendEasingAndBadRows) {
  picojson::value first, second;
  ASSERT_TRUE(picojson::parse(first, "[[0,0,2,0,1]]").empty());
  ASSERT_TRUE(picojson::parse(second, R"([[2,0,2,4,1], [1,2,3], "x", [1,2,3,4,"5"]])").empty());
  KeyframeTrack track;
  buildTrack(19, first, track, false);
  buildTrack(19, second, track, true);
  ASSERT_EQ(2u, track.segments.size()) << "short or non-numeric rows are skipped";
  EXPECT_FLOAT_EQ(2.0f, track.total);
  Vec2<float> v;
  evaluateTrack(track, v, 0.5f);
  EXPECT_FLOAT_EQ(0.5f, v.x) << "quad in at the half";
  buildTrack(0, first, track, false);
  EXPECT_EQ(1u, track.segments.size());
  EXPECT_FLOAT_EQ(1.0f, track.total);

  KeyframeTrack empty;
  Vec2<float> untouched(7, 7);
  EXPECT_FALSE(evaluateTrack(empty, untouched, 0.1f));
  EXPECT_EQ(Vec2<float>(7, 7), untouched);
}

}  // namespace
}  // namespace orb
