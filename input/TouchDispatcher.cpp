#include "input/TouchDispatcher.h"

#include <algorithm>

namespace orb {

Vec2<float> TouchDispatcher::toLayout(float x, float y) const {
  const Mapping& m = mapping_;
  return {m.logicalWidth / (m.windowWidth - 2 * m.offsetX) * (x - m.offsetX) - m.logicalWidth * 0.5f,
          m.logicalHeight / (m.windowHeight - 2 * m.offsetY) * (y - m.offsetY) - m.logicalHeight * 0.5f};
}

template <typename Call>
void TouchDispatcher::each(Call call) {
  // A copy: a receiver may create or destroy receivers while it handles an event.
  const std::vector<TouchCallBack*> snapshot = receivers_;
  for (TouchCallBack* receiver : snapshot) {
    if (std::find(receivers_.begin(), receivers_.end(), receiver) != receivers_.end()) call(receiver);
  }
}

void TouchDispatcher::began(const Touches& touches) {
  each([&](TouchCallBack* r) { r->touchesBegan(*this, touches); });
}

void TouchDispatcher::moved(const Touches& touches) {
  each([&](TouchCallBack* r) { r->touchesMoved(*this, touches); });
}

void TouchDispatcher::ended(const Touches& touches) {
  each([&](TouchCallBack* r) { r->touchesEnded(*this, touches); });
}

void TouchDispatcher::keyTap(float x, float y) {
  const Touches tap{{x, y, x, y}};
  fromKeys_ = true;
  began(tap);
  ended(tap);
  fromKeys_ = false;
}

void TouchDispatcher::add(TouchCallBack* receiver) { receivers_.push_back(receiver); }

void TouchDispatcher::remove(TouchCallBack* receiver) {
  auto it = std::find(receivers_.begin(), receivers_.end(), receiver);
  if (it != receivers_.end()) receivers_.erase(it);
}

}  // namespace orb
