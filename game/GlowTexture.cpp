#include "game/GlowTexture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

namespace orb {

GlowTexture::~GlowTexture() {
  if (name_ != 0) glDeleteTextures(1, &name_);
}

void GlowTexture::set(const float core[3], const float glow[3], float coreWidth, float glowWidth,
                      float glowAlpha) {
  const float key[9] = {core[0], core[1], core[2], glow[0], glow[1], glow[2], coreWidth, glowWidth, glowAlpha};
  if (name_ != 0 && std::equal(std::begin(key), std::end(key), std::begin(key_))) return;
  std::copy(std::begin(key), std::end(key), std::begin(key_));
  // Half a pixel of soft edge either side of the halo: the rim fades to nothing.
  bandWidth_ = std::max(glowWidth, coreWidth) + 1.0f;
  const float half = bandWidth_ / 2.0f, coreHalf = coreWidth / 2.0f;
  std::array<unsigned char, kTexels * 4> texels{};
  for (int i = 0; i < kTexels; ++i) {
    // Pixels from the middle of the band; the end texels are the clear rims.
    const float d = std::fabs((static_cast<float>(i) + 0.5f) / kTexels - 0.5f) * bandWidth_;
    const bool rim = i == 0 || i == kTexels - 1;
    // The core is solid over its width and a quarter pixel either side, then
    // fades over one pixel: smooth along a slanted line.
    const float c = rim ? 0.0f : std::clamp(coreHalf + 1.25f - d, 0.0f, 1.0f);
    // The halo is flat up to a pixel from the rim: added light (under the
    // core too), as bright as a wide faint line, with no hard edge.
    const float g = rim ? 0.0f : glowAlpha * std::clamp(half - d, 0.0f, 1.0f);
    for (int k = 0; k < 3; ++k) {
      const float v = c * core[k] + g * glow[k];
      texels[static_cast<std::size_t>(i) * 4 + k] = static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    }
    texels[static_cast<std::size_t>(i) * 4 + 3] = static_cast<unsigned char>(std::lround(c * 255.0f));
  }
  if (name_ == 0) glGenTextures(1, &name_);
  glBindTexture(GL_TEXTURE_1D, name_);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA, kTexels, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
}

void GlowTexture::bind() const { glBindTexture(GL_TEXTURE_1D, name_); }

}  // namespace orb
