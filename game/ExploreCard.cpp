#include "game/ExploreCard.h"

#include <algorithm>
#include <cmath>

#include "data/Translation.h"
#include "game/PlaceBox.h"
#include "gfx/Easing.h"
#include "gfx/Font.h"
#include "gfx/FontCache.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/TextureCache.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr const char* kFontName = "place";  // the question box's face
constexpr const char* kCornerImage = "devdata/round.png";
}  // namespace

ExploreCard::ExploreCard(GameContext* context) : context_(context) {
  if (context_->fonts) font_ = context_->fonts->getFont(kFontName);
  if (context_->textures && context_->dataDir) {
    corner_ = context_->textures->getTexture(*context_->dataDir + kCornerImage);
  }
}

void ExploreCard::show() {
  const GameContext& ctx = *context_;
  name_ = ctx.language ? ctx.language->placeName(ctx.placeKey, ctx.placeName) : ctx.placeName;
  answer_ = !ctx.hasAnswer ? std::string()
            : ctx.language ? ctx.language->answer(ctx.placeKey, ctx.answerText)
                           : ctx.answerText;
  shown_ = true;
  clock_ = 0.0f;
  laidWidth_ = -1;
}

void ExploreCard::update(float dt) { clock_ = std::min(clock_ + dt, kSwellTime); }

std::vector<std::string> ExploreCard::lay(const std::string& text) const {
  if (text.empty()) return {};
  const float room = static_cast<float>(context_->screen->width) - 2.0f * kMargin - PlaceBox::kPadX;
  return PlaceBox::wrap(text, room, [this](const std::string& line) { return font_->measureText(line).x; });
}

float ExploreCard::widest(const std::vector<std::string>& lines) const {
  float width = 0.0f;
  for (const std::string& line : lines) width = std::max(width, font_->measureText(line).x);
  return width;
}

void ExploreCard::drawLines(const std::vector<std::string>& lines, float y, float scale, float alpha) const {
  Font& f = *font_;
  const float ascender = f.ascender(), descender = f.descender();
  const float lineHeight = ascender + descender;
  const float first = -0.5f * static_cast<float>(lines.size() - 1) * lineHeight;
  f.r = f.g = f.b = 1.0f;
  f.rotation = 0.0f;
  f.scaleX = f.scaleY = scale;
  f.a = alpha;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    f.x = 0.0f;
    f.y = y;
    f.pivotX = std::trunc(f.inkMiddle(lines[i]));
    f.pivotY = (descender - ascender) / 2.0f - (first + static_cast<float>(i) * lineHeight);
    f.drawText(lines[i]);
  }
  f.scaleX = f.scaleY = 1.0f;
  f.a = 1.0f;
}

void ExploreCard::draw() {
  if (!shown_ || !font_ || !context_->screen) {
    context_->placeBoxBottom = kNoPlaceBox;
    return;
  }
  if (laidWidth_ != context_->screen->width) {
    laidWidth_ = context_->screen->width;
    nameLines_ = lay(name_);
    answerLines_ = lay(answer_);
  }
  const std::vector<std::string>& name = nameLines_;
  const std::vector<std::string>& answer = answerLines_;
  const float lineHeight = font_->ascender() + font_->descender();
  const PlaceBox::Frame frame =
      PlaceBox::place(widest(name), static_cast<int>(name.size()), widest(answer),
                      static_cast<int>(answer.size()), lineHeight, 1.0f, context_->screen->height);
  const float t = clock_ / kSwellTime;
  const float scale = tweened(clock_, kSwellFrom, 1.0f, kSwellTime, kEaseQuartOut);
  const float alpha = std::min(1.0f, t);

  GrpRoundBox box;
  box.texture = corner_;
  box.width = frame.width;
  box.height = frame.height;
  box.x = -std::floor(frame.width / 2.0f);
  box.y = frame.top;
  box.r = box.g = box.b = 1.0f;
  box.a = alpha;
  box.draw();
  context_->placeBoxBottom = box.y + box.height;
  drawLines(name, frame.nameY, scale, alpha);
  drawLines(answer, frame.answerY, scale, alpha);
}

void ExploreCard::message(int code) {
  if (code == kMsgBackToTitle) retire();
}

}  // namespace orb
