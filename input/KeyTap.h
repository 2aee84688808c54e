#pragma once
#include "input/KeyCallBack.h"

namespace orb {

class KeyInput;
class TouchDispatcher;

// The keys nobody else took become taps, so whatever a tap does, a key does:
// Space or Enter tap the screen centre (in a game, where the reticle aims),
// Escape taps outside the window (it skips and closes, never picks a button
// or a place). Registered last in the key road.
class KeyTap : public KeyCallBack {
 public:
  KeyTap(KeyInput* keys, TouchDispatcher* touch);
  ~KeyTap() override;
  KeyTap(const KeyTap&) = delete;
  KeyTap& operator=(const KeyTap&) = delete;

  bool keyDown(int code) override;

 private:
  KeyInput* keys_;
  TouchDispatcher* touch_;
};

}  // namespace orb
