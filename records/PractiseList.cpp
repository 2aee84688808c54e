#include "records/PractiseList.h"

#include <algorithm>
#include <cmath>

#include "data/Json.h"
#include "data/JsonDocument.h"
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
constexpr const char* kFontName = "ranking";  // the list face of the records screens
constexpr const char* kCornerImage = "devdata/round.png";
constexpr const char* kEllipsis = "\xE2\x80\xA6";
// The heading in the accent colour of rewards and streaks.
constexpr float kAccent[3] = {1.0f, 0.78f, 0.3f};

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

PractiseList::PractiseList(GameContext* context, float resultsRight, float panelTop)
    : context_(context), left_(resultsRight + kGap), top_(panelTop) {
  if (context_->fonts) font_ = context_->fonts->getFont(kFontName);
  if (context_->textures && context_->dataDir) {
    corner_ = context_->textures->getTexture(*context_->dataDir + kCornerImage);
  }
  const float room = kWidth - 2.0f * kPad;
  const std::vector<std::string>& missed = context_->missedPlaces;
  const std::size_t shown = missed.size() > kMaxPlaces ? kMaxPlaces - 1 : missed.size();
  for (std::size_t i = 0; i < shown; ++i) {
    const std::string name = json::string(json::at(context_->places->root(), missed[i]), "name");
    addName(context_->language ? context_->language->placeName(missed[i], name) : name, room);
  }
  if (shown < missed.size()) {
    lines_.push_back({"+" + std::to_string(missed.size() - shown) + " " + text("results.more", "more"), false});
  }
  heading_ = text("results.to_practise", kHeading);
}

void PractiseList::addName(const std::string& name, float room) {
  if (!font_) return;
  const auto measure = [this](const std::string& line) { return font_->measureText(line).x; };
  std::vector<std::string> wrapped = PlaceBox::wrap(name, room, measure);
  if (wrapped.empty()) return;
  lines_.push_back({fitted(wrapped.front(), room), false});
  if (wrapped.size() == 1) return;
  std::string rest = wrapped[1];
  for (std::size_t i = 2; i < wrapped.size(); ++i) rest += " " + wrapped[i];
  lines_.push_back({fitted(rest, room - kIndent), true});
}

// Cut at a whole character, never inside one's UTF-8 bytes.
std::string PractiseList::text(const std::string& key, const std::string& english) const {
  return context_->language ? context_->language->text(key, english) : english;
}

std::string PractiseList::fitted(const std::string& text, float room) const {
  if (!font_ || font_->measureText(text).x <= room) return text;
  std::string cut = text;
  while (!cut.empty()) {
    do {
      cut.pop_back();
    } while (!cut.empty() && continuation(static_cast<unsigned char>(cut.back())));
    while (!cut.empty() && cut.back() == ' ') cut.pop_back();
    if (font_->measureText(cut + kEllipsis).x <= room) break;
  }
  return cut + kEllipsis;
}

void PractiseList::update(float dt) {
  if (delay_ > 0.0f) {
    delay_ -= dt;
    return;
  }
  clock_ = std::min(clock_ + dt, kFadeTime);
  tween(alpha_, clock_, from_, to_, kFadeTime, kEaseCubicOut);
  if (closing_ && clock_ >= kFadeTime) retire();
}

void PractiseList::draw() {
  if (lines_.empty() || !font_ || alpha_ <= 0.0f) return;
  // Kept on screen in a narrow window: the panel then lies over the globe only.
  const float right = static_cast<float>(context_->screen->width) / 2.0f - kPad;
  const float left = std::min(left_, right - kWidth);
  const float height = kLinePitch * static_cast<float>(lines_.size() + 1) + 2.0f * kPad;
  GrpRoundBox box;
  box.texture = corner_;
  box.width = kWidth;
  box.height = height;
  box.x = std::round(left);
  box.y = std::round(top_);
  box.r = box.g = box.b = 1.0f;
  box.a = alpha_;
  box.draw();

  Font& f = *font_;
  const float baseline = (f.ascender() - f.descender()) / 2.0f;
  f.pivotX = f.pivotY = 0.0f;
  f.scaleX = f.scaleY = 1.0f;
  f.rotation = 0.0f;
  f.a = alpha_;
  float y = box.y + kPad + kLinePitch / 2.0f + baseline;
  f.x = box.x + kPad;
  f.y = y;
  f.r = kAccent[0];
  f.g = kAccent[1];
  f.b = kAccent[2];
  f.drawText(heading_);
  f.r = f.g = f.b = 1.0f;
  for (const Line& line : lines_) {
    y += kLinePitch;
    f.x = box.x + kPad + (line.continued ? kIndent : 0.0f);
    f.y = y;
    f.drawText(line.text);
  }
  f.a = 1.0f;
}

void PractiseList::message(int code) {
  if (code == kMsgResultsDone && !closing_) {
    closing_ = true;
    delay_ = 0.0f;
    from_ = alpha_;
    to_ = 0.0f;
    clock_ = 0.0f;
  } else if (code == kMsgBackToTitle) {
    retire();
  }
}

}  // namespace orb
