#include "gfx/GlCapabilities.h"

#include <GL/gl.h>
#include <GL/glx.h>

#include <cstdio>
#include <cstring>

namespace orb {
namespace {

void* lookup(const char* name) {
  return reinterpret_cast<void*>(glXGetProcAddress(reinterpret_cast<const GLubyte*>(name)));
}

bool hasExtension(const char* list, const char* name) {
  if (!list) return false;
  const std::size_t n = std::strlen(name);
  for (const char* p = std::strstr(list, name); p; p = std::strstr(p + 1, name)) {
    const bool startOk = p == list || p[-1] == ' ';
    const bool endOk = p[n] == '\0' || p[n] == ' ';
    if (startOk && endOk) return true;
  }
  return false;
}

}  // namespace

GlCapabilities& GlCapabilities::get() {
  static GlCapabilities caps;
  return caps;
}

void GlCapabilities::detect() {
  decide(reinterpret_cast<const char*>(glGetString(GL_VERSION)),
         reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)));
}

void GlCapabilities::decide(const char* version, const char* extensions) {
  int major = 0, minor = 0;
  if (version == nullptr || std::sscanf(version, "%d.%d", &major, &minor) != 2) major = minor = 0;
  const auto atLeast = [&](int wantMajor, int wantMinor) {
    return major > wantMajor || (major == wantMajor && minor >= wantMinor);
  };
  // The buffer calls are used by their core names, which only 1.5 promises;
  // the ARB extension alone names them with a suffix.
  vertexBuffers = atLeast(1, 5);
  // Core since 1.4; before that, the imaging subset brings the same name.
  blendEquation = atLeast(1, 4) || hasExtension(extensions, "GL_ARB_imaging");
  // Used by their core names (glCreateShader, glUseProgram), which only 2.0 promises.
  fragmentPrograms = atLeast(2, 0);
}

bool GlCapabilities::enableSwapControl() {
  Display* display = glXGetCurrentDisplay();
  const GLXDrawable drawable = glXGetCurrentDrawable();
  if (!display || !drawable) return false;
  const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
  if (hasExtension(extensions, "GLX_EXT_swap_control")) {
    using Fn = void (*)(Display*, GLXDrawable, int);
    if (auto fn = reinterpret_cast<Fn>(lookup("glXSwapIntervalEXT"))) {
      fn(display, drawable, 1);
      return true;
    }
  }
  if (hasExtension(extensions, "GLX_MESA_swap_control")) {
    using Fn = int (*)(unsigned);
    if (auto fn = reinterpret_cast<Fn>(lookup("glXSwapIntervalMESA"))) return fn(1) == 0;
  }
  if (hasExtension(extensions, "GLX_SGI_swap_control")) {
    using Fn = int (*)(int);
    if (auto fn = reinterpret_cast<Fn>(lookup("glXSwapIntervalSGI"))) return fn(1) == 0;
  }
  return false;
}

}  // namespace orb
