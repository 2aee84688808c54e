#pragma once
#include <memory>
#include <vector>

#include "gfx/ButtonPress.h"
#include "gfx/Vec3.h"
#include "gfx/WidgetSet.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Texture;
class Widget;

// The title's earth-image menu: a round toggle at the left edge that slides
// the choices out beside it ("by month", the twelve months and, once the
// setting "nightmode" is true, the night earth). A pick stores the choice's
// "id" (an "earth_appearance" index, negative for by month) as the context's
// earth-texture index and announces kMsgEarthMenuTimeout; the title then
// applies it to the globe and keeps it as the setting "texture".
// Parameters: the "earth_*" keys of "title".
class EarthTexture : public TaskProc {
 public:
  static constexpr float kPickDelay = 0.05f;  // seconds: a second pick within it is ignored
  static constexpr float kToggleTime = 0.5f;  // seconds to open or close the menu
  static constexpr float kLeaveTime = 0.5f;

  explicit EarthTexture(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool active() const { return active_; }
  bool menuOpen() const { return menuOpen_; }
  int selected() const { return selected_; }
  // Placement of the whole panel: x and y offset from the widgets' rest
  // positions, and alpha.
  const Vec3& placement() const { return placement_; }
  const std::vector<std::shared_ptr<Widget>>& choices() const { return choices_; }

 private:
  void onToggle(int kind);
  void onChoice(int kind, const Widget& widget);
  void moveWidgets();  // hit rectangles follow the drawn panel

  GameContext* context_;
  WidgetSet widgets_;
  std::shared_ptr<Widget> toggle_;
  std::vector<std::shared_ptr<Widget>> choices_;
  std::shared_ptr<Texture> corner_;
  ButtonPress press_;
  int selected_ = 0;
  float pickDelay_ = 0.0f;
  float openDelay_ = 0.0f;
  bool toggling_ = false;
  bool menuOpen_ = false;
  bool choicesShown_ = false;
  float menuWidth_ = 0.0f;
  int easing_;
  float elapsed_ = 0.0f;
  float duration_ = 1.5f;
  Vec3 placement_{-100.0f, 0.0f, 0.0f};
  Vec3 start_{-100.0f, 0.0f, 0.0f};
  Vec3 end_{0.0f, 0.0f, 1.0f};
  float menuAlpha_ = 0.0f;
  float menuAlphaStart_ = 0.0f;
  float menuAlphaEnd_ = 0.0f;
  bool active_ = false;
  bool closing_ = false;
};

}  // namespace orb
