#include "records/Ranking.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string>

#include "audio/SoundScheduler.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "data/Translation.h"
#include "game/Agree.h"
#include "gfx/Font.h"
#include "gfx/FontCache.h"
#include "gfx/GrpRoundBox.h"
#include "gfx/TextureCache.h"
#include "globe/FadeLight.h"
#include "globe/GameContext.h"
#include "input/TouchDispatcher.h"
#include "task/Messages.h"
#include "task/SceneTrace.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr const char* kFontName = "ranking";
constexpr const char* kCornerImage = "devdata/round.png";
constexpr float kStopped = 10000.0f;  // a highlight clock that never reaches its period

// Layout in the 2D overlay space (origin at the screen centre, y down).
constexpr float kTopNewResult = -230.0f;  // leaves room for the continue button below
constexpr float kTopShowcase = -200.0f;
constexpr float kBoxWidth = 520.0f;
constexpr float kBoxHeight = 500.0f;
constexpr float kBoxCentreBelowTop = 200.0f;
constexpr float kHeadingLift = 80.0f;    // the heading drops this far into place
constexpr float kRowLeft = -242.0f;      // 18 units inside the panel's left edge
constexpr float kRowWidth = 484.0f;      // and as far from its right edge
constexpr float kFirstRowBelowTop = 65.0f;
constexpr float kRowPitch = 40.0f;
constexpr float kClosingTimeRate = 0.8f;  // the closing runs this share of the opening's time
constexpr float kBoxTimeRate = 0.4f;      // the panel grows in this share of the opening
constexpr float kLightEnd = 1.0f;

// Field widths of a row, in digits: "Lv:" + 1, "Konahen:" + 3, "Score:" + 4.
constexpr int kLevelDigits = 1;
constexpr int kKonahenDigits = 3;
constexpr int kScoreDigits = 4;

constexpr Vec3 kBlinkColours[] = {{1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}};
constexpr int kBlinkColourCount = sizeof(kBlinkColours) / sizeof(kBlinkColours[0]);

// Rows 1-3 red, 4-5 white, 6-10 fading grey.
constexpr float kRankGrey[RankingStore::kTableRows] = {0, 0, 0, 1.0f, 1.0f, 0.9f, 0.8f, 0.7f, 0.6f, 0.5f};
constexpr int kRedRows = 3;

}  // namespace

// Where a row's labels start and its numbers end, relative to the row's left
// edge. The face's digits do not share one width, so each digit is centred in
// a cell as wide as the widest one and a number fills its field's cells from
// the right, as tabular figures would; the three fields spread over the row.
// The columns line up whatever the numbers.
struct Ranking::Columns {
  struct Field {
    const char* key = "";  // of the label's translation
    std::string label;     // as drawn, in the player's language
    int digits = 0;
    float labelX = 0;       // where the label starts
    float numberLeft = 0;   // where the label ends: a longer number may not reach further left
    float numberRight = 0;  // where every number of the column ends
  };
  Field fields[3] = {{"ranking.level", "Lv:", kLevelDigits},
                     {"ranking.found", "Konahen:", kKonahenDigits},
                     {"ranking.score", "Score:", kScoreDigits}};
  float cell = 0;              // width of one digit's cell: the widest digit's advance
  float digitMiddle[10] = {};  // each digit's ink middle from its origin, to centre it in a cell
};

Ranking::Ranking(GameContext* context, int mode, bool newResult)
    : context_(context), newResult_(newResult), mode_(mode), highlightClock_(kStopped) {
  assert(context_->params && context_->fonts && context_->textures && context_->tasks);
  assert(context_->dataDir && context_->saveDir && context_->settings && context_->screen);

  const picojson::value& p = json::at(context_->params->root(), "ranking");
  timeEd_ = json::real(p, "time_ed", 1.0f);
  dispTime_ = json::real(p, "disp_time");
  colDemoTime_ = json::real(p, "col_demo_time");
  heading_ = json::string(json::element(json::at(p, "title"), static_cast<std::size_t>(std::max(mode_, 0))));
  if (context_->language) heading_ = context_->language->text("ranking.title." + std::to_string(std::max(mode_, 0)), heading_);
  font_ = context_->fonts->getFont(kFontName);
  corner_ = context_->textures->getTexture(*context_->dataDir + kCornerImage);

  duration_ = timeEd_;
  boxDuration_ = timeEd_ * kBoxTimeRate;
  autoClose_ = newResult_ ? 0.0f : dispTime_;
  SceneTrace::enter(newResult_ ? "ranking" : "showcase ranking");

  RankingStore store;
  store.open(*context_->dataDir, *context_->saveDir);
  if (newResult_) {
    rows_ = store.enter(mode_, context_->level + 1, context_->correctCount, context_->score);
    RankingStore::unlock(*context_->settings, mode_, newRowPosition());
  } else {
    rows_ = store.table(mode_);
  }

  if (context_->sound) context_->sound->play("ranking", 1.0f, kSoundDelay);
  if (context_->touch) context_->touch->add(this);
}

