#include "gfx/PngImage.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>

#include "support/TestPaths.h"

namespace orb {
namespace {

std::string fixture(const std::string& file) {
  return test::readFile(test::sourceDir() + "tests/gfx/fixtures/" + file);
}

bool decodeFixture(const std::string& file, PngImage& image, std::string& error) {
  const std::string bytes = fixture(file);
  return image.decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error);
}

TEST(PngImage, ConvertsEveryKindToRgbOrRgba) {
  struct Row {
    const char* name;
    const char* file;
    int format, width, height;
    unsigned char first[4];  // the top-left pixel
  } rows[] = {
      {"8-bit RGB stays RGB", "rgb300x200.png", PngImage::kRgb, 300, 200, {255, 0, 0, 0}},
      {"palette with tRNS becomes RGBA", "palette_trns.png", PngImage::kRgba, 4, 2, {255, 0, 0, 255}},
      {"16-bit is reduced to 8", "rgb16.png", PngImage::kRgb, 5, 3, {128, 0, 255, 0}},
      {"grey becomes RGB", "grey8.png", PngImage::kRgb, 6, 4, {128, 128, 128, 0}},
      {"grey with alpha becomes RGBA", "greyalpha.png", PngImage::kRgba, 6, 4, {255, 255, 255, 128}},
      {"1-bit grey is unpacked", "grey1.png", PngImage::kRgb, 8, 2, {0, 0, 0, 0}},
      {"interlaced RGBA", "interlaced_rgba.png", PngImage::kRgba, 7, 5, {10, 20, 30, 128}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PngImage image;
    std::string error;
    ASSERT_TRUE(decodeFixture(row.file, image, error)) << error;
    EXPECT_EQ(row.format, image.format);
    EXPECT_EQ(row.width, image.width);
    EXPECT_EQ(row.height, image.height);
    ASSERT_EQ(image.rowBytes() * image.height, image.pixels.size());
    for (int c = 0; c < image.channels(); ++c) EXPECT_NEAR(row.first[c], image.pixels[c], 1) << c;
  }
}

TEST(PngImage, RowsAreTopFirstAndUnpadded) {
  PngImage image;
  std::string error;
  ASSERT_TRUE(decodeFixture("rgb300x200.png", image, error));
  const auto px = [&](int x, int y) { return &image.pixels[(y * 300 + x) * 3]; };
  EXPECT_EQ(255, px(0, 0)[0]);    // red square at the top-left
  EXPECT_EQ(255, px(150, 100)[1]);  // green field
  EXPECT_EQ(255, px(299, 199)[2]);  // blue square at the bottom-right
  // Palette: the right half is the transparent entry.
  ASSERT_TRUE(decodeFixture("palette_trns.png", image, error));
  EXPECT_EQ(255, image.pixels[3]);
  EXPECT_EQ(0, image.pixels[3 * 4 + 3]);
  // 1-bit grey: only the first pixel is black.
  ASSERT_TRUE(decodeFixture("grey1.png", image, error));
  EXPECT_EQ(255, image.pixels[3]);
}

TEST(PngImage, BrokenInputsGiveAnEmptyImageAndAReason) {
  struct Row {
    const char* name;
    const char* file;
  } rows[] = {
      {"truncated mid-image", "truncated.png"},
      {"zero-length file", "empty.png"},
      {"not a PNG", "notpng.png"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    PngImage image;
    image.width = 3;  // stale state must not survive a failed decode
    std::string error;
    EXPECT_FALSE(decodeFixture(row.file, image, error));
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(0, image.width);
    EXPECT_EQ(-1, image.format);
    EXPECT_FALSE(error.empty());
  }
}

TEST(PngImage, EveryPrefixOfAGoodFileFailsCleanly) {
  // The reader must stop at the end of its buffer wherever the data ends.
  const std::string bytes = fixture("interlaced_rgba.png");
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    std::string copy = bytes.substr(0, n);  // exact-size heap block for sanitizers
    PngImage image;
    std::string error;
    EXPECT_FALSE(image.decode(reinterpret_cast<const unsigned char*>(copy.data()), n, error))
        << "prefix of " << n << " bytes";
    EXPECT_TRUE(image.empty());
  }
}

// A complete, valid PNG whose header claims width x height RGBA but whose one
// IDAT holds only a few rows' worth of zeros: a few dozen bytes in all.
std::string claimingPng(std::uint32_t width, std::uint32_t height) {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  const auto be32 = [](std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xff));
  };
  const auto chunk = [&](const char* type, const std::string& data) {
    be32(png, static_cast<std::uint32_t>(data.size()));
    const std::string typed = std::string(type, 4) + data;
    png += typed;
    be32(png, static_cast<std::uint32_t>(
                  crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()))));
  };
  std::string header;
  be32(header, width);
  be32(header, height);
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8-bit RGBA, no interlace
  chunk("IHDR", header);
  const std::string rows(4 * (1 + 4 * static_cast<std::size_t>(std::min<std::uint32_t>(width, 64))), '\0');
  std::vector<Bytef> packed(compressBound(static_cast<uLong>(rows.size())));
  uLongf packedSize = static_cast<uLongf>(packed.size());
  compress(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(rows.data()), static_cast<uLong>(rows.size()));
  chunk("IDAT", std::string(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(packedSize)));
  chunk("IEND", "");
  return png;
}

long peakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

TEST(PngImage, TinyFileClaimingAHugeImageIsRefusedWithoutTheMemory) {
  struct Row {
    const char* name;
    std::uint32_t width, height;
  } rows[] = {
      {"16384 x 16384 (a gigabyte of RGBA)", 16384, 16384},
      {"one column too wide", 4097, 1},
      {"one row too tall", 1, 4097},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string bytes = claimingPng(row.width, row.height);
    ASSERT_LT(bytes.size(), 200u);
    const long before = peakResidentKiB();
    PngImage image;
    std::string error;
    EXPECT_FALSE(image.decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error));
    EXPECT_TRUE(image.empty());
    EXPECT_NE(error.find("at most 4096 on a side"), std::string::npos) << error;
    EXPECT_LT(peakResidentKiB() - before, 32 * 1024) << "KiB of peak memory added";
  }
  // The largest side passes the size check, and then fails only for its missing rows.
  const std::string widest = claimingPng(4096, 1);
  PngImage image;
  std::string error;
  EXPECT_FALSE(image.decode(reinterpret_cast<const unsigned char*>(widest.data()), widest.size(), error));
  EXPECT_EQ(error.find("at most"), std::string::npos) << "refused for its size: " << error;
}

}  // namespace
}  // namespace orb
