#include "game/PlaceDisp.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/Translation.h"
#include "game/PlaceBox.h"
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
constexpr int kSwellEasing = kEaseQuartOut;
constexpr float kLeaveY = -200.0f;   // up and off the top
constexpr float kLeaveTime = 1.5f;

// A swell that would carry a long text over the panels starts smaller.
float keptInRoom(float scale, float width, float room) {
  return width > 0.0f ? std::min(scale, std::max(1.0f, room / width)) : scale;
}
}  // namespace

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

void PlaceDisp::relayout() {
  const ScreenSize screen = context_->screen ? *context_->screen : ScreenSize();
  // Translated here, at drawing, so the context keeps the English texts that the saves use.
  const Translation* language = context_->language;
  const std::string& key = context_->placeKey;
  const std::string name = language ? language->placeName(key, context_->placeName) : context_->placeName;
  const std::string english = context_->hasAnswer ? context_->answerText : std::string();
  const std::string answer = language && !english.empty() ? language->answer(key, english) : english;
  if (!nameLines_.empty() && name == laidName_ && answer == laidAnswer_ &&
      screen.width == laidWidth_ && screen.height == laidHeight_) {
    return;
  }
  laidName_ = name;
  laidAnswer_ = answer;
  laidWidth_ = screen.width;
  laidHeight_ = screen.height;
  std::vector<PlaceBox::Rect> panels;
  if (context_->params) {
    const picojson::value& game = json::at(context_->params->root(), "game");
    panels = PlaceBox::hudPanels(json::at(game, "widgets"), screen.pair);
  }
  room_ = PlaceBox::textRoom(panels, screen.width, screen.height,
                             font_->ascender() + font_->descender());
  nameLines_ = layLines(name);
  answerLines_.clear();
  if (!answer.empty()) answerLines_ = layLines(answer);
}

std::vector<PlaceDisp::Line> PlaceDisp::layLines(const std::string& text) const {
  const auto measure = [this](const std::string& line) { return font_->measureText(line).x; };
  std::vector<Line> lines;
  for (const std::string& line : PlaceBox::wrap(text, room_, measure)) {
    lines.push_back({line, measure(line), font_->inkMiddle(line)});
  }
  return lines;
}

float PlaceDisp::widest(const std::vector<Line>& lines) {
  float width = 0.0f;
  for (const Line& line : lines) width = std::max(width, line.width);
  return width;
}

void PlaceDisp::drawLines(const std::vector<Line>& lines, float x, float y, float scale,
                          float alpha) const {
  Font& f = *font_;
  const float ascender = f.ascender(), descender = f.descender();
  const float lineHeight = ascender + descender;
  const float first = -0.5f * static_cast<float>(lines.size() - 1) * lineHeight;
  f.r = f.g = f.b = 1.0f;
  f.rotation = 0.0f;
  f.scaleX = f.scaleY = scale;
  f.a = alpha;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    // The pivot is the block's centre, so the lines swell apart together; the
    // baseline sits (ascender - descender) / 2 below its line's centre.
    const float offset = first + static_cast<float>(i) * lineHeight;
    f.x = x;
    f.y = y;
    f.pivotX = std::trunc(lines[i].middle);
    f.pivotY = (descender - ascender) / 2.0f - offset;
    f.drawText(lines[i].text);
  }
  f.scaleX = f.scaleY = 1.0f;
  f.a = 1.0f;
}

void PlaceDisp::draw() {
  if (!shown_ || !font_) {
    context_->placeBoxBottom = kNoPlaceBox;
    return;
  }
  relayout();
  const bool withAnswer = answerShown_ && !answerLines_.empty();
  const float nameWidth = widest(nameLines_), answerWidth = widest(answerLines_);
  const int answerLines = withAnswer ? static_cast<int>(answerLines_.size()) : 0;
  const float lineHeight = font_->ascender() + font_->descender();
  // The panel opens with the answer's fade-in.
  const float grow = withAnswer ? answerAlpha_ : 0.0f;
  const PlaceBox::Frame frame =
      PlaceBox::place(nameWidth, static_cast<int>(nameLines_.size()), answerWidth, answerLines,
                      lineHeight, grow, laidHeight_);
  const float ox = leave_.x(), oy = leave_.y();

  GrpRoundBox box;
  box.texture = corner_;
  box.width = frame.width;
  box.height = frame.height;
  box.x = ox - std::floor(frame.width / 2.0f);
  box.y = frame.top + oy;
  context_->placeBoxBottom = box.y + box.height;
  // The corner image holds the panel's own colours, as the HUD atlas does.
  box.r = box.g = box.b = box.a = 1.0f;
  box.draw();

  drawLines(nameLines_, ox, frame.nameY + oy, keptInRoom(nameScale_, nameWidth, room_), nameAlpha_);
  if (withAnswer) {
    drawLines(answerLines_, ox, frame.answerY + oy, keptInRoom(answerScale_, answerWidth, room_),
              answerAlpha_);
  }
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
