#pragma once
#include <GL/gl.h>

namespace orb {

// The cross-section of a glowing line as a small 1D texture: a bright core
// with a soft edge over a faint halo of added light, premultiplied by alpha
// so one pass blended with GL_ONE, GL_ONE_MINUS_SRC_ALPHA draws both. Coordinate 0 and 1
// are the band's two edges (fully clear), 0.5 its middle. A band of triangles
// with it costs llvmpipe about what one wide GL line does, half of two.
// Needs a current GL context for its whole life.
class GlowTexture {
 public:
  GlowTexture() = default;
  ~GlowTexture();
  GlowTexture(const GlowTexture&) = delete;
  GlowTexture& operator=(const GlowTexture&) = delete;

  // core*, glow*: colours 0..1; coreWidth, glowWidth: full widths in pixels;
  // glowAlpha: the halo's strength next to the core. Uploads only when
  // something changed.
  void set(const float core[3], const float glow[3], float coreWidth, float glowWidth, float glowAlpha);
  // The band's full width in pixels: the halo and its soft edge.
  float bandWidth() const { return bandWidth_; }
  // Binds to GL_TEXTURE_1D.
  void bind() const;

 private:
  static constexpr int kTexels = 32;
  GLuint name_ = 0;
  float key_[9] = {};
  float bandWidth_ = 0.0f;
};

}  // namespace orb
