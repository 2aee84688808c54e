#pragma once
#include <memory>

#include "input/KeyCallBack.h"
#include "input/KeyTap.h"
#include "input/TouchCallBack.h"
#include "task/TaskProc.h"

namespace orb {

class KeyInput;
class TouchMenu;
class Widget;

// The keyboard's way to the on-screen buttons (title, results, ranking, staff
// roll). Tab or the arrows move a ring between the buttons the touch menu
// offers to the keyboard; Enter or Space press the ringed one as a finger
// would (down with the key, up with the key, held long enough to show the
// press), Escape presses the button that closes the open panel, and Left and
// Right move a slider. With no button on offer the keys pass on down the key
// road. The ring shows from the first key and hides at the next mouse touch.
// Owns the key tap that takes the keys nobody else wants. Drawn above every
// screen (task layer 5, in the 2D projection).
class KeyFocus : public TaskProc, public KeyCallBack, public TouchCallBack {
 public:
  static constexpr float kMinPress = 0.15f;  // seconds a key press holds a button down
  static constexpr float kMargin = 6.0f;     // ring distance from the button, layout units

  KeyFocus(TouchMenu* menu, KeyInput* keys, TouchDispatcher* touch);
  ~KeyFocus() override;
  KeyFocus(const KeyFocus&) = delete;
  KeyFocus& operator=(const KeyFocus&) = delete;

  void update(float dt) override;
  void draw() override;
  void message(int) override {}

  bool keyDown(int code) override;
  void keyUp(int code) override;
  void focusLost() override;

  void touchesBegan(TouchDispatcher& dispatcher, const Touches& touches) override;
  void touchesMoved(TouchDispatcher&, const Touches&) override {}
  void touchesEnded(TouchDispatcher&, const Touches&) override {}

  // The ringed button while the ring shows, else null.
  std::shared_ptr<Widget> focused() const;

 private:
  void move(int step);
  void press(const std::shared_ptr<Widget>& widget, int code);
  void cancelPress();

  TouchMenu* menu_;
  KeyInput* keys_;
  TouchDispatcher* touch_;
  KeyTap tap_;
  bool shown_ = false;
  std::weak_ptr<Widget> focused_;
  std::weak_ptr<Widget> pressing_;
  int pressKey_ = 0;
  bool released_ = false;
  float pressClock_ = 0.0f;
  float pulse_ = 0.0f;
};

}  // namespace orb
