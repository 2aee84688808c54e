#pragma once
#include <functional>
#include <string>
#include <vector>

namespace picojson {
class value;
}

namespace orb {

// The geometry of the question box, apart from drawing so that it can be
// checked without a window. 2D units: origin at the screen centre, y down.
// The box is centred on x = 0 and hangs from a fixed top edge; it holds the
// place name and, once the answer shows, the answer below it. Each text takes
// one line, or two when one would run into the HUD panels beside the box.
// tools/places/text_fit.py repeats these numbers and the wrapping rule to
// check the authored texts; keep the two in step.
class PlaceBox {
 public:
  static constexpr float kTop = 25.0f;       // box top below the screen's top edge
  static constexpr float kPadX = 30.0f;      // box width beyond the widest line (both sides)
  static constexpr float kPadY = 20.0f;      // box height beyond the lines (above and below)
  static constexpr float kLineGap = 10.0f;   // name to answer; half of kPadY, so the answer
                                             // has the same room above and below
  static constexpr float kPanelGap = 10.0f;  // kept clear between the box and a panel
  static constexpr int kMaxLines = 2;        // lines per text that the room is planned for

  // An on-screen rectangle of a HUD panel.
  struct Rect {
    float left, top, right, bottom;
  };
  using Measure = std::function<float(const std::string&)>;

  // The HUD panels on a screen of screenSize (width, height): the edge-anchored
  // widgets of a widget-set object ("game"."widgets"); the banners that come
  // and go in the middle are not panels.
  static std::vector<Rect> hudPanels(const picojson::value& widgets, const int* screenSize);

  // The widest text line, in 2D units, that keeps the box clear of every
  // panel sharing its rows (from the top edge down to the tallest box: two
  // lines of name and two of answer). lineHeight: the font's line box.
  static float textRoom(const std::vector<Rect>& panels, int screenWidth, int screenHeight,
                        float lineHeight);

  // text on as few lines as fit room (measure gives a line's width): one line
  // when it fits; else two, broken at a " · " separator (which the break
  // replaces) when both halves fit, or at the space that makes the longer
  // line shortest; a text that two lines cannot hold fills lines word by word.
  static std::vector<std::string> wrap(const std::string& text, float room, const Measure& measure);

  // One frame's box and where the two texts' line blocks are centred.
  struct Frame {
    float width = 0.0f, height = 0.0f;  // box size, whole units
    float top = 0.0f;                   // box top edge
    float nameY = 0.0f;                 // centre of the name's lines
    float answerY = 0.0f;               // centre of the answer's lines
  };
  // nameWidth/answerWidth: the widest line of each text; nameLines/answerLines:
  // their line counts (0 answer lines: no answer); grow: 0 sizes the box for
  // the name alone, 1 for the name and the answer, between them the box opens.
  static Frame place(float nameWidth, int nameLines, float answerWidth, int answerLines,
                     float lineHeight, float grow, int screenHeight);
};

}  // namespace orb
