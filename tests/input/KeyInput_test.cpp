#include "input/KeyInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/KeyCallBack.h"
#include "input/KeyCodes.h"
#include "input/KeyTap.h"
#include "input/TouchDispatcher.h"

namespace orb {
namespace {

// Records what it hears and takes the keys it is told to.
class Listener : public KeyCallBack {
 public:
  Listener(KeyInput& keys, int rank, std::vector<int> takes, std::vector<std::string>& log, std::string name)
      : keys_(keys), takes_(std::move(takes)), log_(log), name_(std::move(name)) {
    keys_.add(this, rank);
  }
  ~Listener() override { keys_.remove(this); }
  bool keyDown(int code) override {
    log_.push_back(name_ + " down " + std::to_string(code));
    for (int t : takes_) {
      if (t == code) return true;
    }
    return false;
  }
  void keyUp(int code) override { log_.push_back(name_ + " up " + std::to_string(code)); }
  void focusLost() override { log_.push_back(name_ + " lost"); }

 private:
  KeyInput& keys_;
  std::vector<int> takes_;
  std::vector<std::string>& log_;
  std::string name_;
};

TEST(KeyRoad, aKeyGoesDownTheRanksUntilOneTakesIt) {
  KeyInput keys;
  std::vector<std::string> log;
  // Registered out of rank order on purpose: the rank decides who is asked first.
  Listener globe(keys, kKeyRankGlobe, {kKeyLeft}, log, "globe");
  Listener focus(keys, kKeyRankFocus, {kKeyTab}, log, "focus");
  keys.down(kKeyTab);
  keys.down(kKeyLeft);
  EXPECT_EQ(log, (std::vector<std::string>{"focus down 9", "focus down 228", "globe down 228"}));
}

TEST(KeyRoad, aHeldKeyDoesNotRepeatAndEveryoneHearsItsRelease) {
  KeyInput keys;
  std::vector<std::string> log;
  Listener focus(keys, kKeyRankFocus, {kKeyEnter}, log, "focus");
  Listener globe(keys, kKeyRankGlobe, {}, log, "globe");
  keys.down(kKeyEnter);
  keys.down(kKeyEnter);  // the window system's repeat
  EXPECT_TRUE(keys.held(kKeyEnter));
  keys.up(kKeyEnter);
  keys.up(kKeyEnter);  // a release without a press changes nothing
  EXPECT_FALSE(keys.held(kKeyEnter));
  EXPECT_EQ(log, (std::vector<std::string>{"focus down 13", "focus up 13", "globe up 13"}));
}

// The zoom key pressed with Shift and let go after Shift comes up as "=".
TEST(KeyRoad, aKeyReleasedUnderTheOtherShiftStateIsNoLongerHeld) {
  KeyInput keys;
  keys.down(kKeyPlus);
  keys.up(kKeyEquals);
  EXPECT_FALSE(keys.held(kKeyPlus));
  keys.down('a');
  keys.up('A');
  EXPECT_FALSE(keys.held('a'));
}

TEST(KeyRoad, losingTheFocusReleasesTheHeldKeysFirst) {
  KeyInput keys;
  std::vector<std::string> log;
  Listener globe(keys, kKeyRankGlobe, {kKeyUp}, log, "globe");
  keys.down(kKeyUp);
  keys.loseFocus();
  EXPECT_FALSE(keys.held(kKeyUp));
  EXPECT_EQ(log, (std::vector<std::string>{"globe down 229", "globe up 229", "globe lost"}));
}

class TapRecorder : public TouchCallBack {
 public:
  void touchesBegan(TouchDispatcher& d, const Touches& t) override { seen.push_back({"began", t[0], d.fromKeys()}); }
  void touchesMoved(TouchDispatcher&, const Touches&) override {}
  void touchesEnded(TouchDispatcher& d, const Touches& t) override { seen.push_back({"ended", t[0], d.fromKeys()}); }
  struct Seen {
    std::string phase;
    Touch touch;
    bool fromKeys;
  };
  std::vector<Seen> seen;
};

TEST(KeyRoad, spaceNobodyTookIsATapAtTheCentreOfTheWindow) {
  KeyInput keys;
  TouchDispatcher touch;
  TouchDispatcher::Mapping m;
  m.windowWidth = 1000;  // letter-boxed: the centre of the window is the centre of the viewport
  m.windowHeight = 500;
  m.offsetX = 125;
  touch.setMapping(m);
  TapRecorder rec;
  touch.add(&rec);
  KeyTap tap(&keys, &touch);
  keys.down(kKeySpace);
  ASSERT_EQ(rec.seen.size(), 2u);
  EXPECT_EQ(rec.seen[0].phase, "began");
  EXPECT_EQ(rec.seen[1].phase, "ended");
  for (const auto& s : rec.seen) {
    EXPECT_FLOAT_EQ(s.touch.x, 500.0f);
    EXPECT_FLOAT_EQ(s.touch.y, 250.0f);
    EXPECT_TRUE(s.fromKeys);
  }
  EXPECT_FALSE(touch.fromKeys());
  const Vec2<float> layout = touch.toLayout(rec.seen[0].touch.x, rec.seen[0].touch.y);
  EXPECT_NEAR(layout.x, 0.0f, 1e-3f);
  EXPECT_NEAR(layout.y, 0.0f, 1e-3f);
  touch.remove(&rec);
}

}  // namespace
}  // namespace orb
