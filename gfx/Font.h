#pragma once
#include <memory>
#include <string>

#include "gfx/Vec2.h"

class FTFont;

namespace orb {

// Words on screen: one face of a TrueType/OpenType file at one size, drawn
// through an FTGL texture font in the 2D overlay space. Text is UTF-8. Set the
// transform and colour fields before each drawText, as for GrpBase.
// Needs a current GL context, even to measure.
class Font {
 public:
  // height: face size in points, rendered at 72 dpi (so one point = one 2D unit).
  // A file that cannot be opened leaves a font that draws and measures
  // nothing, after one line on stderr.
  Font(const std::string& path, int height);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  bool valid() const { return face_ != nullptr; }

  // Width and height of the string's bounding box, in 2D units at scale 1.
  Vec2<float> measureText(const std::string& text) const;
  // Middle of the string's bounding box from the text origin along the
  // baseline, in 2D units at scale 1: the pivot x that centres the ink (the
  // first glyph's side bearing moves it off half the width).
  float inkMiddle(const std::string& text) const;
  // The face's line box, in 2D units at scale 1: how far it reaches above the
  // baseline (ascender) and below it (descender, positive), the same for
  // every string, so lines laid out with them share one baseline spacing
  // whatever letters they hold.
  float ascender() const;
  float descender() const;

  // Draws text with its baseline's start at the text origin: upright in the
  // y-down 2D space, pivot/scale/rotation applied as for GrpBase. To centre a
  // text, callers set pivotX to half the measured width and pivotY to minus
  // half the measured height (the pivot applies before the y flip).
  void drawText(const std::string& text) const;

  // Set before drawing, as for GrpBase; FTGL's texture font always blends its
  // glyphs with normal alpha, so only mode 0 changes how text itself looks.
  int blendMode = 0;
  int height = 0;
  float x = 0.0f;
  float y = 0.0f;
  float pivotX = 0.0f;
  float pivotY = 0.0f;
  float scaleX = 1.0f;
  float scaleY = 1.0f;
  float r = 1.0f;
  float g = 1.0f;
  float b = 1.0f;
  float a = 1.0f;
  float rotation = 0.0f;  // radians

 private:
  std::unique_ptr<FTFont> face_;
};

}  // namespace orb
