#pragma once
#include <cstdint>

namespace orb {

// The last key pressed in each frame, double-buffered so the shell can read the
// key of the frame just processed. Codes 1-127 are characters, 128-255 GLUT
// special keys + 128, 0 none.
class KeyInput {
 public:
  // Start of a frame: flip buffers and clear the new current one.
  void swap() {
    current_ ^= 1;
    keys_[current_] = 0;
  }
  void press(std::uint8_t code) { keys_[current_] = code; }
  std::uint8_t current() const { return keys_[current_]; }
  // The key recorded during the previous frame (the buffer swap() just retired).
  std::uint8_t previous() const { return keys_[current_ ^ 1]; }

 private:
  int current_ = 0;
  std::uint8_t keys_[2] = {0, 0};
};

}  // namespace orb
