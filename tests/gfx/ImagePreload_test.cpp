#include "gfx/ImagePreload.h"

#include <gtest/gtest.h>

#include <string>

namespace orb {
namespace {

const std::string kData = std::string(GLOBARO_SOURCE_DIR) + "devdata/";

// What a preload hands out is what decoding the file there and then gives,
// errors included; each image is handed out once, and what nobody took is
// dropped.
TEST(ImagePreload, HandsOutWhatADirectDecodeGivesOnceEach) {
  const std::string halo = kData + "halo.png", glow = kData + "glow.png", missing = kData + "no_such.png";
  ImagePreload::start({halo, missing, glow});

  PngImage direct, preloaded;
  std::string directError, preloadError;
  ASSERT_TRUE(direct.load(glow, directError));
  ASSERT_TRUE(ImagePreload::load(glow, preloaded, preloadError));  // out of order: waits for it
  EXPECT_EQ(direct.width, preloaded.width);
  EXPECT_EQ(direct.format, preloaded.format);
  EXPECT_TRUE(direct.pixels == preloaded.pixels);

  EXPECT_FALSE(ImagePreload::load(missing, preloaded, preloadError));
  PngImage nothing;
  EXPECT_FALSE(nothing.load(missing, directError));
  EXPECT_EQ(directError, preloadError);
  EXPECT_TRUE(preloaded.empty());

  EXPECT_EQ(1, ImagePreload::waiting());  // the halo
  ImagePreload::finish();
  EXPECT_EQ(0, ImagePreload::waiting());
  // Taken or dropped, the file still loads the ordinary way.
  ASSERT_TRUE(ImagePreload::load(glow, preloaded, preloadError));
  EXPECT_TRUE(direct.pixels == preloaded.pixels);
  ASSERT_TRUE(ImagePreload::load(halo, preloaded, preloadError));
  EXPECT_EQ(4, preloaded.width);
}

}  // namespace
}  // namespace orb
