#include "globe/SphereMesh.h"

#include <gtest/gtest.h>

#include "gfx/MathConstants.h"
#include "globe/RingMesh.h"

namespace orb {
namespace {

TEST(SphereMesh, CountsOfTheSmallestUsefulSphere) {
  const SphereMesh mesh(4, 2, 1.0f, kTwoPi, SphereMesh::TexMode::Map, false);
  EXPECT_EQ(15u, mesh.vertexCount());
  EXPECT_EQ(16u, mesh.triangleCount());
  EXPECT_EQ(48u, mesh.indexCount());
  EXPECT_EQ(15u, mesh.normals.size());
  EXPECT_EQ(15u, mesh.texCoords.size());
  for (const auto& tri : mesh.indices)
    for (auto i : tri) EXPECT_LT(i, 15u);
}

TEST(SphereMesh, PolesRowsAndMapCoordinates) {
  const SphereMesh mesh(4, 2, 2.0f, kTwoPi, SphereMesh::TexMode::Map, false);
  // Row 0 is the north pole, row vDiv the south pole; column 0 lies on +x.
  EXPECT_NEAR(2.0f, mesh.positions[0].y, 1e-6f);
  EXPECT_NEAR(-2.0f, mesh.positions[14].y, 1e-6f);
  const Vec3 equatorStart = mesh.positions[5];  // row 1, column 0
  EXPECT_NEAR(2.0f, equatorStart.x, 1e-5f);
  EXPECT_NEAR(0.0f, equatorStart.z, 1e-5f);
  const Vec3 quarter = mesh.positions[6];  // theta = pi/2: +z
  EXPECT_NEAR(2.0f, quarter.z, 1e-5f);
  EXPECT_FLOAT_EQ(0.25f, mesh.texCoords[6].x);
  EXPECT_FLOAT_EQ(0.5f, mesh.texCoords[6].y);
  EXPECT_FLOAT_EQ(1.0f, mesh.texCoords[14].x);  // last column closes the seam at u = 1
  EXPECT_FLOAT_EQ(1.0f, mesh.texCoords[14].y);
  for (const Vec3& n : mesh.normals) EXPECT_NEAR(1.0f, n.length(), 1e-5f);
}

TEST(SphereMesh, TrianglesWindClockwiseSeenFromOutside) {
  // The mirrored projection turns these into the front faces.
  const SphereMesh mesh(8, 6, 1.0f, kTwoPi, SphereMesh::TexMode::Map, false);
  int checked = 0;
  for (const auto& tri : mesh.indices) {
    const Vec3 a = mesh.positions[tri[0]], b = mesh.positions[tri[1]], c = mesh.positions[tri[2]];
    const Vec3 n = (b - a).cross(c - a);
    if (n.length() < 1e-6f) continue;  // the degenerate triangles at the poles
    const Vec3 centroid = (a + b + c) * (1.0f / 3.0f);
    EXPECT_LT(n.dot(centroid), 0.0f);
    ++checked;
  }
  EXPECT_GE(checked, 8 * 6);  // 2 * 8 * 6 minus the pole triangles
}

TEST(SphereMesh, GlowHalfSphereFacesPlusZWithPlanarCoordinates) {
  const SphereMesh glow(2, 2, 1.0f, kPi, SphereMesh::TexMode::Planar, false);
  EXPECT_EQ(9u, glow.vertexCount());
  for (std::size_t i = 0; i < glow.vertexCount(); ++i) {
    EXPECT_GE(glow.positions[i].z, -1e-6f);
    EXPECT_NEAR(glow.normals[i].x * 0.5f + 0.5f, glow.texCoords[i].x, 1e-6f);
    EXPECT_NEAR(glow.normals[i].y * 0.5f + 0.5f, glow.texCoords[i].y, 1e-6f);
  }
  // The middle of the half sphere points at the viewer and samples the image centre.
  EXPECT_NEAR(1.0f, glow.positions[4].z, 1e-6f);
  EXPECT_NEAR(0.5f, glow.texCoords[4].x, 1e-6f);
  EXPECT_NEAR(0.5f, glow.texCoords[4].y, 1e-6f);
}

TEST(RingMesh, OuterAndInnerEdgesSampleTheImageCentreLine) {
  const RingMesh ring(4, 1.1f, 0.995f, false);
  ASSERT_EQ(10u, ring.positions.size());
  EXPECT_NEAR(1.1f, ring.positions[0].y, 1e-6f);     // starts at +y
  EXPECT_NEAR(0.995f, ring.positions[1].y, 1e-6f);
  EXPECT_NEAR(-1.1f, ring.positions[2].x, 1e-6f);    // a quarter turn later: -x
  EXPECT_NEAR(ring.positions[0].x, ring.positions[8].x, 1e-5f);  // closed
  for (std::size_t i = 0; i < ring.texCoords.size(); ++i) {
    EXPECT_FLOAT_EQ(0.5f, ring.texCoords[i].x);
    EXPECT_FLOAT_EQ(i % 2 ? 1.0f : 0.0f, ring.texCoords[i].y);
  }
}

}  // namespace
}  // namespace orb
