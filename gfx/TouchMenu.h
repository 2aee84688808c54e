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

  explicit TouchMenu(TouchDispatcher* dispatcher);  // registers as a touch receiver
  ~TouchMenu() override;
  TouchMenu(const TouchMenu&) = delete;
  TouchMenu& operator=(const TouchMenu&) = delete;

  // Appends a button; the first registered wins where buttons overlap.
  void add(const std::shared_ptr<Widget>& widget, Callback callback);

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
  };

  TouchDispatcher* dispatcher_;
  std::vector<Entry> entries_;
  int captured_ = -1;  // index into entries_, -1 when no button holds the touch
};

}  // namespace orb