Ranking::~Ranking() {
  if (context_->touch) context_->touch->remove(this);
}

void Ranking::ease() {
  tween3(value_, clock_, from_, to_, duration_, kEasing);
  tween(boxScale_, clock_, boxFrom_, boxTo_, boxDuration_, kEasing);
}

void Ranking::update(float dt) {
  if (!alive()) return;
  const bool wasShown = shown_;

  if (clock_ < duration_) {
    clock_ += dt;
    ease();
    if (clock_ >= duration_ && !closing_) highlightClock_ = 0.0f;
  }

  if (highlightClock_ < colDemoTime_) {
    highlightClock_ += dt;
    if (highlightClock_ >= colDemoTime_) {
      highlightClock_ = 0.0f;
      if (--highlightRow_ < 0) highlightRow_ = RankingStore::kTableRows - 1;
    }
  }

  if (--blinkFrames_ <= 0) {
    blinkFrames_ = kBlinkFrames;
    blink_ = kBlinkColours[blinkIndex_];
    blinkIndex_ = (blinkIndex_ + 1) % kBlinkColourCount;
  }

  if (closing_ && clock_ >= duration_) {
    retire();
    return;
  }
  if (!shown_ && clock_ >= duration_) shown_ = true;

  if (autoClose_ > 0.0f) {
    autoClose_ -= dt;
    if (autoClose_ <= 0.0f) {
      requestClose();
      shown_ = true;
    }
  }

  if (closeRequested_) {
    closeRequested_ = false;
    if (shown_) {
      startClosing();
    } else {
      // A tap during the opening only completes it.
      shown_ = true;
      clock_ = duration_;
      ease();
      highlightClock_ = 0.0f;
    }
  }

  if (newResult_ && shown_ && !wasShown) context_->tasks->create<Agree>(kLayerScreen, context_);
}

void Ranking::startClosing() {
  if (closing_) return;
  closing_ = true;
  clock_ = 0.0f;
  from_ = value_;
  to_ = Vec3{-1.0f, 0.0f, 1.0f};
  boxFrom_ = boxScale_;
  boxTo_ = 0.0f;
  duration_ *= kClosingTimeRate;
  // The panel shrinks with the rows rather than ahead of them.
  boxDuration_ = duration_;
  highlightRow_ = -1;
  highlightClock_ = kStopped;
  autoClose_ = 0.0f;
  context_->tasks->broadcast(kMsgRankingClosed);
  context_->tasks->broadcast(kMsgRankingGone);
  auto fade = context_->tasks->create<FadeLight>(kLayerOverlay3D, context_);
  fade->end = kLightEnd;
  fade->duration = kLightTime;
  fade->easing = kEaseQuadOut;
}

void Ranking::message(int code) {
  if (code == kMsgAgreed) requestClose();
}

void Ranking::touchesEnded(TouchDispatcher&, const Touches&) {
  if (closing_) return;
  // Once a new result is fully shown, only the continue button closes it.
  if (newResult_ && shown_) return;
  requestClose();
}

