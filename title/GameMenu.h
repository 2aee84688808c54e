#pragma once
#include <memory>

#include "gfx/ButtonPress.h"
#include "input/KeyCallBack.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Widget;
class WidgetSet;

// The abort button of a game in play. A press pauses the game and slides out
// the confirmation ("abort_ok" ends the game and flies the globe back to its
// resting view; "abort_ng" resumes); while paused the "pause" label blinks.
// Slides out with the game's end and leaves at once on the way back to the
// title. A demonstration has none. Reads the section "gamemenu".
// The keyboard reaches it too: Escape pauses (the abort press), and while
// paused Enter confirms and Escape resumes; losing the window's keyboard focus
// pauses as Escape would.
class GameMenu : public TaskProc, public KeyCallBack {
 public:
  static constexpr float kSlideInFrom = 100.0f;  // x offset, layout units
  static constexpr float kSlideTime = 1.0f;      // seconds, in and out
  static constexpr float kConfirmTime = 0.5f;    // seconds, opening or closing the confirmation
  static constexpr float kBlinkRate = 1.5f;      // half-blinks per second
  static constexpr float kKeyPressTime = 0.15f;  // seconds a key holds a button's press

  explicit GameMenu(GameContext* context);
  ~GameMenu() override;

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool keyDown(int code) override;
  void focusLost() override;

  bool paused() const { return paused_; }
  bool confirmShown() const { return confirmShown_; }
  bool sliding() const { return sliding_; }
  float offset() const { return offset_; }
  float pauseAlpha() const;
  std::shared_ptr<Widget> widget(const char* name) const;

 private:
  enum class Slide { In, Out, Confirm };

  void slide(Slide kind, float to, float duration);
  void onAbort(int kind);
  void onConfirm(int kind);
  void onCancel(int kind);
  void togglePause();
  void followOffset();
  bool slidingInOrOut() const { return sliding_ && slideKind_ != Slide::Confirm; }
  void confirm();
  void keyPress(ButtonPress& press);
  void pauseByKey();

  GameContext* context_;
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> abort_, ok_, ng_, pause_;
  ButtonPress abortPress_, okPress_, ngPress_;
  float confirmOffset_ = 0.0f;  // "ofs": where the panel stands while paused

  bool sliding_ = false;
  Slide slideKind_ = Slide::In;
  float slideClock_ = 0.0f, slideTime_ = 0.0f, from_ = 0.0f, to_ = 0.0f;
  float offset_ = kSlideInFrom;
  bool closing_ = false;
  bool paused_ = false;
  bool confirmShown_ = false;
  float blinkClock_ = 0.0f;
  bool keysAdded_ = false;
  bool pauseWanted_ = false;        // asked while sliding in: pause once in
  ButtonPress* keyPressed_ = nullptr;  // the button a key holds down
  float keyPressLeft_ = 0.0f;
};

}  // namespace orb
