#pragma once

namespace orb {

// OpenGL features beyond 1.1, decided once after the window exists. The
// drawing code asks these flags instead of probing the driver itself.
// They come from the version and extension strings, never from looking up
// entry points: glXGetProcAddress returns a stub for any name, even one the
// driver does not implement, so a lookup proves nothing.
struct GlCapabilities {
  bool vertexBuffers = false;  // glGenBuffers, glBindBuffer, glBufferData, glDeleteBuffers
  bool blendEquation = false;  // glBlendEquation (the cloud shadow's reverse subtract)
  bool fragmentPrograms = false;  // GLSL 1.10 fragment shaders (the one-pass surface and cloud shadow)

  static GlCapabilities& get();
  // Needs a current context.
  void detect();
  // The decision itself, from GL_VERSION ("major.minor ...") and the
  // space-separated GL_EXTENSIONS; either may be null (then nothing is there).
  void decide(const char* version, const char* extensions);
  // Asks the driver to sync buffer swaps to the display; true when it accepted.
  static bool enableSwapControl();
};

}  // namespace orb
