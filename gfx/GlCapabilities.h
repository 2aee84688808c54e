#pragma once

namespace orb {

// OpenGL entry points beyond 1.1, looked up once after the window exists.
// The drawing code asks these flags instead of probing the driver itself.
struct GlCapabilities {
  bool vertexBuffers = false;  // glGenBuffers, glBindBuffer, glBufferData, glDeleteBuffers
  bool blendEquation = false;  // glBlendEquation (the cloud shadow's reverse subtract)

  static GlCapabilities& get();
  // Needs a current context.
  void detect();
  // Asks the driver to sync buffer swaps to the display; true when it accepted.
  static bool enableSwapControl();
};

}  // namespace orb
