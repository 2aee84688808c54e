#include "gfx/TouchMenu.h"

#include <algorithm>

#include "gfx/Widget.h"
#include "input/TouchDispatcher.h"

namespace orb {

TouchMenu::TouchMenu(TouchDispatcher* dispatcher) : dispatcher_(dispatcher) {
  if (dispatcher_) dispatcher_->add(this);
}

TouchMenu::~TouchMenu() {
  if (dispatcher_) dispatcher_->remove(this);
}

void TouchMenu::add(const std::shared_ptr<Widget>& widget, Callback callback, Focus focus) {
  if (widget) entries_.push_back({widget, std::move(callback), std::move(focus)});
}

const TouchMenu::Entry* TouchMenu::find(const Widget& widget) const {
  for (const Entry& e : entries_) {
    if (e.widget.lock().get() == &widget) return &e;
  }
  return nullptr;
}

std::vector<std::shared_ptr<Widget>> TouchMenu::focusable() const {
  std::vector<std::shared_ptr<Widget>> out;
  for (const Entry& e : entries_) {
    std::shared_ptr<Widget> w = e.widget.lock();
    if (w && e.focus.ready && e.focus.ready()) out.push_back(std::move(w));
  }
  return out;
}

bool TouchMenu::closes(const Widget& widget) const {
  const Entry* e = find(widget);
  return e && e->focus.closes && e->focus.closes();
}

bool TouchMenu::adjustable(const Widget& widget) const {
  const Entry* e = find(widget);
  return e && e->focus.adjust;
}

void TouchMenu::adjust(const Widget& widget, int step) {
  const Entry* e = find(widget);
  if (!e || !e->focus.adjust) return;
  const auto call = e->focus.adjust;  // the call may add buttons
  call(step);
}

void TouchMenu::keyTouch(Widget& widget, int kind) {
  const Entry* e = find(widget);
  if (!e) return;
  const Callback call = e->callback;  // the call may add buttons
  const Vec2<float> corner = widget.topLeft();
  call(kind, {corner.x + widget.width * 0.5f, corner.y + widget.height * 0.5f}, widget);
}

void TouchMenu::update(float) {
  const Entry* held = captured_ >= 0 ? &entries_[static_cast<std::size_t>(captured_)] : nullptr;
  std::vector<Entry> kept;
  kept.reserve(entries_.size());
  int heldAt = -1;
  for (Entry& e : entries_) {
    if (e.widget.expired()) continue;
    if (&e == held) heldAt = static_cast<int>(kept.size());
    kept.push_back(std::move(e));
  }
  entries_ = std::move(kept);
  captured_ = heldAt;
}

void TouchMenu::touchesBegan(TouchDispatcher& dispatcher, const Touches& touches) {
  if (touches.empty() || captured_ >= 0) return;  // a second finger never steals the press
  const Vec2<float> p = dispatcher.toLayout(touches[0].x, touches[0].y);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const std::shared_ptr<Widget> w = entries_[i].widget.lock();
    if (!w || !w->contains(p)) continue;
    captured_ = static_cast<int>(i);
    const Callback call = entries_[i].callback;  // a callback may add buttons
    call(kBegan, p, *w);
    return;
  }
}

void TouchMenu::touchesMoved(TouchDispatcher& dispatcher, const Touches& touches) {
  if (touches.empty() || captured_ < 0) return;
  const Entry e = entries_[static_cast<std::size_t>(captured_)];  // a callback may add buttons
  const std::shared_ptr<Widget> w = e.widget.lock();
  if (!w) {
    captured_ = -1;
    return;
  }
  const Vec2<float> now = dispatcher.toLayout(touches[0].x, touches[0].y);
  const Vec2<float> before = dispatcher.toLayout(touches[0].prevX, touches[0].prevY);
  const bool on = w->contains(now), wasOn = w->contains(before);
  const int kind = on && wasOn ? kMovedOn : on ? kEntered : wasOn ? kLeft : kMovedOff;
  e.callback(kind, now, *w);
}

void TouchMenu::touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) {
  if (captured_ < 0) return;
  const Entry e = entries_[static_cast<std::size_t>(captured_)];  // the callback may add buttons
  captured_ = -1;
  const std::shared_ptr<Widget> w = e.widget.lock();
  if (!w || touches.empty()) return;
  const Vec2<float> p = dispatcher.toLayout(touches[0].x, touches[0].y);
  e.callback(w->contains(p) ? kReleasedOn : kReleasedOff, p, *w);
}

}  // namespace orb
