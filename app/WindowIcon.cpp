#include "app/WindowIcon.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "gfx/PngImage.h"

namespace orb {
namespace {

constexpr const char* kAppId = "io.github.pebblecrest.Globaro";
// Task bars ask for small sizes, window switchers for larger ones.
constexpr int kSizes[] = {16, 32, 64};

bool readIcon(const std::string& dataDir, int size, PngImage& image) {
  const std::string px = std::to_string(size) + "x" + std::to_string(size);
  const std::string candidates[] = {
      dataDir + "../icons/hicolor/" + px + "/apps/" + kAppId + ".png",  // <prefix>/share/globaro/
      dataDir + "packaging/icons/" + px + ".png",                          // the source tree
  };
  for (const std::string& path : candidates) {
    std::ifstream in(path, std::ios::binary);
    if (!in) continue;
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    if (image.decode(bytes.data(), bytes.size(), error)) return true;
    std::cerr << "globaro: window icon " << path << ": " << error << "\n";
  }
  return false;
}

}  // namespace

bool WindowIcon::apply(const std::string& dataDir) {
  Display* display = glXGetCurrentDisplay();
  const GLXDrawable window = glXGetCurrentDrawable();
  if (display == nullptr || window == 0) return false;

  // _NET_WM_ICON: for each size, width, height, then ARGB pixels, each in a
  // long (Xlib's 32-bit property format is carried in longs even on 64-bit).
  std::vector<unsigned long> data;
  for (int size : kSizes) {
    PngImage image;
    if (!readIcon(dataDir, size, image)) continue;
    data.push_back(static_cast<unsigned long>(image.width));
    data.push_back(static_cast<unsigned long>(image.height));
    const int channels = image.channels();
    for (std::size_t i = 0; i + channels <= image.pixels.size(); i += channels) {
      const unsigned long alpha = channels == 4 ? image.pixels[i + 3] : 255;
      data.push_back(alpha << 24 | static_cast<unsigned long>(image.pixels[i]) << 16 |
                     static_cast<unsigned long>(image.pixels[i + 1]) << 8 | image.pixels[i + 2]);
    }
  }
  if (data.empty()) {
    std::cerr << "globaro: no window icon found near " << dataDir << "\n";
    return false;
  }
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                  static_cast<int>(data.size()));
  XFlush(display);
  return true;
}

}  // namespace orb
