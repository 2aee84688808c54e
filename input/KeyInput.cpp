#include "input/KeyInput.h"

#include <algorithm>

#include "input/KeyCallBack.h"

namespace orb {
namespace {

// GLUT names a released key by the character it makes at the moment of release,
// so a "+" whose Shift comes up first is released as "=" (and "A" as "a"). The
// other face of the same key is released with it, or the first stays held.
std::uint8_t otherFace(std::uint8_t code) {
  switch (code) {
    case '+': return '=';
    case '=': return '+';
    case '-': return '_';
    case '_': return '-';
    default: break;
  }
  if (code >= 'a' && code <= 'z') return static_cast<std::uint8_t>(code - 'a' + 'A');
  if (code >= 'A' && code <= 'Z') return static_cast<std::uint8_t>(code - 'A' + 'a');
  return code;
}

}  // namespace

void KeyInput::add(KeyCallBack* receiver, int rank) {
  const auto at = std::find_if(receivers_.begin(), receivers_.end(),
                               [rank](const Receiver& r) { return r.rank > rank; });
  receivers_.insert(at, Receiver{receiver, rank});
}

void KeyInput::remove(KeyCallBack* receiver) {
  const auto at = std::find_if(receivers_.begin(), receivers_.end(),
                               [receiver](const Receiver& r) { return r.receiver == receiver; });
  if (at != receivers_.end()) receivers_.erase(at);
}

bool KeyInput::listed(const KeyCallBack* receiver) const {
  return std::any_of(receivers_.begin(), receivers_.end(),
                     [receiver](const Receiver& r) { return r.receiver == receiver; });
}

void KeyInput::down(std::uint8_t code) {
  if (held_[code]) return;
  held_[code] = true;
  // A copy: taking a key may create or end screens that come and go as receivers.
  const std::vector<Receiver> snapshot = receivers_;
  for (const Receiver& r : snapshot) {
    if (listed(r.receiver) && r.receiver->keyDown(code)) return;
  }
}

void KeyInput::up(std::uint8_t code) {
  release(code);
  if (otherFace(code) != code) release(otherFace(code));
}

void KeyInput::release(std::uint8_t code) {
  if (!held_[code]) return;
  held_[code] = false;
  const std::vector<Receiver> snapshot = receivers_;
  for (const Receiver& r : snapshot) {
    if (listed(r.receiver)) r.receiver->keyUp(code);
  }
}

void KeyInput::loseFocus() {
  for (int code = 0; code < 256; ++code) release(static_cast<std::uint8_t>(code));
  const std::vector<Receiver> snapshot = receivers_;
  for (const Receiver& r : snapshot) {
    if (listed(r.receiver)) r.receiver->focusLost();
  }
}

}  // namespace orb
