#include "gfx/KeyFocus.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "gfx/MathConstants.h"
#include "gfx/TouchMenu.h"
#include "gfx/Widget.h"
#include "input/KeyCodes.h"
#include "input/KeyInput.h"
#include "input/TouchDispatcher.h"

namespace orb {
namespace {

// The accent gold of the game's rewards, so the ring reads as "here" and not
// as right or wrong.
constexpr float kRingR = 1.0f, kRingG = 0.78f, kRingB = 0.2f;
constexpr float kPulseRate = 4.0f;  // radians per second of the ring's breathing
constexpr float kMaxCorner = 40.0f;  // layout units: square buttons keep square-ish rings

// The outline of a rectangle with round corners of the given radius: a pill
// around the pill buttons, a circle around the round ones.
void roundedOutline(float x0, float y0, float x1, float y1, float radius) {
  constexpr int kCornerSteps = 8;
  const float cx[4] = {x1 - radius, x0 + radius, x0 + radius, x1 - radius};
  const float cy[4] = {y0 + radius, y0 + radius, y1 - radius, y1 - radius};
  glBegin(GL_LINE_LOOP);
  for (int corner = 0; corner < 4; ++corner) {
    for (int i = 0; i <= kCornerSteps; ++i) {
      const float a = (static_cast<float>(corner) + static_cast<float>(i) / kCornerSteps) * kPi * 0.5f;
      glVertex2f(cx[corner] + radius * std::cos(a), cy[corner] - radius * std::sin(a));
    }
  }
  glEnd();
}

}  // namespace

KeyFocus::KeyFocus(TouchMenu* menu, KeyInput* keys, TouchDispatcher* touch)
    : menu_(menu), keys_(keys), touch_(touch), tap_(keys, touch) {
  if (keys_) keys_->add(this, kKeyRankFocus);
  if (touch_) touch_->add(this);
}

KeyFocus::~KeyFocus() {
  if (keys_) keys_->remove(this);
  if (touch_) touch_->remove(this);
}

std::shared_ptr<Widget> KeyFocus::focused() const {
  if (!shown_ || !menu_) return nullptr;
  const std::shared_ptr<Widget> w = focused_.lock();
  if (!w) return nullptr;
  const auto offered = menu_->focusable();
  return std::find(offered.begin(), offered.end(), w) != offered.end() ? w : nullptr;
}

void KeyFocus::move(int step) {
  const std::vector<std::shared_ptr<Widget>> offered = menu_->focusable();
  if (offered.empty()) return;
  const auto at = std::find(offered.begin(), offered.end(), focused_.lock());
  const int n = static_cast<int>(offered.size());
  int index = 0;
  if (shown_ && at != offered.end()) {
    index = (static_cast<int>(at - offered.begin()) + step + n) % n;
  } else if (step < 0) {
    index = n - 1;
  }
  focused_ = offered[static_cast<std::size_t>(index)];
  shown_ = true;
}

void KeyFocus::press(const std::shared_ptr<Widget>& widget, int code) {
  cancelPress();
  pressing_ = widget;
  pressKey_ = code;
  released_ = false;
  pressClock_ = 0.0f;
  menu_->keyTouch(*widget, TouchMenu::kBegan);
}

// The key went away without a release on the button (the mouse took over or
// the window lost the keyboard): the button springs back, nothing is pressed.
void KeyFocus::cancelPress() {
  const std::shared_ptr<Widget> w = pressing_.lock();
  pressing_.reset();
  if (!w || !menu_) return;
  menu_->keyTouch(*w, TouchMenu::kLeft);
  menu_->keyTouch(*w, TouchMenu::kReleasedOff);
}

bool KeyFocus::keyDown(int code) {
  if (!menu_) return false;
  const bool offered = !menu_->focusable().empty();
  switch (code) {
    case kKeyLeft:
    case kKeyRight: {
      const std::shared_ptr<Widget> w = focused();
      if (w && menu_->adjustable(*w)) {
        menu_->adjust(*w, code == kKeyRight ? 1 : -1);
        return true;
      }
      if (!offered) return false;
      move(code == kKeyRight ? 1 : -1);
      return true;
    }
    case kKeyTab:
    case kKeyDown:
    case kKeyUp:
      if (!offered) return false;
      move(code == kKeyUp ? -1 : 1);
      return true;
    case kKeyEnter:
    case kKeySpace: {
      if (!offered) return false;
      if (!focused()) move(1);
      const std::shared_ptr<Widget> w = focused();
      if (w && !menu_->adjustable(*w)) press(w, code);
      return true;
    }
    case kKeyEscape:
      for (const std::shared_ptr<Widget>& w : menu_->focusable()) {
        if (!menu_->closes(*w)) continue;
        press(w, code);
        released_ = true;  // a tap: up as soon as the press has shown
        return true;
      }
      return false;
    default:
      return false;
  }
}

void KeyFocus::keyUp(int code) {
  if (code == pressKey_) released_ = true;
}

void KeyFocus::focusLost() { cancelPress(); }

void KeyFocus::touchesBegan(TouchDispatcher& dispatcher, const Touches&) {
  if (dispatcher.fromKeys()) return;
  shown_ = false;
  cancelPress();
}

void KeyFocus::update(float dt) {
  pulse_ += dt;
  if (const std::shared_ptr<Widget> w = pressing_.lock()) {
    pressClock_ += dt;
    if (released_ && pressClock_ >= kMinPress) {
      pressing_.reset();
      menu_->keyTouch(*w, TouchMenu::kReleasedOn);
    }
  }
  // The ringed button went away (its panel closed): the ring, once shown,
  // moves on to the first button offered next.
  if (shown_ && menu_ && !focused()) {
    const auto offered = menu_->focusable();
    if (!offered.empty()) focused_ = offered.front();
  }
}

void KeyFocus::draw() {
  const std::shared_ptr<Widget> w = focused();
  if (!w) return;
  const Vec2<float> corner = w->topLeft();
  const float x0 = corner.x - kMargin, y0 = corner.y - kMargin;
  const float x1 = corner.x + w->width + kMargin, y1 = corner.y + w->height + kMargin;
  const float alpha = 0.75f + 0.25f * std::sin(pulse_ * kPulseRate);
  const float radius = std::min(std::min(x1 - x0, y1 - y0) * 0.5f, kMaxCorner);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  // A dark edge under the gold keeps the ring readable over ice and desert.
  glLineWidth(7.0f);
  glColor4f(0.0f, 0.0f, 0.0f, 0.6f * alpha);
  roundedOutline(x0, y0, x1, y1, radius);
  glLineWidth(3.5f);
  glColor4f(kRingR, kRingG, kRingB, alpha);
  roundedOutline(x0, y0, x1, y1, radius);
  glLineWidth(1.0f);
  glDisable(GL_LINE_SMOOTH);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace orb
