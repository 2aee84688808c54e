#pragma once

namespace orb {

class SettingsStore;

// The colours that tell a judgement: the flash of a right answer and the red
// of danger (a clock running out, a time-out). Red against the white of a
// miss and the gold of rewards is hard to tell for many colour-blind players,
// so with the setting "colour_safe" the pair becomes blue (right) and orange
// (danger). Judgements never rest on colour alone: a right answer also leaves
// the spinning ring and a banner, a miss the bobbing distance arrow.
class FeedbackPalette {
 public:
  struct Rgb {
    float r, g, b;
  };

  // Reads the setting now; settings may be null (then the usual colours).
  explicit FeedbackPalette(const SettingsStore* settings);

  bool colourSafe() const { return safe_; }
  Rgb right() const { return safe_ ? Rgb{0.2f, 0.55f, 1.0f} : Rgb{1.0f, 0.0f, 0.0f}; }
  Rgb danger() const { return safe_ ? Rgb{1.0f, 0.55f, 0.05f} : Rgb{1.0f, 0.0f, 0.0f}; }

 private:
  bool safe_ = false;
};

}  // namespace orb
