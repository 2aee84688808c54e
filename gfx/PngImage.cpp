#include "gfx/PngImage.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <vector>

namespace orb {
namespace {

// The largest image the game reads: twice the side of its largest texture
// (2048 x 1024), so an RGBA image stays under 64 MiB and its power-of-two
// padding in Texture stays at this side. A few bytes of header can claim any
// size; refusing before the pixels are allocated keeps that from costing memory.
constexpr png_uint_32 kMaxSide = 4096;

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

// What readImage() produces. It lives in decode()'s frame, not in the frame
// that calls setjmp: objects of that frame changed after setjmp are undefined
// after a longjmp back to it, and these vectors are resized in between.
struct DecodedRows {
  std::vector<unsigned char> pixels;
  std::vector<png_bytep> rows;
  png_uint_32 width = 0;
  png_uint_32 height = 0;
  int channels = 0;
  char refusal[96] = {};  // set when the image is readable but unusable
};

// All libpng calls that can fail, behind one setjmp. Returns false after a
// libpng error (the reason is in the reader's message) or a refusal. Holds no
// object with a destructor, so a longjmp out of libpng skips nothing.
bool readImage(png_structp png, png_infop info, DecodedRows& out) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);

  int bitDepth = 0, colorType = 0;
  png_get_IHDR(png, info, &out.width, &out.height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
  if (out.width > kMaxSide || out.height > kMaxSide) {
    std::snprintf(out.refusal, sizeof out.refusal, "image is %u x %u pixels; at most %u on a side",
                  static_cast<unsigned>(out.width), static_cast<unsigned>(out.height),
                  static_cast<unsigned>(kMaxSide));
    return false;
  }
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
  out.channels = png_get_channels(png, info);
  if ((out.channels != 3 && out.channels != 4) || rowBytes != static_cast<std::size_t>(out.width) * out.channels) {
    std::snprintf(out.refusal, sizeof out.refusal, "unsupported pixel layout");
    return false;
  }
  out.pixels.resize(rowBytes * out.height);
  out.rows.resize(out.height);
  for (png_uint_32 i = 0; i < out.height; ++i) out.rows[i] = out.pixels.data() + i * rowBytes;
  png_read_image(png, out.rows.data());
  png_read_end(png, nullptr);
  return true;
}

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
  png_set_read_fn(png, &reader, readFromMemory);
  DecodedRows decoded;
  bool ok = false;
  try {
    ok = readImage(png, info, decoded);
  } catch (const std::bad_alloc&) {
    std::snprintf(decoded.refusal, sizeof decoded.refusal, "out of memory");
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) {
    error = decoded.refusal[0] != 0 ? decoded.refusal : reader.message;
    return false;
  }
  pixels = std::move(decoded.pixels);
  format = decoded.channels == 3 ? kRgb : kRgba;
  width = static_cast<int>(decoded.width);
  height = static_cast<int>(decoded.height);
  return true;
}

bool PngImage::load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *this = PngImage();
    error = "cannot open file";
    return false;
  }
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return decode(bytes.data(), bytes.size(), error);
}

}  // namespace orb
