#pragma once
#include <GL/gl.h>

#include <array>

#include <picojson.h>

namespace orb {

// One fixed-function light, built from an element of the "lights" parameter
// array. The game keeps the light where the viewer is: every frame GameWorld
// moves position to the offset turned by the camera's inverse rotation.
struct Light {
  GLenum glLight = GL_LIGHT0;                       // "handle": GL_LIGHT0 + n
  float intensity = 1.0f;
  std::array<float, 4> ambient{0, 0, 0, 1};         // "ambient" [r, g, b]
  std::array<float, 4> diffuse{0, 0, 0, 1};         // "diffuse" [r, g, b]
  std::array<float, 4> position{0, 0, 0, 1};        // globe units, set each frame from offset
  std::array<float, 3> offset{0, 0, 0};             // "ofs": position relative to the viewer
  float constantAttenuation = 1.0f;
  bool cone = false;                                // a spot light when "cutoff" is a number
  float coneCutoff = 90.0f;                         // "cutoff", degrees
  float coneExponent = 0.0f;                        // "exponent"
  float level = 1.0f;                               // brightness multiplier

  // Reads one "lights" element; absent keys keep the initial values above.
  static Light fromParams(const picojson::value& params);

  // Enables lighting and this light and loads its colours (scaled by level and
  // intensity), position, cone and attenuation into GL.
  void applyLight() const;
};

}  // namespace orb
