// Buttons through the real touch road: window pixels into the dispatcher, the
// menu's hit test and capture, the kinds a button hears.
#include "gfx/TouchMenu.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gfx/ButtonPress.h"
#include "gfx/Widget.h"
#include "input/TouchDispatcher.h"

namespace orb {
namespace {

const int kScreen[2] = {960, 640};

// A 100 x 40 button centred at (x, y) in layout units.
std::shared_ptr<Widget> button(float x, float y) {
  picojson::value v;
  picojson::parse(v, R"({"pos":[)" + std::to_string(x) + "," + std::to_string(y) +
                         R"(],"size":[100,40],"uv":[0,0],"col":[1,1,1,1]})");
  return std::make_shared<Widget>(v, nullptr, kScreen);
}

// A 960 x 640 window showing the 960 x 640 layout: layout (0, 0) is pixel (480, 320).
struct Finger {
  TouchDispatcher touch;
  Touch t;
  Finger() {
    TouchDispatcher::Mapping m;
    m.logicalWidth = m.windowWidth = 960;
    m.logicalHeight = m.windowHeight = 640;
    touch.setMapping(m);
  }
  void down(float x, float y) {
    t.x = t.prevX = x + 480;
    t.y = t.prevY = y + 320;
    touch.began({t});
  }
  void move(float x, float y) {
    t.prevX = t.x;
    t.prevY = t.y;
    t.x = x + 480;
    t.y = y + 320;
    touch.moved({t});
  }
  void up() { touch.ended({t}); }
};

struct Heard {
  std::vector<int> kinds;
  TouchMenu::Callback callback() {
    return [this](int kind, const Vec2<float>&, Widget&) { kinds.push_back(kind); };
  }
};

TEST(TouchMenu, WhereButtonsOverlapTheFirstRegisteredTakesTheTouch) {
  Finger finger;
  TouchMenu menu(&finger.touch);
  auto first = button(0, 0), second = button(30, 0);
  Heard a, b;
  menu.add(first, a.callback());
  menu.add(second, b.callback());
  finger.down(40, 0);  // inside both
  EXPECT_TRUE(menu.capturing());
  finger.up();
  EXPECT_EQ(a.kinds, (std::vector<int>{TouchMenu::kBegan, TouchMenu::kReleasedOn}));
  EXPECT_TRUE(b.kinds.empty());
  EXPECT_FALSE(menu.capturing());

  finger.down(75, 0);  // on the second alone
  finger.up();
  EXPECT_EQ(b.kinds, (std::vector<int>{TouchMenu::kBegan, TouchMenu::kReleasedOn}));
  finger.down(300, 200);  // on neither
  EXPECT_FALSE(menu.capturing());
  finger.up();
  EXPECT_EQ(a.kinds.size() + b.kinds.size(), 4u);
}

TEST(TouchMenu, SlidingOffAndLiftingElsewhereCancelsThePressAndRestoresTheButton) {
  Finger finger;
  TouchMenu menu(&finger.touch);
  auto ok = button(0, 0);
  Heard heard;
  ButtonPress press(1.2f, 0.1f);
  menu.add(ok, [&](int kind, const Vec2<float>& p, Widget& w) {
    heard.callback()(kind, p, w);
    press.touch(kind);
  });
  finger.down(0, 0);
  for (int i = 0; i < 12; ++i) press.update(1.0f / 60.0f);
  EXPECT_NEAR(press.scale(), 1.2f, 1e-3f) << "pressed";
  finger.move(20, 0);
  finger.move(80, 0);   // off the button
  finger.move(120, 0);
  finger.move(160, 40);
  finger.up();
  EXPECT_EQ(heard.kinds, (std::vector<int>{TouchMenu::kBegan, TouchMenu::kMovedOn, TouchMenu::kLeft,
                                           TouchMenu::kMovedOff, TouchMenu::kMovedOff,
                                           TouchMenu::kReleasedOff}));
  for (int i = 0; i < 12; ++i) press.update(1.0f / 60.0f);
  EXPECT_NEAR(press.scale(), 1.0f, 1e-3f) << "back to rest";

  // Sliding back on before lifting makes it a press after all.
  heard.kinds.clear();
  finger.down(0, 0);
  finger.move(90, 0);
  finger.move(10, 0);
  finger.up();
  EXPECT_EQ(heard.kinds, (std::vector<int>{TouchMenu::kBegan, TouchMenu::kLeft, TouchMenu::kEntered,
                                           TouchMenu::kReleasedOn}));
}

TEST(TouchMenu, AButtonWhoseScreenHasGoneNeverHearsATouch) {
  Finger finger;
  TouchMenu menu(&finger.touch);
  auto gone = button(0, 0), under = button(0, 0);
  Heard heardGone, heardUnder;
  menu.add(gone, heardGone.callback());
  menu.add(under, heardUnder.callback());
  gone.reset();  // its screen ended, before the menu's next update
  finger.down(0, 0);
  finger.up();
  EXPECT_TRUE(heardGone.kinds.empty());
  EXPECT_EQ(heardUnder.kinds.size(), 2u) << "the touch goes to the live button beneath";
  menu.update(1.0f / 60.0f);
  EXPECT_EQ(menu.buttonCount(), 1u);

  // Gone while held: the release is not delivered and the capture ends.
  finger.down(0, 0);
  under.reset();
  finger.move(5, 0);
  finger.up();
  EXPECT_EQ(heardUnder.kinds.size(), 3u) << "only the press that began before it went";
  EXPECT_FALSE(menu.capturing());
}

}  // namespace
}  // namespace orb
