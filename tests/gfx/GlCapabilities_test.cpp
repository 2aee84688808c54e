#include "gfx/GlCapabilities.h"

#include <gtest/gtest.h>

namespace orb {
namespace {

TEST(GlCapabilities, FlagsFollowTheVersionAndExtensionsNotEntryPointLookups) {
  struct Row {
    const char* name;
    const char* version;
    const char* extensions;
    bool vertexBuffers, blendEquation;
  } rows[] = {
      {"Mesa compatibility profile", "4.5 (Compatibility Profile) Mesa 22.3.6", "GL_ARB_imaging", true, true},
      {"plain 1.1 driver", "1.1.0", "GL_EXT_texture", false, false},
      {"1.1 with the imaging subset", "1.1", "GL_EXT_abgr GL_ARB_imaging", false, true},
      {"imaging named only as a prefix", "1.1", "GL_ARB_imaging_extra", false, false},
      {"1.4: blend equation, no buffers", "1.4 vendor", nullptr, false, true},
      {"1.5: both", "1.5", nullptr, true, true},
      {"no context (null strings)", nullptr, nullptr, false, false},
      {"unreadable version", "OpenGL", "", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    GlCapabilities caps;
    caps.decide(row.version, row.extensions);
    EXPECT_EQ(row.vertexBuffers, caps.vertexBuffers);
    EXPECT_EQ(row.blendEquation, caps.blendEquation);
  }
}

}  // namespace
}  // namespace orb
