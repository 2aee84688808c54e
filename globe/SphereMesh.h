#pragma once
#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

#include "gfx/Vec2.h"
#include "gfx/Vec3.h"

namespace orb {

// A UV sphere around the origin, +y at the north pole, built once and drawn as
// indexed triangles. Rows run from the north pole (i = 0) to the south pole
// (i = vDiv), columns from theta = 0 (+x) over span radians. Seen from outside
// the triangles wind clockwise: they face the viewer through the game's
// left-right mirrored projection.
class SphereMesh {
 public:
  enum class TexMode {
    Map,     // (j / hDiv, i / vDiv): the earth image, north at the top, left edge at +x
    Planar,  // (nx / 2 + 0.5, ny / 2 + 0.5): a disc image seen along z (the glow)
  };

  // hDiv, vDiv >= 1 and (hDiv + 1)(vDiv + 1) <= 65536 (16-bit indices); the
  // caller checks its data. With useBuffers the arrays are uploaded once into
  // static GL buffers (needs a current context and glGenBuffers).
  SphereMesh(int hDiv, int vDiv, float radius, float span, TexMode mode, bool useBuffers);
  ~SphereMesh();
  SphereMesh(const SphereMesh&) = delete;
  SphereMesh& operator=(const SphereMesh&) = delete;

  void draw() const;

  std::size_t vertexCount() const { return positions.size(); }
  std::size_t triangleCount() const { return indices.size(); }
  std::size_t indexCount() const { return indices.size() * 3; }

  std::vector<Vec3> positions;
  std::vector<Vec3> normals;
  std::vector<Vec2<float>> texCoords;
  std::vector<std::array<std::uint16_t, 3>> indices;

 private:
  std::array<GLuint, 4> buffers_{};  // positions, normals, texture coordinates, indices
  bool useBuffers_ = false;
};

}  // namespace orb
