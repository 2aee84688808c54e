#include "input/TouchDispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/KeyInput.h"
#include "input/MouseTouch.h"

namespace orb {
namespace {

struct Event {
  std::string phase;
  Touches touches;
};

class Recorder : public TouchCallBack {
 public:
  explicit Recorder(TouchDispatcher& d) : d_(d) { d_.add(this); }
  ~Recorder() override { d_.remove(this); }
  void touchesBegan(TouchDispatcher&, const Touches& t) override { events.push_back({"began", t}); }
  void touchesMoved(TouchDispatcher&, const Touches& t) override { events.push_back({"moved", t}); }
  void touchesEnded(TouchDispatcher&, const Touches& t) override { events.push_back({"ended", t}); }
  std::vector<Event> events;

 private:
  TouchDispatcher& d_;
};

void expectTouch(const Touch& t, float x, float y, float px, float py) {
  EXPECT_FLOAT_EQ(t.x, x);
  EXPECT_FLOAT_EQ(t.y, y);
  EXPECT_FLOAT_EQ(t.prevX, px);
  EXPECT_FLOAT_EQ(t.prevY, py);
}

TEST(TouchMapping, LetterBoxedWindowMapsViewportCornersToLayoutEdges) {
  TouchDispatcher d;
  d.setMapping({960, 640, 125, 0, 1000, 500});  // 1000 x 500 window, 750 x 500 viewport
  EXPECT_FLOAT_EQ(d.toLayout(125, 0).x, -480);
  EXPECT_FLOAT_EQ(d.toLayout(125, 0).y, -320);
  EXPECT_FLOAT_EQ(d.toLayout(875, 500).x, 480);
  EXPECT_FLOAT_EQ(d.toLayout(875, 500).y, 320);
  EXPECT_FLOAT_EQ(d.toLayout(0, 250).x, -640);  // the margin maps outside, unclamped
  EXPECT_FLOAT_EQ(d.toLayout(0, 250).y, 0);
}

TEST(TouchDispatch, EveryReceiverSeesEveryEventInRegistrationOrder) {
  TouchDispatcher d;
  std::vector<int> order;
  struct Tagged : TouchCallBack {
    Tagged(std::vector<int>& o, int tag) : o_(o), tag_(tag) {}
    void touchesBegan(TouchDispatcher&, const Touches&) override { o_.push_back(tag_); }
    void touchesMoved(TouchDispatcher&, const Touches&) override {}
    void touchesEnded(TouchDispatcher&, const Touches&) override {}
    std::vector<int>& o_;
    int tag_;
  } a(order, 1), b(order, 2), c(order, 3);
  d.add(&a);
  d.add(&b);
  d.add(&c);
  d.add(&a);
  d.remove(&a);  // only the first entry goes
  d.began({{1, 1, 1, 1}});
  EXPECT_EQ(order, (std::vector<int>{2, 3, 1}));
}

class MouseTouchTest : public ::testing::Test {
 protected:
  MouseTouchTest() : recorder(dispatcher), mouse(dispatcher) { mouse.setWindowSize(960, 640); }
  TouchDispatcher dispatcher;
  Recorder recorder;
  MouseTouch mouse;
};

TEST_F(MouseTouchTest, ClickWithoutMovementBeginsAndEndsAtThePoint) {
  mouse.button(MouseTouch::Button::Left, true, 30, 40);
  mouse.button(MouseTouch::Button::Left, false, 30, 40);
  ASSERT_EQ(recorder.events.size(), 2u);
  EXPECT_EQ(recorder.events[0].phase, "began");
  expectTouch(recorder.events[0].touches.at(0), 30, 40, 30, 40);
  EXPECT_EQ(recorder.events[1].phase, "ended");
  expectTouch(recorder.events[1].touches.at(0), 30, 40, 30, 40);
}

TEST_F(MouseTouchTest, MotionIsCoalescedToOneEventPerFrame) {
  mouse.button(MouseTouch::Button::Left, true, 10, 10);
  mouse.motion(20, 10, 5);
  mouse.motion(30, 10, 5);  // same frame: dropped, previous position untouched
  mouse.motion(40, 10, 6);
  ASSERT_EQ(recorder.events.size(), 3u);
  expectTouch(recorder.events[1].touches.at(0), 20, 10, 10, 10);
  expectTouch(recorder.events[2].touches.at(0), 40, 10, 20, 10);
}

TEST_F(MouseTouchTest, RightButtonAddsAFingerMirroredThroughTheCentre) {
  mouse.button(MouseTouch::Button::Right, true, 100, 50);
  ASSERT_EQ(recorder.events.size(), 1u);
  ASSERT_EQ(recorder.events[0].touches.size(), 2u);
  expectTouch(recorder.events[0].touches[0], 100, 50, 100, 50);
  expectTouch(recorder.events[0].touches[1], 860, 590, 860, 590);
  mouse.motion(110, 50, 1);
  ASSERT_EQ(recorder.events[1].touches.size(), 2u);
  expectTouch(recorder.events[1].touches[1], 850, 590, 860, 590);
}

TEST_F(MouseTouchTest, RightPressDuringALeftDragBeginsOnlyTheMirroredFinger) {
  mouse.button(MouseTouch::Button::Left, true, 100, 100);
  mouse.button(MouseTouch::Button::Right, true, 100, 100);
  ASSERT_EQ(recorder.events.size(), 2u);
  ASSERT_EQ(recorder.events[1].touches.size(), 1u);
  expectTouch(recorder.events[1].touches[0], 860, 540, 860, 540);
  // Releasing the left button while the right is held sends nothing...
  mouse.button(MouseTouch::Button::Left, false, 100, 100);
  EXPECT_EQ(recorder.events.size(), 2u);
  // ...and the right release then ends both fingers.
  mouse.button(MouseTouch::Button::Right, false, 100, 100);
  ASSERT_EQ(recorder.events.size(), 3u);
  EXPECT_EQ(recorder.events[2].phase, "ended");
  EXPECT_EQ(recorder.events[2].touches.size(), 2u);
}

TEST_F(MouseTouchTest, MiddleButtonDragMovesAFingerThatNeverBegan) {
  mouse.button(MouseTouch::Button::Other, true, 5, 5);
  mouse.motion(6, 6, 1);
  mouse.button(MouseTouch::Button::Other, false, 6, 6);
  ASSERT_EQ(recorder.events.size(), 1u);
  EXPECT_EQ(recorder.events[0].phase, "moved");
}

TEST(KeyInput, RecordsOnlyTheLastKeyOfAFrameAndIgnoresReleases) {
  KeyInput keys;
  keys.swap();
  keys.press('a');
  keys.press(17);
  keys.swap();
  EXPECT_EQ(keys.previous(), 17);
  EXPECT_EQ(keys.current(), 0);
  keys.swap();
  EXPECT_EQ(keys.previous(), 0);
}

}  // namespace
}  // namespace orb
