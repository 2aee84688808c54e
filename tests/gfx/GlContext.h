#pragma once
// One GLUT window per test program, created on first use and kept for the
// whole run: textures, fonts and pixel tests all need a current GL context.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace orb::test {

constexpr int kGlWidth = 960;
constexpr int kGlHeight = 640;

// True when a context is current. Without a display the caller skips.
inline bool ensureGlContext() {
  static int state = 0;  // 0 untried, 1 ready, -1 no display
  if (state == 0) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
      state = -1;
    } else {
      int argc = 1;
      char name[] = "test_gfx";
      char* argv[] = {name, nullptr};
      glutInit(&argc, argv);
      glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE);
      glutInitWindowSize(kGlWidth, kGlHeight);
      glutCreateWindow("test_gfx");
      glViewport(0, 0, kGlWidth, kGlHeight);
      state = 1;
    }
  }
  return state == 1;
}

}  // namespace orb::test

// Skips the current test when no X display is available.
#define ORB_REQUIRE_GL()                                              \
  do {                                                                \
    if (!::orb::test::ensureGlContext()) GTEST_SKIP() << "no DISPLAY"; \
  } while (0)
