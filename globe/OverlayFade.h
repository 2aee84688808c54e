#pragma once

namespace orb {

// The fade the globe's orientation aids share: in over two seconds when they
// appear, out over two seconds from wherever it stands when the game ends.
class OverlayFade {
 public:
  static constexpr float kFadeTime = 2.0f;  // seconds, in and out

  // Advances the fade; false once a fade-out has finished (the overlay leaves).
  bool update(float dt);
  // Starts the fade-out (game over); a second call changes nothing.
  void close();

  float alpha() const { return alpha_; }
  bool closing() const { return closing_; }

 private:
  float elapsed_ = 0.0f;
  float alpha_ = 0.0f;
  float from_ = 0.0f;
  float to_ = 1.0f;
  bool closing_ = false;
};

}  // namespace orb
