#define GL_GLEXT_PROTOTYPES 1
#include "globe/RingMesh.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <utility>

#include "gfx/MathConstants.h"

namespace orb {

RingMesh::RingMesh(int segments, float outerRadius, float innerRadius, bool useBuffers)
    : useBuffers_(useBuffers) {
  for (int i = 0; i <= segments; ++i) {
    const float angle = -static_cast<float>(i) * kTwoPi / static_cast<float>(segments);
    const float s = std::sin(angle), c = std::cos(angle);
    positions.push_back({s * outerRadius, c * outerRadius});
    texCoords.push_back({0.5f, 0.0f});
    positions.push_back({s * innerRadius, c * innerRadius});
    texCoords.push_back({0.5f, 1.0f});
  }
  upload();
}

RingMesh::RingMesh(std::vector<Vec2<float>> stripPositions, std::vector<Vec2<float>> stripTexCoords,
                   bool useBuffers)
    : positions(std::move(stripPositions)), texCoords(std::move(stripTexCoords)), useBuffers_(useBuffers) {
  upload();
}

void RingMesh::upload() {
  if (!useBuffers_) return;
  glGenBuffers(2, buffers_.data());
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(positions.size() * sizeof(Vec2<float>)),
               positions.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[1]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(texCoords.size() * sizeof(Vec2<float>)),
               texCoords.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
}

RingMesh::~RingMesh() {
  if (useBuffers_) glDeleteBuffers(2, buffers_.data());
}

void RingMesh::draw() const {
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  if (useBuffers_) {
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    glVertexPointer(2, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[1]);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
  } else {
    glVertexPointer(2, GL_FLOAT, 0, positions.data());
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords.data());
  }
  glDrawArrays(GL_TRIANGLE_STRIP, 0, static_cast<GLsizei>(positions.size()));
  glPopClientAttrib();
}

}  // namespace orb
