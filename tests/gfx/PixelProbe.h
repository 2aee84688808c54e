#pragma once
// Draw into the test window's back buffer in the game's 2D space (960 x 640,
// origin at the centre, y down) and read colours back.
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/Camera.h"
#include "gfx/GlContext.h"
#include "support/TestPaths.h"

namespace orb::test {

struct Rgb {
  int r, g, b;
};

// Clears to black and opens a 2D pass like the game's.
inline Camera begin2D() {
  Camera cam(Camera::kOrtho2D);
  cam.halfWidth = static_cast<float>(kGlWidth);
  cam.halfHeight = static_cast<float>(kGlHeight);
  glViewport(0, 0, kGlWidth, kGlHeight);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  cam.apply();
  glDisable(GL_LIGHTING);
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  return cam;
}

// The colour of the 2D unit cell whose top-left corner is (x, y).
inline Rgb pixelAt(int x, int y) {
  glFinish();
  std::array<unsigned char, 4> px{};
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(kGlWidth / 2 + x, kGlHeight / 2 - y - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  return {px[0], px[1], px[2]};
}

// The whole test window, RGBA, bottom row first.
inline std::vector<unsigned char> readFrame() {
  glFinish();
  std::vector<unsigned char> pixels(static_cast<std::size_t>(kGlWidth) * kGlHeight * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kGlWidth, kGlHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// The largest difference between two frames in any byte.
inline int largestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  int worst = 0;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) worst = std::max(worst, std::abs(a[i] - b[i]));
  return worst;
}

inline std::string fixturePath(const std::string& file) {
  return sourceDir() + "tests/gfx/fixtures/" + file;
}

}  // namespace orb::test

// Colour checks with a tolerance for filtering.
#define EXPECT_RGB(er, eg, eb, actual)                    \
  do {                                                    \
    const ::orb::test::Rgb px_ = (actual);                \
    EXPECT_NEAR((er), px_.r, 40) << "red of " #actual;    \
    EXPECT_NEAR((eg), px_.g, 40) << "green of " #actual;  \
    EXPECT_NEAR((eb), px_.b, 40) << "blue of " #actual;   \
  } while (0)
