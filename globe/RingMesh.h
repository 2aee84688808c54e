#pragma once
#include <GL/gl.h>

#include <array>
#include <vector>

#include "gfx/Vec2.h"

namespace orb {

// A flat ring in the xy plane drawn as one triangle strip: for each of the
// segments + 1 angles (clockwise from +y) an outer vertex with texture
// coordinate (0.5, 0) and an inner one with (0.5, 1), so an image is sampled
// down its vertical centre line, top row at the outer edge.
class RingMesh {
 public:
  RingMesh(int segments, float outerRadius, float innerRadius, bool useBuffers);
  // Any other strip of 2D vertices with their texture coordinates (the answer
  // ring on the globe lays out its own).
  RingMesh(std::vector<Vec2<float>> stripPositions, std::vector<Vec2<float>> stripTexCoords, bool useBuffers);
  ~RingMesh();
  RingMesh(const RingMesh&) = delete;
  RingMesh& operator=(const RingMesh&) = delete;

  void draw() const;

  std::vector<Vec2<float>> positions;
  std::vector<Vec2<float>> texCoords;

 private:
  void upload();

  std::array<GLuint, 2> buffers_{};
  bool useBuffers_ = false;
};

}  // namespace orb
