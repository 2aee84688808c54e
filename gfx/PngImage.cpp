#include "gfx/PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace orb {
namespace {

// Larger images could not be uploaded as one texture anyway.
constexpr png_uint_32 kMaxSide = 16384;

struct MemoryReader {
  const unsigned char* data;
  std::size_t size;
  std::size_t pos;
  char message[200];
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (length > reader->size - reader->pos) png_error(png, "file is truncated");
  std::memcpy(out, reader->data + reader->pos, length);
  reader->pos += length;
}

// libpng reports errors here; returning to decode() through longjmp keeps the
// process alive, unlike the library's default of aborting on some paths.
void onError(png_structp png, png_const_charp message) {
  auto* reader = static_cast<MemoryReader*>(png_get_error_ptr(png));
  std::snprintf(reader->message, sizeof reader->message, "%s", message ? message : "decode error");
  png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

}  // namespace

bool PngImage::decode(const unsigned char* data, std::size_t size, std::string& error) {
  *this = PngImage();
  if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
    error = size == 0 ? "file is empty" : "not a PNG file";
    return false;
  }
  MemoryReader reader{data, size, 0, {0}};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &reader, onError, onWarning);
  if (png == nullptr) {
    error = "out of memory";
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    error = "out of memory";
    return false;
  }
  std::vector<unsigned char> buffer;
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    error = reader.message;
    return false;
  }
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_set_read_fn(png, &reader, readFromMemory);
  png_read_info(png, info);

  png_uint_32 w = 0, h = 0;
  int bitDepth = 0, colorType = 0;
  png_get_IHDR(png, info, &w, &h, &bitDepth, &colorType, nullptr, nullptr, nullptr);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if ((colorType & PNG_COLOR_MASK_COLOR) == 0) {
    if (bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    png_set_gray_to_rgb(png);
  }
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  const std::size_t rowBytes = png_get_rowbytes(png, info);
  const int channels = png_get_channels(png, info);
  if ((channels != 3 && channels != 4) || rowBytes != static_cast<std::size_t>(w) * channels) {
    png_destroy_read_struct(&png, &info, nullptr);
    error = "unsupported pixel layout";
    return false;
  }
  buffer.resize(rowBytes * h);
  rows.resize(h);
  for (png_uint_32 i = 0; i < h; ++i) rows[i] = buffer.data() + i * rowBytes;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);

  pixels = std::move(buffer);
  format = channels == 3 ? kRgb : kRgba;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

}  // namespace orb
