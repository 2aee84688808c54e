#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "gfx/Vec2.h"
#include "input/TouchCallBack.h"
#include "task/TaskProc.h"

namespace orb {

class TouchDispatcher;
class Widget;

// The one hit-tester every on-screen button is registered with. A touch that
// begins on a button is captured by it: the button alone hears how the finger
// moves and where it lifts, so a press can be cancelled by sliding off.
// Buttons are held weakly: a button whose screen has gone never hears a touch,
// even before the next update forgets it.
class TouchMenu : public TaskProc, public TouchCallBack {
 public:
  // What a button hears. The point is in layout units.
  enum Kind : int {
    kBegan = 0,        // the touch began on the button
    kEntered = 1,      // the finger slid back onto it
    kMovedOn = 2,
    kLeft = 3,         // the finger slid off it
    kMovedOff = 4,
    kReleasedOn = 5,   // a press: the finger lifted on the button
    kReleasedOff = 6,  // cancelled: the finger lifted elsewhere
  };
  using Callback = std::function<void(int kind, const Vec2<float>& point, Widget& widget)>;

  // What the keyboard needs of a button. ready: the focus ring may stop on it
  // now (without it the keyboard passes the button by); closes: Escape presses
  // it, because it closes the open panel; adjust: a slider, moved one step
  // (-1 or +1) by Left and Right.
  struct Focus {
    std::function<bool()> ready;
    std::function<bool()> closes;
    std::function<void(int step)> adjust;
  };

  explicit TouchMenu(TouchDispatcher* dispatcher);  // registers as a touch receiver
  ~TouchMenu() override;
  TouchMenu(const TouchMenu&) = delete;
  TouchMenu& operator=(const TouchMenu&) = delete;

  // Appends a button; the first registered wins where buttons overlap.
  void add(const std::shared_ptr<Widget>& widget, Callback callback, Focus focus = {});

  // The keyboard's side. The buttons the focus ring may stop on now, in
  // registration order.
  std::vector<std::shared_ptr<Widget>> focusable() const;
  bool closes(const Widget& widget) const;
  bool adjustable(const Widget& widget) const;
  void adjust(const Widget& widget, int step);
  // Tells the button kind as a finger would, at the button's centre.
  void keyTouch(Widget& widget, int kind);

  // True while a touch that began on a button is down: the globe leaves it alone.
  bool capturing() const { return captured_ >= 0; }
  std::size_t buttonCount() const { return entries_.size(); }

  void update(float dt) override;  // forgets the buttons whose screens have gone
  void draw() override {}
  void message(int) override {}

  void touchesBegan(TouchDispatcher& dispatcher, const Touches& touches) override;
  void touchesMoved(TouchDispatcher& dispatcher, const Touches& touches) override;
  void touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) override;

 private:
  struct Entry {
    std::weak_ptr<Widget> widget;
    Callback callback;
    Focus focus;
  };

  const Entry* find(const Widget& widget) const;

  TouchDispatcher* dispatcher_;
  std::vector<Entry> entries_;
  int captured_ = -1;  // index into entries_, -1 when no button holds the touch
};

}  // namespace orb
