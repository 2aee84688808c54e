#include "game/PlaceBox.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include <picojson.h>

#include "gfx/Widget.h"

namespace orb {
namespace {

// Answers join facts with a middle dot ("Autonomous territory of Denmark ·
// capital Nuuk"); a line break there reads better than anywhere else.
const std::string kDot = "\xC2\xB7";

std::vector<std::string> words(const std::string& text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    if (end > start) out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

std::string join(const std::vector<std::string>& w, std::size_t from, std::size_t to) {
  std::string line;
  for (std::size_t i = from; i < to; ++i) {
    if (!line.empty()) line += ' ';
    line += w[i];
  }
  return line;
}

}  // namespace

std::vector<PlaceBox::Rect> PlaceBox::hudPanels(const picojson::value& widgets,
                                                const int* screenSize) {
  std::vector<Rect> panels;
  if (!widgets.is<picojson::object>()) return panels;
  for (const auto& member : widgets.get<picojson::object>()) {
    const Widget w(member.second, nullptr, screenSize);
    if (w.layoutFlags == 0) continue;
    const Vec2<float> corner = w.topLeft();
    panels.push_back({corner.x, corner.y, corner.x + w.width, corner.y + w.height});
  }
  return panels;
}

float PlaceBox::textRoom(const std::vector<Rect>& panels, int screenWidth, int screenHeight,
                         float lineHeight) {
  const float rowsTop = -static_cast<float>(screenHeight / 2) + kTop;
  const float rowsBottom = rowsTop + kPadY + 2 * kMaxLines * lineHeight + kLineGap;
  float half = static_cast<float>(screenWidth) / 2.0f - kPanelGap;
  for (const Rect& r : panels) {
    if (r.bottom <= rowsTop || r.top >= rowsBottom) continue;
    // A panel across the middle cannot be avoided by narrowing the box.
    if (r.right <= 0.0f) {
      half = std::min(half, -r.right - kPanelGap);
    } else if (r.left >= 0.0f) {
      half = std::min(half, r.left - kPanelGap);
    }
  }
  return std::max(0.0f, 2.0f * half - kPadX);
}

std::vector<std::string> PlaceBox::wrap(const std::string& text, float room,
                                        const Measure& measure) {
  if (text.empty() || measure(text) <= room) return {text};
  const std::vector<std::string> w = words(text);
  const std::size_t n = w.size();

  // Two-line candidates: at a separator (dropped), then at a plain space
  // (never next to a separator, which would open or close a line).
  for (const bool atSeparator : {true, false}) {
    float best = room + 1.0f;
    std::size_t bestAt = 0;
    for (std::size_t i = 1; i < n; ++i) {
      const bool separator = w[i] == kDot;
      if (atSeparator != separator) continue;
      if (!atSeparator && w[i - 1] == kDot) continue;
      const std::size_t secondFrom = atSeparator ? i + 1 : i;
      if (secondFrom >= n) continue;
      const float longer = std::max(measure(join(w, 0, i)), measure(join(w, secondFrom, n)));
      if (longer <= room && longer < best) {
        best = longer;
        bestAt = i;
      }
    }
    if (bestAt > 0) return {join(w, 0, bestAt), join(w, atSeparator ? bestAt + 1 : bestAt, n)};
  }

  // More than two lines: only a narrower screen than the texts were written for gets here.
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t i = 1; i <= n; ++i) {
    if (i == n || measure(join(w, from, i + 1)) > room) {
      lines.push_back(join(w, from, i));
      from = i;
    }
  }
  return lines;
}

PlaceBox::Frame PlaceBox::place(float nameWidth, int nameLines, float answerWidth,
                                int answerLines, float lineHeight, float grow, int screenHeight) {
  const float nameBlock = static_cast<float>(nameLines) * lineHeight;
  const float answerBlock = static_cast<float>(answerLines) * lineHeight;
  const float withAnswer = answerLines > 0 ? kLineGap + answerBlock : 0.0f;
  const float nameBoxWidth = std::ceil(nameWidth) + kPadX;
  const float widest = std::max(nameWidth, answerLines > 0 ? answerWidth : 0.0f);
  const float fullWidth = std::ceil(widest) + kPadX;
  Frame f;
  f.width = std::round(nameBoxWidth + (fullWidth - nameBoxWidth) * grow);
  f.height = std::round(kPadY + nameBlock + withAnswer * grow);
  f.top = -static_cast<float>(screenHeight / 2) + kTop;
  f.nameY = f.top + kPadY / 2.0f + nameBlock / 2.0f;
  f.answerY = f.top + kPadY / 2.0f + nameBlock + kLineGap + answerBlock / 2.0f;
  return f;
}

}  // namespace orb
