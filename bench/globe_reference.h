#pragma once
// The physical limit of the globe picture: the same five layers (halo ring,
// lit earth, cloud shadow, cloud shell, glow) with the same meshes, textures
// and blend modes as the game's globe pass, in straight-line GL with nothing
// else around it. Used by globe_bench (side by side with the game's pass) and
// globe_reference_bench (on its own).
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/Json.h"
#include "gfx/PngImage.h"
#include "globe/EarthModel.h"
#include "globe/Light.h"

namespace bench {

inline GLuint loadTexture(const std::string& path, bool mipmapped) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  orb::PngImage image;
  std::string error;
  GLuint name = 0;
  glGenTextures(1, &name);
  if (!image.decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error)) return name;
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  const GLenum format = image.format == orb::PngImage::kRgb ? GL_RGB : GL_RGBA;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmapped ? GL_LINEAR_MIPMAP_NEAREST : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, mipmapped ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, mipmapped ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  if (mipmapped) {
    gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), image.width, image.height, format, GL_UNSIGNED_BYTE,
                      image.pixels.data());
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), image.width, image.height, 0, format, GL_UNSIGNED_BYTE,
                 image.pixels.data());
  }
  return name;
}

class ReferenceGlobe {
 public:
  struct Setup {
    std::string dir;  // devdata folder with a trailing slash
    int hDiv = 64, vDiv = 32;
    float radius = 100, cloudScale = 1.008f, cloudShadow = 0.45f, airScale = 1.07f, atmosScale = 1.015f;
    float ambient[4] = {0.16f, 0.16f, 0.19f, 1}, diffuse[4] = {0.88f, 0.86f, 0.83f, 1};
    float lightOffset[3] = {0, 0, 0};  // relative to the viewer, turned with the inverse rotation

    // The same numbers the game's globe uses: its earth model and first light.
    static Setup of(const orb::EarthModel& earth, const orb::Light& light, const picojson::value& params,
                    const std::string& dataDir) {
      const picojson::value& e = orb::json::at(params, "earth");
      Setup s;
      s.dir = dataDir + "devdata/";
      s.hDiv = earth.hDiv;
      s.vDiv = earth.vDiv;
      s.radius = earth.radius;
      s.cloudScale = orb::json::real(e, "cloud_scale");
      s.cloudShadow = orb::json::real(e, "cloud_shadow");
      s.airScale = orb::json::real(e, "air_scale");
      s.atmosScale = orb::json::real(e, "atmos_scale");
      for (std::size_t i = 0; i < 3; ++i) {
        s.ambient[i] = light.ambient[i];
        s.diffuse[i] = light.diffuse[i];
        s.lightOffset[i] = light.offset[i];
      }
      return s;
    }
  };

