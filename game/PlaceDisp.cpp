#include "game/PlaceDisp.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Easing.h"
#include "gfx/Font.h"
#include "gfx/FontCache.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/TextureCache.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr const char* kFontName = "place";
constexpr const char* kCornerImage = "devdata/round.png";
constexpr int kSwellEasing = 23;     // quart out
constexpr float kLeaveY = -200.0f;   // up and off the top
constexpr float kLeaveTime = 1.5f;

float half(float size) { return static_cast<float>(static_cast<int>(size) / 2); }
float truncHalf(float size) { return static_cast<float>(static_cast<int>(size / 2.0f)); }
}  // namespace

PlaceDisp::Layout PlaceDisp::layout(const Vec2<float>& nameSize, const Vec2<float>& answerSize,
                                    bool withAnswer, const Vec2<float>& offset, int screenHeight) {
  const float nw = nameSize.x, nh = nameSize.y;
  const float W = withAnswer ? std::max(nw, answerSize.x) : nw;
  const float H = withAnswer ? nh + answerSize.y + kLineGap : nh;
  const float top = -static_cast<float>(screenHeight) / 2.0f;
  Layout l;
  l.box = {W + kPadX, H + kPadY};
  l.boxPivot = {half(W + kPadX), half(H + kPadY)};
  l.boxPos = {offset.x, nh + top + offset.y};
  l.namePos = {offset.x + kTextShiftX, nh + kTextDrop - H / 2.0f + top + offset.y};
  l.namePivot = {truncHalf(nw), truncHalf(-nh)};
  l.answerPos = {offset.x + kTextShiftX, H / 2.0f + kTextDrop + top + offset.y};
  l.answerPivot = {truncHalf(answerSize.x), truncHalf(-answerSize.y)};
  return l;
}

PlaceDisp::PlaceDisp(GameContext* context) : context_(context) {
  if (context_->fonts) font_ = context_->fonts->getFont(kFontName);
  if (context_->textures) {
    const std::string prefix = context_->dataDir ? *context_->dataDir : std::string();
    corner_ = context_->textures->getTexture(prefix + kCornerImage);
  }
  if (context_->params) {
    const picojson::value& p = json::at(context_->params->root(), "placedisp");
    scaleSt_ = json::real(p, "scale_st", 1.0f);
    timeEd_ = json::real(p, "time_ed");
    ansScaleSt_ = json::real(p, "ans_scale_st", 1.0f);
    ansTimeEd_ = json::real(p, "ans_time_ed");
    correctDisp_ = json::real(p, "correct_disp");
    missDisp_ = json::real(p, "miss_disp");
  }
  leave_.start({0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f}, 0.0f);
}

void PlaceDisp::showAnswer(float seconds) {
  answerShown_ = true;
  answerTime_ = 0.0f;
  answerScale_ = ansScaleSt_;
  answerAlpha_ = 0.0f;
  hiding_ = true;
  hideTimer_ = seconds;
}

void PlaceDisp::update(float dt) {
  leave_.update(dt);
  if (closing_ && leave_.finished()) {
    retire();
    return;
  }
  if (!shown_) return;
  nameTime_ += dt;
  tween(nameScale_, nameTime_, scaleSt_, 1.0f, timeEd_, kSwellEasing);
  tween(nameAlpha_, nameTime_, 0.0f, 1.0f, timeEd_, kSwellEasing);
  if (answerShown_) {
    answerTime_ += dt;
    tween(answerScale_, answerTime_, ansScaleSt_, 1.0f, ansTimeEd_, kSwellEasing);
    tween(answerAlpha_, answerTime_, 0.0f, 1.0f, ansTimeEd_, kSwellEasing);
  }
  if (hiding_) {
    hideTimer_ -= dt;
    if (hideTimer_ <= 0.0f) {
      hiding_ = false;
      shown_ = false;
      answerShown_ = false;
    }
  }
}

void PlaceDisp::draw() {
  if (!shown_ || !font_) return;
  const std::string& name = context_->placeName;
  const std::string& answer = context_->answerText;
  const bool withAnswer = context_->hasAnswer && !answer.empty();
  const Vec2<float> nameSize = font_->measureText(name);
  const Vec2<float> answerSize = withAnswer ? font_->measureText(answer) : Vec2<float>();
  const int height = context_->screen ? context_->screen->height : 640;
  const Layout l =
      layout(nameSize, answerSize, withAnswer, {leave_.x(), leave_.y()}, height);

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(0.0f, kDropY, 0.0f);

  GrpRoundBox box;
  box.texture = corner_;
  box.width = l.box.x;
  box.height = l.box.y;
  box.pivotX = l.boxPivot.x;
  box.pivotY = l.boxPivot.y;
  box.x = l.boxPos.x;
  box.y = l.boxPos.y;
  box.a = kBoxAlpha;
  box.draw();

  Font& f = *font_;
  f.r = f.g = f.b = 1.0f;
  f.rotation = 0.0f;
  f.x = l.namePos.x;
  f.y = l.namePos.y;
  f.pivotX = l.namePivot.x;
  f.pivotY = l.namePivot.y;
  f.scaleX = f.scaleY = nameScale_;
  f.a = nameAlpha_;
  f.drawText(name);
  if (withAnswer && answerShown_) {
    f.x = l.answerPos.x;
    f.y = l.answerPos.y;
    f.pivotX = l.answerPivot.x;
    f.pivotY = l.answerPivot.y;
    f.scaleX = f.scaleY = answerScale_;
    f.a = answerAlpha_;
    f.drawText(answer);
  }
  f.scaleX = f.scaleY = 1.0f;
  f.a = 1.0f;
  glPopMatrix();
}

void PlaceDisp::message(int code) {
  switch (code) {
    case kMsgNewQuestion:
      shown_ = true;
      answerShown_ = false;
      nameTime_ = 0.0f;
      nameScale_ = scaleSt_;
      nameAlpha_ = 0.0f;
      hiding_ = false;
      break;
    case kMsgCorrect:  // correct: the fact line, then hide
      showAnswer(correctDisp_);
      break;
    case kMsgTimeOut:
      showAnswer(missDisp_);
      break;
    case kMsgHudLeave:
      if (!closing_) {
        closing_ = true;
        leave_.start({0.0f, 0.0f, 1.0f}, {0.0f, kLeaveY, 1.0f}, kLeaveTime);
      }
      break;
    case kMsgBackToTitle:
      retire();
      break;
    default:
      break;
  }
}

}  // namespace orb
