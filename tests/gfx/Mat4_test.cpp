#include "gfx/Mat4.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gfx/MathConstants.h"

namespace orb {
namespace {

void expectVec(const Vec3& expected, const Vec3& actual, float tol = 1e-5f) {
  EXPECT_NEAR(expected.x, actual.x, tol);
  EXPECT_NEAR(expected.y, actual.y, tol);
  EXPECT_NEAR(expected.z, actual.z, tol);
}

TEST(Mat4, FromQuatRotatesLikeTheAxisAngle) {
  struct Row {
    const char* name;
    float angle;
    Vec3 axis, in, out;
  } rows[] = {
      {"quarter about z takes x to y", kHalfPi, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
      {"quarter about y takes z to x", kHalfPi, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
      {"quarter about x takes y to z", kHalfPi, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {"half turn about y flips x", kPi, {0, 1, 0}, {2, 3, 0}, {-2, 3, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const Mat4 m = Mat4::fromQuat(Quat::fromAxisAngle(row.angle, row.axis));
    expectVec(row.out, m.transformPoint(row.in));
    EXPECT_EQ(0.0, m[12]);
    EXPECT_EQ(1.0, m[15]);
  }
}

TEST(Mat4, InvertRotationUndoesTheRotation) {
  Quat q = Quat::fromAxisAngle(0.8f, Vec3(1, 2, -0.5f));
  q.normalize();
  const Mat4 m = Mat4::fromQuat(q);
  Mat4 inv = m;
  ASSERT_TRUE(inv.invertRotation());
  const Vec3 p(0.3f, -1.2f, 2.0f);
  expectVec(p, inv.transformPoint(m.transformPoint(p)));
  // For a rotation the inverse is the transpose.
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) EXPECT_NEAR(m[c * 4 + r], inv[r * 4 + c], 1e-6);
}

TEST(Mat4, InvertRotationStoresTheAdjugate) {
  // A general matrix: m * adj(m) = det(m) * I.
  Mat4 m;
  const double values[16] = {2, 1, 0, 0, 0, 3, 1, 0, 1, 0, 4, 0, 5, -1, 2, 1};
  for (int i = 0; i < 16; ++i) m[i] = values[i];
  Mat4 adj = m;
  ASSERT_TRUE(adj.invertRotation());
  const double det = 2 * (3 * 4 - 1 * 0) - 0 * (1 * 4 - 0) + 1 * (1 * 1 - 0 * 3);  // 25
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += m[k * 4 + r] * adj[c * 4 + k];
      EXPECT_NEAR(r == c ? det : 0.0, sum, 1e-9) << "row " << r << " col " << c;
    }
  }
}

TEST(Mat4, SingularMatrixIsLeftUnchanged) {
  Mat4 m;
  m[5] = 0;  // a zero row
  m[12] = 4;
  const Mat4 before = m;
  EXPECT_FALSE(m.invertRotation());
  EXPECT_EQ(before.m, m.m);
}

TEST(Quat, ProductAppliesRightOperandFirst) {
  const Quat a = Quat::fromAxisAngle(kHalfPi, Vec3(0, 0, 1));  // x -> y
  const Quat b = Quat::fromAxisAngle(kHalfPi, Vec3(0, 1, 0));  // z -> x
  const Vec3 p = Mat4::fromQuat(a * b).transformPoint(Vec3(0, 0, 1));
  expectVec(Vec3(0, 1, 0), p);
}

TEST(Quat, ZeroLengthNormalisesToIdentity) {
  Quat zero(0, 0, 0, 0);
  EXPECT_FALSE(zero.normalize());
  EXPECT_EQ(1.0f, zero.w);
  Vec3 v;
  EXPECT_FALSE(v.normalize());
  EXPECT_EQ(Vec3(), v);
}

TEST(Quat, SlerpEndsMiddleAndShortArc) {
  const Quat q1;
  const Quat q2 = Quat::fromAxisAngle(1.0f, Vec3(0, 1, 0));
  const Quat mid = slerp(q1, q2, 0.5f);
  const Quat half = Quat::fromAxisAngle(0.5f, Vec3(0, 1, 0));
  EXPECT_NEAR(half.y, mid.y, 1e-6f);
  EXPECT_NEAR(half.w, mid.w, 1e-6f);
  EXPECT_NEAR(q1.w, slerp(q1, q2, 0.0f).w, 1e-6f);
  EXPECT_NEAR(q2.y, slerp(q1, q2, 1.0f).y, 1e-6f);
  // The negated end is the same orientation: still the short way round.
  const Quat neg(-q2.x, -q2.y, -q2.z, -q2.w);
  const Quat m2 = slerp(q1, neg, 0.5f);
  EXPECT_NEAR(half.y, m2.y, 1e-6f);
  EXPECT_NEAR(half.w, m2.w, 1e-6f);
  // Equal orientations give the second one exactly.
  const Quat same = slerp(q2, q2, 0.3f);
  EXPECT_EQ(q2.y, same.y);
  EXPECT_EQ(q2.w, same.w);
}

}  // namespace
}  // namespace orb
