#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace orb {

// A decoded PNG: 8-bit RGB or RGBA pixels, top row first, rows packed without
// padding. Palette, grey-scale, 16-bit and sub-byte images are all converted
// to one of the two formats on the way in.
struct PngImage {
  static constexpr int kRgb = 2;   // libpng's colour-type numbers
  static constexpr int kRgba = 6;

  std::vector<unsigned char> pixels;
  int format = -1;  // kRgb, kRgba, or -1 when empty
  int width = 0;
  int height = 0;

  bool empty() const { return pixels.empty(); }
  int channels() const { return format == kRgb ? 3 : 4; }
  std::size_t rowBytes() const { return static_cast<std::size_t>(width) * channels(); }

  // Decodes a PNG held in memory. On failure returns false, leaves the image
  // empty and puts the reason (never a crash, never a read past size) in error.
  // Images over 4096 pixels on a side are refused before any pixel memory is
  // taken, whatever their header claims.
  [[nodiscard]] bool decode(const unsigned char* data, std::size_t size, std::string& error);
  // Reads and decodes a file, with the same promises ("cannot open file" when
  // it cannot be read).
  [[nodiscard]] bool load(const std::string& path, std::string& error);
};

}  // namespace orb
