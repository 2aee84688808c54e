#pragma once
#include <array>
#include <memory>

#include "game/TrackPlayer.h"
#include "gfx/Easing.h"
#include "gfx/Vec2.h"
#include "input/TouchCallBack.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Texture;
class Widget;
class WidgetSet;

// The outcome of a finished game (layer 4): seven counters count up one after
// another on a dark panel, then zero to three fame marks pop in and the
// continue button appears; the button alone hands over to the ranking
// (kMsgResultsDone). A tap during the count-up skips to the final figures; a
// tap during the panel's opening is ignored, and one within "input_delay" of
// the screen's creation waits for the delay to pass.
//
// Creating it counts the game: settings "played", "playnum"[mode] and, once
// every place has been found, "nightmode". It also sends the globe to a
// resting view under a dimmed light.
//
// Reads the section "results" and the widgets "result_title", the seven row
// labels and "result_fame1".."result_fame3" of "game"."widgets". A label's
// "pos" y is a row number, multiplied by "next_y".
class Results : public TaskProc, public TouchCallBack {
 public:
  // The counters, in the order they count up and are listed.
  enum Row : int { kKonahen, kLevel, kJust, kJustMax, kTap, kTapAvg, kScore, kRowCount };
  static constexpr int kFameMarks = 3;

  static constexpr int kPanelEasing = kEaseQuartOut;  // every segment of "easing_in"/"easing_out"
  static constexpr int kFameEasing = kEaseBounceOut;  // a mark drops from "fame_scale" to 1
  // The panel: a rounded box in layout units, centred below the screen's middle
  // so the continue button fits under it.
  static constexpr float kBoxWidth = 370.0f;
  static constexpr float kBoxHeight = 510.0f;
  static constexpr float kBoxCentreY = -40.0f;

  explicit Results(GameContext* context);
  ~Results() override;
  Results(const Results&) = delete;
  Results& operator=(const Results&) = delete;

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  void touchesBegan(TouchDispatcher&, const Touches&) override {}
  void touchesMoved(TouchDispatcher&, const Touches&) override {}
  void touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) override;

  // The rating of a game, 0..kFameMarks: more places, levels, first-tap
  // answers and a longer streak raise it, extra taps per place lower it.
  static int fameCount(int level, int correct, int just, int justMax, int taps);

  // Taps per correct answer; 0 (shown as dashes) when nothing was found.
  float tapAverage() const { return targets_[kTapAvg]; }
  float shown(Row row) const { return shown_[row]; }
  float target(Row row) const { return targets_[row]; }
  int fame() const { return fame_; }
  bool finished() const { return finished_; }
  bool opening() const { return panelRunning_ && !closing_; }
  bool closing() const { return closing_; }
  // (scale, alpha) of the panel's opening or closing.
  const Vec2<float>& panel() const { return panel_.value(); }
  // (scale, alpha) of fame mark i.
  const Vec2<float>& mark(int i) const { return marks_[i]; }

 private:
  void restView();
  void countGame();
  void countUp(float dt);
  void drawNumbers(float alpha) const;

  GameContext* context_;
  TouchDispatcher* touch_;  // held here: the game context may be torn down before its tasks
  // Parameters of "results".
  float ctupDelay_ = 0.0f;    // seconds between the starts of two counters
  float countup_ = 0.0f;      // seconds each counter takes
  float inputDelay_ = 0.0f;   // seconds left before a continue request is acted on
  Vec2<float> offset_;        // "ofs_x", "ofs_y": the label and number block
  float nextY_ = 0.0f;        // row pitch, layout units
  Vec2<float> numPos_;        // the first number's top-left inside the block
  float fameTime_ = 0.0f, fameTimeOfs_ = 0.0f, fameScale_ = 1.0f;
  picojson::value easingOut_;

  std::shared_ptr<Texture> digits_;  // devdata/game.png
  std::shared_ptr<Texture> corner_;  // devdata/round.png
  std::shared_ptr<const WidgetSet> widgets_;
  std::shared_ptr<Widget> title_;
  std::array<std::shared_ptr<Widget>, kRowCount> labels_;  // own copies, row numbers turned into y
  std::array<std::shared_ptr<Widget>, kFameMarks> fameWidgets_;

  std::array<float, kRowCount> targets_{};
  std::array<float, kRowCount> shown_{};
  float clock_ = 0.0f;  // count-up clock, seconds
  float end_ = 0.0f;    // count-up clock at which the last counter is done
  bool finished_ = false;

  TrackPlayer panel_;
  bool panelRunning_ = true;
  bool closing_ = false;

  int fame_ = 0;
  bool famePhase_ = false;
  float fameClock_ = 0.0f;
  std::array<Vec2<float>, kFameMarks> marks_{};

  bool continueRequested_ = false;
};

}  // namespace orb
