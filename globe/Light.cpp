#include "globe/Light.h"

#include <cmath>

#include "data/Json.h"

namespace orb {
namespace {

void readColour(const picojson::value& v, std::array<float, 4>& out) {
  if (!v.is<picojson::array>()) return;
  for (std::size_t i = 0; i < 3 && i < json::size(v); ++i) out[i] = json::realAt(v, i);
}

}  // namespace

Light Light::fromParams(const picojson::value& params) {
  Light light;
  const picojson::value& handle = json::at(params, "handle");
  if (handle.is<double>()) light.glLight = static_cast<GLenum>(GL_LIGHT0 + json::integer(handle));
  readColour(json::at(params, "ambient"), light.ambient);
  readColour(json::at(params, "diffuse"), light.diffuse);
  std::array<float, 4> pos = light.position;
  readColour(json::at(params, "pos"), pos);
  light.position = pos;
  const picojson::value& ofs = json::at(params, "ofs");
  for (std::size_t i = 0; i < 3 && i < json::size(ofs); ++i) light.offset[i] = json::realAt(ofs, i);
  const picojson::value& cutoff = json::at(params, "cutoff");
  if (cutoff.is<double>()) {
    light.cone = true;
    light.coneCutoff = json::real(cutoff);
    light.coneExponent = json::real(params, "exponent");
  }
  return light;
}

void Light::applyLight() const {
  glEnable(GL_LIGHTING);
  glEnable(glLight);
  const float k = level * intensity;
  const float amb[4] = {ambient[0] * k, ambient[1] * k, ambient[2] * k, ambient[3] * k};
  const float dif[4] = {diffuse[0] * k, diffuse[1] * k, diffuse[2] * k, diffuse[3] * k};
  glLightfv(glLight, GL_AMBIENT, amb);
  glLightfv(glLight, GL_DIFFUSE, dif);
  glLightfv(glLight, GL_POSITION, position.data());
  if (cone) {
    glLightf(glLight, GL_SPOT_CUTOFF, coneCutoff);
    glLightf(glLight, GL_SPOT_EXPONENT, coneExponent);
    float dir[3] = {-position[0], -position[1], -position[2]};
    const float len = std::sqrt(dir[0] * dir[0] + dir[1] * dir[1] + dir[2] * dir[2]);
    if (len > 0.0f) {
      for (float& d : dir) d /= len;
    }
    glLightfv(glLight, GL_SPOT_DIRECTION, dir);
  }
  glLightf(glLight, GL_CONSTANT_ATTENUATION, constantAttenuation);
}

}  // namespace orb
