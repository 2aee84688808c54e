#pragma once
#include <string>
#include <vector>

#include "gfx/PngImage.h"

namespace orb {

// Decodes a few images on a worker thread while the main thread opens the
// window and starts the GL driver, so start-up does not wait for the globe's
// large images one after another. Whoever loads an image goes through load():
// it takes the preloaded image when there is one, waiting for it if it is
// still being decoded, and otherwise decodes the file there and then. Each
// preloaded image is handed out once; what nobody took is dropped by finish().
class ImagePreload {
 public:
  // Starts decoding the files, in order, on one worker thread. A call while
  // an earlier worker still runs waits for it first.
  static void start(const std::vector<std::string>& paths);
  // PngImage::load(path), or the same result decoded beforehand.
  [[nodiscard]] static bool load(const std::string& path, PngImage& image, std::string& error);
  // Waits for the worker and drops the images nobody took.
  static void finish();
  // How many preloaded images are waiting to be taken (for tests).
  static int waiting();
};

}  // namespace orb
