#pragma once
#include <memory>

#include <picojson.h>

#include "gfx/KeyframeTrack.h"
#include "input/TouchCallBack.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Widget;

// The game's name: its halves "glob" and "aro" slide in from the two screen
// edges (track 1, (slide, alpha), "logo_easing"), then their subtitles and the
// studio's mark fade in (track 2, one alpha, "logo2_easing"). Both tracks run
// on one clock after "logo_delay". A touch (not on the first run) completes
// every panel's opening at once through 32. Leaves with its own closing
// tracks: "logo_end_easing" on 33 or 44, "logo_start_easing" on 43.
class TitleLogo : public TaskProc, public TouchCallBack {
 public:
  explicit TitleLogo(GameContext* context);
  ~TitleLogo() override;
  TitleLogo(const TitleLogo&) = delete;
  TitleLogo& operator=(const TitleLogo&) = delete;

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  void touchesBegan(TouchDispatcher&, const Touches&) override {}
  void touchesMoved(TouchDispatcher&, const Touches&) override {}
  void touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) override;

  bool shown() const { return delay_ <= 0.0f; }
  float slide() const { return main_.x; }  // 1: halves off screen, 0: closed up

 private:
  // Track 2 holds single values [from, to, duration]; kept as pairs with b = 0.
  static void buildSingleTrack(int easing, const picojson::value& keys, KeyframeTrack& track);
  void close(const char* mainKey, int mainEasing, const char* subKey);

  GameContext* ctx_;
  picojson::value params_;  // "title"
  std::shared_ptr<Widget> glob_, aro_, globKana_, aroKana_, orb_;
  KeyframeTrack track1_, track2_;
  Vec2<float> main_{1.0f, 0.0f};  // (slide, alpha)
  Vec2<float> sub_{0.0f, 0.0f};   // (alpha, unused)
  float delay_;
  float clock_ = 0.0f;
  bool firstRun_;
  bool skip_ = false;
  bool closing_ = false;
};

}  // namespace orb
