#define GL_GLEXT_PROTOTYPES 1
#include "globe/SphereMesh.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cassert>
#include <cmath>

#include "gfx/MathConstants.h"

namespace orb {

SphereMesh::SphereMesh(int hDiv, int vDiv, float radius, float span, TexMode mode, bool useBuffers)
    : useBuffers_(useBuffers) {
  assert(hDiv >= 1 && vDiv >= 1 && (hDiv + 1) * (vDiv + 1) <= 65536);
  const std::size_t count = static_cast<std::size_t>((hDiv + 1) * (vDiv + 1));
  positions.reserve(count);
  normals.reserve(count);
  texCoords.reserve(count);
  for (int i = 0; i <= vDiv; ++i) {
    const float phi = static_cast<float>(i) * kPi / static_cast<float>(vDiv);
    const float y = std::cos(phi) * radius;
    const float ring = std::sin(phi) * radius;
    for (int j = 0; j <= hDiv; ++j) {
      const float theta = static_cast<float>(j) * span / static_cast<float>(hDiv);
      const Vec3 p{std::cos(theta) * ring, y, std::sin(theta) * ring};
      Vec3 n = p;
      n.normalize();
      positions.push_back(p);
      normals.push_back(n);
      if (mode == TexMode::Map) {
        texCoords.push_back({static_cast<float>(j) / static_cast<float>(hDiv),
                             static_cast<float>(i) / static_cast<float>(vDiv)});
      } else {
        texCoords.push_back({n.x * 0.5f + 0.5f, n.y * 0.5f + 0.5f});
      }
    }
  }
  indices.reserve(static_cast<std::size_t>(2 * hDiv * vDiv));
  for (int i = 0; i < vDiv; ++i) {
    for (int j = 0; j < hDiv; ++j) {
      const auto g = static_cast<std::uint16_t>(i * (hDiv + 1) + j);
      const auto h = static_cast<std::uint16_t>(hDiv);
      indices.push_back({g, static_cast<std::uint16_t>(g + h + 2), static_cast<std::uint16_t>(g + 1)});
      indices.push_back({g, static_cast<std::uint16_t>(g + h + 1), static_cast<std::uint16_t>(g + h + 2)});
    }
  }
  if (!useBuffers_) return;
  glGenBuffers(4, buffers_.data());
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(positions.size() * sizeof(Vec3)), positions.data(),
               GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[1]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(normals.size() * sizeof(Vec3)), normals.data(),
               GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, buffers_[2]);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(texCoords.size() * sizeof(Vec2<float>)),
               texCoords.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[3]);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(indices[0])),
               indices.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

SphereMesh::~SphereMesh() {
  if (useBuffers_) glDeleteBuffers(4, buffers_.data());
}

void SphereMesh::draw() const {
  static_assert(sizeof(Vec3) == 3 * sizeof(float), "Vec3 must be three packed floats");
  static_assert(sizeof(Vec2<float>) == 2 * sizeof(float), "Vec2 must be two packed floats");
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  const auto count = static_cast<GLsizei>(indexCount());
  if (useBuffers_) {
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[1]);
    glNormalPointer(GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[2]);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers_[3]);
    glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_SHORT, nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
  } else {
    glVertexPointer(3, GL_FLOAT, 0, positions.data());
    glNormalPointer(GL_FLOAT, 0, normals.data());
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords.data());
    glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_SHORT, indices.data());
  }
  glPopClientAttrib();
}

}  // namespace orb
