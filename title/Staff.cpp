#include "title/Staff.h"

#include <GL/gl.h>

#include <algorithm>
#include <cassert>
#include <cmath>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/Translation.h"
#include "game/Agree.h"
#include "gfx/Easing.h"
#include "gfx/Font.h"
#include "gfx/FontCache.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/TextureCache.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/SceneTrace.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr const char* kFontName = "staff";
constexpr const char* kCornerImage = "devdata/round.png";
constexpr float kLineGap = 10.0f;
constexpr float kMargin = 20.0f;  // box edge to the text block, each side
// The first line names the roll; it takes the HUD's one warm accent.
constexpr float kAccent[3] = {1.0f, 0.74f, 0.25f};

}  // namespace

Staff::Staff(GameContext* context) : context_(context), easing_(kEaseCubicOut) {
  assert(context_->params && context_->fonts && context_->textures && context_->dataDir && context_->tasks);
  const picojson::value& p = json::at(context_->params->root(), "staff");
  SceneTrace::enter("credits");
  yOfs_ = json::real(p, "y_ofs");
  font_ = context_->fonts->getFont(kFontName);
  corner_ = context_->textures->getTexture(*context_->dataDir + kCornerImage);

  const float h = static_cast<float>(font_->height);
  const float pitch = h + kLineGap;
  const float ascender = font_->ascender(), descender = font_->descender();
  const auto& text = json::array(json::at(p, "text"));
  const float n = static_cast<float>(text.size());
  boxHeight_ = n * pitch - kLineGap + 2 * kMargin;
  // Each line's band is h high; its baseline centres the face's line box in the band.
  float band = -(n * pitch - kLineGap) / 2.0f;
  float widest = 0.0f;
  // Lines are translated by their place in the roll: "staff.0" is the first.
  std::size_t index = 0;
  for (const auto& value : text) {
    const std::string english = json::string(value);
    const std::string key = "staff." + std::to_string(index++);
    const std::string line = context_->language && !english.empty() ? context_->language->text(key, english) : english;
    const float width = font_->measureText(line).x;
    widest = std::max(widest, width);
    lines_.push_back({line, -std::round(font_->inkMiddle(line)), std::round(band + (h + ascender - descender) / 2.0f)});
    band += pitch;
  }
  boxWidth_ = std::round(widest + 2 * kMargin);
  boxHeight_ = std::round(boxHeight_);
}

void Staff::update(float dt) {
  if (!alive()) return;
  if (clock_ < duration_) clock_ = std::min(clock_ + dt, duration_);
  tween(alpha_, clock_, alphaFrom_, alphaTo_, duration_, easing_);
  tween(scale_, clock_, scaleFrom_, scaleTo_, duration_, easing_);

  if (agreeIn_ > 0.0f) {
    agreeIn_ -= dt;
    if (agreeIn_ <= 0.0f && !closing_) context_->tasks->create<Agree>(kLayerScreen, context_);
  }
  if (closeRequested_ && !closing_) {
    closing_ = true;
    clock_ = 0.0f;
    easing_ = kEaseQuadIn;
    duration_ = kCloseTime;
    alphaFrom_ = alpha_;
    alphaTo_ = 0.0f;
    scaleFrom_ = 1.0f;
    scaleTo_ = 0.25f;
    doneIn_ = kDoneAfter;
    endIn_ = kCloseTime;
    return;
  }
  if (!closing_) return;
  if (doneIn_ > 0.0f) {
    doneIn_ -= dt;
    if (doneIn_ <= 0.0f) context_->tasks->broadcast(kMsgStaffDone);
  }
  endIn_ -= dt;
  if (endIn_ <= 0.0f) retire();
}

void Staff::message(int code) {
  if (code == kMsgAgreed) closeRequested_ = true;
}

void Staff::draw() {
  if (!alive() || !font_->valid()) return;
  glPushMatrix();
  glScalef(scale_, scale_, 1.0f);
  glTranslatef(0.0f, yOfs_, 0.0f);
  GrpRoundBox box;
  box.texture = corner_;
  box.width = boxWidth_;
  box.height = boxHeight_;
  box.x = -std::round(boxWidth_ / 2.0f);
  box.y = -std::round(boxHeight_ / 2.0f);
  // The corner image holds the panel's own colours: untinted, faded with the roll.
  box.r = box.g = box.b = 1.0f;
  box.a = alpha_;
  box.draw();

  Font& f = *font_;
  f.scaleX = f.scaleY = 1.0f;
  f.rotation = 0.0f;
  f.pivotX = f.pivotY = 0.0f;
  f.a = alpha_;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const bool heading = i == 0;
    f.r = heading ? kAccent[0] : 1.0f;
    f.g = heading ? kAccent[1] : 1.0f;
    f.b = heading ? kAccent[2] : 1.0f;
    f.x = lines_[i].x;
    f.y = lines_[i].y;
    f.drawText(lines_[i].text);
  }
  f.r = f.g = f.b = f.a = 1.0f;
  glPopMatrix();
}

}  // namespace orb