const Ranking::Columns& Ranking::columns() const {
  if (columns_) return *columns_;
  columns_ = std::make_unique<Columns>();
  Columns& c = *columns_;
  const Font& f = *font_;
  // Advance of a text: the ink of text + "0" less the ink of "0" (the bearings nearly cancel).
  const float zero = f.measureText("0").x;
  auto advance = [&](const std::string& text) { return f.measureText(text + "0").x - zero; };
  float digit = 0.0f;
  for (char d = '0'; d <= '9'; ++d) {
    digit = std::max(digit, advance(std::string(1, d)));
    c.digitMiddle[d - '0'] = f.inkMiddle(std::string(1, d));
  }
  c.cell = digit;

  float content = 0.0f;
  for (auto& field : c.fields) {
    if (context_->language) field.label = context_->language->text(field.key, field.label);
    field.numberLeft = advance(field.label);
    content += field.numberLeft + digit * static_cast<float>(field.digits);
  }
  const float gap = std::max(digit, std::floor((kRowWidth - content) / 2.0f));
  float x = 0.0f;
  for (auto& field : c.fields) {
    field.labelX = x;
    field.numberLeft += x;
    field.numberRight = field.numberLeft + digit * static_cast<float>(field.digits);
    x = field.numberRight + gap;
  }
  return c;
}

void Ranking::drawRow(int i, const Columns& c) const {
  Font& f = *font_;
  const RankRow& row = rows_[static_cast<std::size_t>(i)];
  const float top = newResult_ ? kTopNewResult : kTopShowcase;
  const float side = (i % 2 == 0) ? 1.0f : -1.0f;
  const float left = std::round(side * static_cast<float>(context_->screen->width) * value_.x + kRowLeft);
  const float baseline = top + kFirstRowBelowTop + kRowPitch * static_cast<float>(i);

  const bool lit = newResult_ ? row.isNew : i == highlightRow_;
  if (lit) {
    f.r = blink_.x, f.g = blink_.y, f.b = blink_.z;
  } else if (i < kRedRows) {
    f.r = 1.0f, f.g = 0.0f, f.b = 0.0f;
  } else {
    f.r = f.g = f.b = kRankGrey[i];
  }
  f.a = value_.y;
  f.pivotX = f.pivotY = 0.0f;
  f.scaleX = f.scaleY = 1.0f;
  f.y = baseline;

  const int values[3] = {row.level, row.konahen, row.score};
  for (int k = 0; k < 3; ++k) {
    const Columns::Field& field = c.fields[k];
    f.x = left + field.labelX;
    f.drawText(field.label);
    // Space-filled from the left; a number longer than its field pushes right, never into its label.
    const std::string text = std::to_string(values[k]);
    const float width = c.cell * static_cast<float>(text.size());
    float cellLeft = std::max(field.numberRight - width, field.numberLeft);
    for (char d : text) {
      f.x = left + std::round(cellLeft + c.cell / 2.0f);
      f.pivotX = (d >= '0' && d <= '9') ? std::round(c.digitMiddle[d - '0']) : 0.0f;
      f.drawText(std::string(1, d));
      cellLeft += c.cell;
    }
    f.pivotX = 0.0f;
  }
}

void Ranking::draw() {
  if (!alive() || !font_ || !font_->valid()) return;
  const float top = newResult_ ? kTopNewResult : kTopShowcase;

  GrpRoundBox box;
  box.texture = corner_;
  box.width = kBoxWidth;
  box.height = std::round(kBoxHeight * boxScale_);
  box.x = -kBoxWidth / 2.0f;
  box.y = std::round(top + kBoxCentreBelowTop - box.height / 2.0f);
  // The corner image carries the panel's own translucent black and its light
  // rim, so it is drawn untinted and faded with the panel's scale.
  box.r = box.g = box.b = 1.0f;
  box.a = boxScale_;
  if (box.height >= 1.0f) box.draw();

  Font& f = *font_;
  f.r = f.g = f.b = 1.0f;
  f.a = value_.y;
  f.scaleX = f.scaleY = 1.0f;
  f.x = 0.0f;
  f.y = std::round(top - kHeadingLift * value_.z);
  f.pivotX = std::trunc(f.inkMiddle(heading_));
  f.pivotY = std::trunc((f.descender() - f.ascender()) / 2.0f);
  f.drawText(heading_);

  const Columns& c = columns();
  for (int i = 0; i < RankingStore::kTableRows; ++i) drawRow(i, c);
  f.r = f.g = f.b = f.a = 1.0f;
}

}  // namespace orb
