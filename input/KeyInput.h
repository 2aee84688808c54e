#pragma once
#include <bitset>
#include <cstdint>
#include <vector>

namespace orb {

class KeyCallBack;

// The last key pressed in each frame, double-buffered so the shell can read the
// key of the frame just processed. Codes 1-127 are characters, 128-255 GLUT
// special keys + 128, 0 none.
// Beside it, the key road of keyboard play: downs and ups handed to ranked
// receivers (KeyCallBack), a held key's repeats filtered out.
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

  // Receivers are asked in ascending rank (KeyRank), equal ranks in
  // registration order.
  void add(KeyCallBack* receiver, int rank);
  void remove(KeyCallBack* receiver);
  // A key went down: ignored while already held (auto-repeat), else offered.
  void down(std::uint8_t code);
  void up(std::uint8_t code);
  // The window lost the keyboard: no release will come for the held keys, so
  // they are released here, then every receiver hears it.
  void loseFocus();
  bool held(std::uint8_t code) const { return held_[code]; }

 private:
  bool listed(const KeyCallBack* receiver) const;
  void release(std::uint8_t code);

  int current_ = 0;
  std::uint8_t keys_[2] = {0, 0};
  struct Receiver {
    KeyCallBack* receiver;
    int rank;
  };
  std::vector<Receiver> receivers_;
  std::bitset<256> held_;
};

}  // namespace orb
