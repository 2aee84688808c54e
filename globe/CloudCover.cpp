#include "globe/CloudCover.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gfx/ImagePreload.h"

namespace orb {

CloudCover::CloudCover(const std::string& path) {
  PngImage image;
  std::string error;
  if (!ImagePreload::load(path, image, error)) {
    std::fprintf(stderr, "texture %s: %s\n", path.c_str(), error.c_str());
    return;
  }
  width_ = image.width;
  height_ = image.height;
  const std::size_t texels = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  const std::size_t channels = static_cast<std::size_t>(image.channels());
  brightness_.resize(texels);
  for (std::size_t i = 0; i < texels; ++i) brightness_[i] = image.pixels[i * channels];
}

unsigned char CloudCover::sample(float x, float y) const {
  const float fx = std::floor(x), fy = std::floor(y);
  const float ax = x - fx, ay = y - fy;
  const auto column = [&](int c) { return ((c % width_) + width_) % width_; };
  const auto row = [&](int r) { return std::clamp(r, 0, height_ - 1); };
  const int x0 = column(static_cast<int>(fx)), x1 = column(static_cast<int>(fx) + 1);
  const int y0 = row(static_cast<int>(fy)), y1 = row(static_cast<int>(fy) + 1);
  const auto at = [&](int cx, int cy) {
    return static_cast<float>(brightness_[static_cast<std::size_t>(cy) * static_cast<std::size_t>(width_) +
                                          static_cast<std::size_t>(cx)]);
  };
  const float top = at(x0, y0) + (at(x1, y0) - at(x0, y0)) * ax;
  const float bottom = at(x0, y1) + (at(x1, y1) - at(x0, y1)) * ax;
  return static_cast<unsigned char>(std::lround(top + (bottom - top) * ay));
}

PngImage CloudCover::under(const PngImage& surface) const {
  PngImage out;
  if (surface.empty()) return out;
  out.format = PngImage::kRgba;
  out.width = surface.width;
  out.height = surface.height;
  const std::size_t texels = static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height);
  const std::size_t channels = static_cast<std::size_t>(surface.channels());
  out.pixels.resize(texels * 4);
  const bool sameSize = width_ == out.width && height_ == out.height;
  const float toCloudX = static_cast<float>(width_) / static_cast<float>(out.width);
  const float toCloudY = static_cast<float>(height_) / static_cast<float>(out.height);
  const unsigned char* from = surface.pixels.data();
  unsigned char* to = out.pixels.data();
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x, from += channels, to += 4) {
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
      if (empty()) {
        to[3] = 0;
      } else if (sameSize) {
        to[3] = brightness_[static_cast<std::size_t>(to - out.pixels.data()) / 4];
      } else {
        to[3] = sample((static_cast<float>(x) + 0.5f) * toCloudX - 0.5f,
                       (static_cast<float>(y) + 0.5f) * toCloudY - 0.5f);
      }
    }
  }
  return out;
}

}  // namespace orb
