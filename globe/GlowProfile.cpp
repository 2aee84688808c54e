#define GL_GLEXT_PROTOTYPES 1
#include "globe/GlowProfile.h"

#include <GL/glext.h>

#include <cmath>
#include <cstdlib>

#include "gfx/PngImage.h"

namespace orb {

std::vector<GlowProfile::Texel> GlowProfile::measure(const PngImage& image) {
  const int size = image.width;
  if (image.empty() || size != image.height || size < 2) return {};
  const int channels = image.channels();
  const double centre = size / 2.0;
  // Texel i of the profile is the mean of the image's texels whose distance
  // from the centre, in texels, lies in [i, i + 1). Binning texel centres
  // (rather than averaging bilinear samples) keeps a sharp edge in the image,
  // such as the glow's rim, a sharp edge in the profile.
  std::vector<std::array<long, 4>> sums(static_cast<std::size_t>(size), {0, 0, 0, 0});
  std::vector<long> counts(static_cast<std::size_t>(size), 0);
  auto binOf = [&](int x, int y) {
    return static_cast<std::size_t>(std::hypot(x + 0.5 - centre, y + 0.5 - centre));
  };
  auto texelAt = [&](int x, int y) {
    const unsigned char* p = image.pixels.data() + (static_cast<std::size_t>(y) * size + x) * channels;
    return Texel{p[0], p[1], p[2], channels == 4 ? p[3] : static_cast<unsigned char>(255)};
  };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const std::size_t bin = binOf(x, y);  // below size: the corners are at 0.71 of it
      const Texel t = texelAt(x, y);
      for (int c = 0; c < 4; ++c) sums[bin][c] += t[c];
      ++counts[bin];
    }
  }
  std::vector<Texel> profile(static_cast<std::size_t>(size));
  for (std::size_t i = 0; i < profile.size(); ++i) {
    if (counts[i] == 0) {  // beyond the corners (or, for a tiny image, no texel fell here)
      profile[i] = i > 0 ? profile[i - 1] : texelAt(size / 2, size / 2);
      continue;
    }
    for (int c = 0; c < 4; ++c) {
      profile[i][c] = static_cast<unsigned char>((sums[i][c] + counts[i] / 2) / counts[i]);
    }
  }
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Texel t = texelAt(x, y);
      const Texel& p = profile[binOf(x, y)];
      for (int c = 0; c < 4; ++c) {
        if (std::abs(t[c] - p[c]) > kTolerance) return {};
      }
    }
  }
  return profile;
}

GlowProfile::GlowProfile(const PngImage& image) {
  const std::vector<Texel> profile = measure(image);
  if (profile.empty()) return;
  glGenTextures(1, &glName_);
  glBindTexture(GL_TEXTURE_1D, glName_);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexImage1D(GL_TEXTURE_1D, 0, GL_RGBA8, static_cast<GLsizei>(profile.size()), 0, GL_RGBA, GL_UNSIGNED_BYTE,
               profile.data());
  glBindTexture(GL_TEXTURE_1D, 0);
}

GlowProfile::~GlowProfile() {
  if (glName_) glDeleteTextures(1, &glName_);
}

void GlowProfile::bind() const { glBindTexture(GL_TEXTURE_1D, glName_); }

}  // namespace orb
