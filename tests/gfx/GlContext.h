#pragma once
// One GLUT window per test program, created on first use and kept for the
// whole run: textures, fonts and pixel tests all need a current GL context.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "gfx/GlCapabilities.h"

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
      // Several fixtures of one test program may ask; GLUT is set up once.
      if (!glutGet(GLUT_INIT_STATE)) {
        int argc = 1;
        char name[] = "globaro_test";
        char* argv[] = {name, nullptr};
        glutInit(&argc, argv);
      }
      if (glutGetWindow() == 0) {
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_STENCIL);
        glutInitWindowSize(kGlWidth, kGlHeight);
        glutCreateWindow("globaro_test");
      }
      glViewport(0, 0, kGlWidth, kGlHeight);
      GlCapabilities::get().detect();
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
