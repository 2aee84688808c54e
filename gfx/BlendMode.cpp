#include "gfx/BlendMode.h"

#include <GL/gl.h>

#include <array>

namespace orb {
namespace {

struct BlendFunc {
  GLenum source;
  GLenum destination;
};

constexpr std::array<BlendFunc, kBlendModeCount> kBlendFuncs = {{
    {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA},
    {GL_SRC_ALPHA, GL_ONE},
    {GL_ONE_MINUS_DST_COLOR, GL_ZERO},
    {GL_ONE_MINUS_DST_COLOR, GL_ONE_MINUS_SRC_COLOR},
    {GL_ZERO, GL_ONE_MINUS_SRC_COLOR},
    {GL_DST_COLOR, GL_ONE},
}};

}  // namespace

void applyBlendMode(int mode) {
  if (mode < 0 || mode >= kBlendModeCount) return;
  const BlendFunc& f = kBlendFuncs[static_cast<std::size_t>(mode)];
  glBlendFunc(f.source, f.destination);
}

bool drawsNothing(int mode, float alpha) { return (mode == 0 || mode == 1) && alpha * 255.0f < 0.5f; }

}  // namespace orb
