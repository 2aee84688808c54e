#pragma once
#include <memory>
#include <string>
#include <vector>

#include "gfx/Easing.h"
#include "gfx/Vec3.h"
#include "input/TouchCallBack.h"
#include "records/RankingStore.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Font;
class Texture;

// The ten best results of one mode on a dark rounded panel (layer 4). Two
// displays: after a game (newResult) the finished game is stored at once, its
// row blinks, a top-five place unlocks the next mode or option, and the
// continue button closes the screen; from the title's attract cycle
// (showcase) a highlight walks up the rows and the screen closes by itself
// after "disp_time". Rows slide in from alternate sides while the panel
// grows; a tap during the opening only completes it. Closing announces
// kMsgRankingClosed then kMsgRankingGone and brings the globe's light back
// up. Reads the parameter section "ranking" ("title", "time_ed",
// "disp_time", "col_demo_time") and the font "ranking".
class Ranking : public TaskProc, public TouchCallBack {
 public:
  static constexpr int kEasing = kEaseQuartOut;  // opening, closing and the panel
  static constexpr float kSoundDelay = 0.6f;     // seconds before the fanfare
  static constexpr int kBlinkFrames = 5;         // frames per blink colour
  static constexpr float kLightTime = 1.0f;      // seconds the light takes to come back
  static constexpr int kNoRow = 10;              // the highlight before it starts: below the table

  Ranking(GameContext* context, int mode, bool newResult);
  ~Ranking() override;
  Ranking(const Ranking&) = delete;
  Ranking& operator=(const Ranking&) = delete;

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  void touchesBegan(TouchDispatcher&, const Touches&) override {}
  void touchesMoved(TouchDispatcher&, const Touches&) override {}
  void touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) override;

  const std::vector<RankRow>& rows() const { return rows_; }
  int newRowPosition() const { return RankingStore::newRowPosition(rows_); }
  int mode() const { return mode_; }
  bool shown() const { return shown_; }
  bool closing() const { return closing_; }
  int highlightRow() const { return highlightRow_; }
  // (row slide factor, alpha, heading lift factor) of the opening and closing.
  const Vec3& transition() const { return value_; }
  float boxScale() const { return boxScale_; }

 private:
  struct Columns;  // x positions of a row's fields, measured once per font

  void requestClose() { closeRequested_ = true; }
  void startClosing();
  void ease();
  void drawRow(int i, const Columns& columns) const;
  const Columns& columns() const;

  GameContext* context_;
  bool newResult_;
  int mode_;
  float timeEd_ = 1.0f;       // seconds of the opening
  float dispTime_ = 0.0f;     // seconds a showcase stays
  float colDemoTime_ = 0.0f;  // seconds the highlight rests on a row
  std::string heading_;
  std::shared_ptr<Font> font_;
  std::shared_ptr<Texture> corner_;
  std::vector<RankRow> rows_;  // exactly ten

  float clock_ = 0.0f;
  float duration_ = 1.0f;
  Vec3 value_{1.0f, 0.0f, 1.0f};
  Vec3 from_{1.0f, 0.0f, 1.0f};
  Vec3 to_{0.0f, 1.0f, 0.0f};
  float boxScale_ = 0.0f;
  float boxFrom_ = 0.0f;
  float boxTo_ = 1.0f;
  float boxDuration_ = 0.4f;
  float autoClose_ = 0.0f;  // seconds left of a showcase; 0 = off

  bool closeRequested_ = false;
  bool shown_ = false;
  bool closing_ = false;

  Vec3 blink_{1.0f, 1.0f, 1.0f};
  int blinkIndex_ = 0;
  int blinkFrames_ = kBlinkFrames;
  float highlightClock_;
  int highlightRow_ = kNoRow;

  mutable std::unique_ptr<Columns> columns_;
};

}  // namespace orb
