#include "input/KeyTap.h"

#include "input/KeyCodes.h"
#include "input/KeyInput.h"
#include "input/TouchDispatcher.h"

namespace orb {
namespace {

// Far outside any window: no button or globe lies there.
constexpr float kNowhere = -100000.0f;

}  // namespace

KeyTap::KeyTap(KeyInput* keys, TouchDispatcher* touch) : keys_(keys), touch_(touch) {
  if (keys_) keys_->add(this, kKeyRankTap);
}

KeyTap::~KeyTap() {
  if (keys_) keys_->remove(this);
}

bool KeyTap::keyDown(int code) {
  if (!touch_) return false;
  const TouchDispatcher::Mapping& m = touch_->mapping();
  switch (code) {
    case kKeySpace:
    case kKeyEnter:
      // The window centre is the viewport centre: the letter-box margins are equal.
      touch_->keyTap(m.windowWidth * 0.5f, m.windowHeight * 0.5f);
      return true;
    case kKeyEscape:
      touch_->keyTap(kNowhere, kNowhere);
      return true;
    default:
      return false;
  }
}

}  // namespace orb