  explicit ReferenceGlobe(const Setup& s) : s_(s) {
    surface_ = loadTexture(s.dir + "earth_01.png", true);
    cloud_ = loadTexture(s.dir + "cloud.png", true);
    glow_ = loadTexture(s.dir + "glow.png", false);
    halo_ = loadTexture(s.dir + "halo.png", false);
    sphere_ = buildSphere(s.hDiv, s.vDiv, s.radius, 6.2831855f, false, sphereCount_);
    glowMesh_ = buildSphere(s.hDiv / 2, s.vDiv, s.radius, 3.1415927f, true, glowCount_);
    std::vector<float> ring;
    for (int i = 0; i <= s.hDiv; ++i) {
      const float a = -static_cast<float>(i) * 6.2831855f / static_cast<float>(s.hDiv);
      const float outer = s.airScale * s.radius, inner = 0.995f * s.radius;
      ring.insert(ring.end(), {std::sin(a) * outer, std::cos(a) * outer, 0.5f, 0.0f, std::sin(a) * inner,
                               std::cos(a) * inner, 0.5f, 1.0f});
    }
    ringCount_ = static_cast<GLsizei>(ring.size() / 4);
    glGenBuffers(1, &ring_);
    glBindBuffer(GL_ARRAY_BUFFER, ring_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(ring.size() * sizeof(float)), ring.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    const float black[4] = {0, 0, 0, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
  }

  // Draws one frame's globe with the given projection set up, at distance,
  // orientation matrix rot (column-major rotation) and its inverse, spin in degrees.
  void draw(float distance, const double* rot, const double* inverse, float spin) {
    glEnable(GL_CULL_FACE);
    glEnable(GL_NORMALIZE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(0, 0, -distance);
    glMultMatrixd(rot);
    const float ratio = s_.radius / distance;
    const float one[4] = {1, 1, 1, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, one);
    glCullFace(GL_BACK);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnable(GL_TEXTURE_2D);

    glPushMatrix();  // halo
    glMultMatrixd(inverse);
    const float widen = 1.0f / std::cos(std::asin(ratio));
    glScalef(widen, widen, 1);
    glBindTexture(GL_TEXTURE_2D, halo_);
    glDisable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
    glBindBuffer(GL_ARRAY_BUFFER, ring_);
    glVertexPointer(2, GL_FLOAT, 16, nullptr);
    glTexCoordPointer(2, GL_FLOAT, 16, reinterpret_cast<const void*>(8));
    glDrawArrays(GL_TRIANGLE_STRIP, 0, ringCount_);
    glPopMatrix();

    glEnableClientState(GL_NORMAL_ARRAY);
    glPushMatrix();  // surface
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, s_.ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, s_.diffuse);
    const float* o = s_.lightOffset;
    const float pos[4] = {static_cast<float>(inverse[0] * o[0] + inverse[4] * o[1] + inverse[8] * o[2]),
                          static_cast<float>(inverse[1] * o[0] + inverse[5] * o[1] + inverse[9] * o[2]),
                          static_cast<float>(inverse[2] * o[0] + inverse[6] * o[1] + inverse[10] * o[2]), 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, pos);
    glRotatef(spin, 0, 1, 0);
    glBindTexture(GL_TEXTURE_2D, surface_);
    bindSphere(sphere_);
    glDrawElements(GL_TRIANGLES, sphereCount_, GL_UNSIGNED_SHORT, nullptr);
    glPopMatrix();

    glDisable(GL_LIGHTING);  // cloud shadow
    glBindTexture(GL_TEXTURE_2D, cloud_);
    glPushMatrix();
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_REVERSE_SUBTRACT);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor4f(s_.cloudShadow, s_.cloudShadow, s_.cloudShadow, 1);
    glRotatef(spin, 0, 1, 0);
    glDrawElements(GL_TRIANGLES, sphereCount_, GL_UNSIGNED_SHORT, nullptr);
    glBlendEquation(GL_FUNC_ADD);
    glPopMatrix();
    glPushMatrix();  // cloud shell
    glColor4f(1, 1, 1, 1);
    glRotatef(spin, 0, 1, 0);
    glScalef(s_.cloudScale, s_.cloudScale, s_.cloudScale);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glDrawElements(GL_TRIANGLES, sphereCount_, GL_UNSIGNED_SHORT, nullptr);
    glPopMatrix();

    glPushMatrix();  // glow
    glMultMatrixd(inverse);
    glScalef(s_.atmosScale, s_.atmosScale, s_.atmosScale);
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    const float k = std::sin(1.5707964f - 1.4f * std::asin(ratio));
    glTranslatef((k - 1) / 2, (k - 1) / 2, 1);
    glScalef(2 - k, 2 - k, 1);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, glow_);
    bindSphere(glowMesh_);
    glDrawElements(GL_TRIANGLES, glowCount_, GL_UNSIGNED_SHORT, nullptr);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glDisableClientState(GL_NORMAL_ARRAY);
  }

 private:
  struct Buffers {
    GLuint vertices = 0, indices = 0;
  };

  // Interleaved position, normal, texture coordinate; the same tessellation as the game.
  static Buffers buildSphere(int h, int v, float r, float span, bool planar, GLsizei& indexCount) {
    std::vector<float> data;
    std::vector<unsigned short> idx;
    for (int i = 0; i <= v; ++i) {
      const float phi = static_cast<float>(i) * 3.1415927f / static_cast<float>(v);
      for (int j = 0; j <= h; ++j) {
        const float th = static_cast<float>(j) * span / static_cast<float>(h);
        const float nx = std::cos(th) * std::sin(phi), ny = std::cos(phi), nz = std::sin(th) * std::sin(phi);
        data.insert(data.end(), {nx * r, ny * r, nz * r, nx, ny, nz});
        if (planar) {
          data.insert(data.end(), {nx * 0.5f + 0.5f, ny * 0.5f + 0.5f});
        } else {
          data.insert(data.end(), {static_cast<float>(j) / h, static_cast<float>(i) / v});
        }
      }
    }
    for (int i = 0; i < v; ++i) {
      for (int j = 0; j < h; ++j) {
        const auto g = static_cast<unsigned short>(i * (h + 1) + j);
        idx.insert(idx.end(), {g, static_cast<unsigned short>(g + h + 2), static_cast<unsigned short>(g + 1), g,
                               static_cast<unsigned short>(g + h + 1), static_cast<unsigned short>(g + h + 2)});
      }
    }
    Buffers b;
    glGenBuffers(1, &b.vertices);
    glGenBuffers(1, &b.indices);
    glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(idx.size() * sizeof(unsigned short)), idx.data(),
                 GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    indexCount = static_cast<GLsizei>(idx.size());
    return b;
  }

  static void bindSphere(const Buffers& b) {
    glBindBuffer(GL_ARRAY_BUFFER, b.vertices);
    glVertexPointer(3, GL_FLOAT, 32, nullptr);
    glNormalPointer(GL_FLOAT, 32, reinterpret_cast<const void*>(12));
    glTexCoordPointer(2, GL_FLOAT, 32, reinterpret_cast<const void*>(24));
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, b.indices);
  }

  Setup s_;
  GLuint surface_ = 0, cloud_ = 0, glow_ = 0, halo_ = 0, ring_ = 0;
  Buffers sphere_, glowMesh_;
  GLsizei sphereCount_ = 0, glowCount_ = 0, ringCount_ = 0;
};

}  // namespace bench
