#include "game/PlaceDisp.h"

#include <gtest/gtest.h>

#include "RoundFixture.h"

namespace orb {
namespace {

using test::RoundFixture;

TEST(PlaceDispLayout, OneLineBoxFitsTheName) {
  const auto l = PlaceDisp::layout({201.0f, 23.0f}, {}, false, {0.0f, 0.0f}, 640);
  EXPECT_EQ(231.0f, l.box.x);
  EXPECT_EQ(43.0f, l.box.y);
  EXPECT_EQ(115.0f, l.boxPivot.x) << "integer halves";
  EXPECT_EQ(21.0f, l.boxPivot.y);
  EXPECT_EQ(23.0f - 320.0f, l.boxPos.y);
  EXPECT_EQ(-4.0f, l.namePos.x);
  EXPECT_FLOAT_EQ(23.0f + 16.0f - 11.5f - 320.0f, l.namePos.y);
  EXPECT_EQ(100.0f, l.namePivot.x);
  EXPECT_EQ(-11.0f, l.namePivot.y) << "truncated toward zero";
}

TEST(PlaceDispLayout, AnswerLineWidensAndDeepensTheBox) {
  // The answer line is wider than the name: the box takes its width.
  const auto l = PlaceDisp::layout({120.0f, 23.0f}, {300.0f, 22.0f}, true, {0.0f, 0.0f}, 640);
  EXPECT_EQ(330.0f, l.box.x);
  EXPECT_EQ(23.0f + 22.0f + 10.0f + 20.0f, l.box.y);
  EXPECT_FLOAT_EQ(55.0f / 2.0f + 16.0f - 320.0f, l.answerPos.y);
  EXPECT_EQ(150.0f, l.answerPivot.x);
  EXPECT_EQ(-11.0f, l.answerPivot.y);
  // The name line moves up by half the added height.
  EXPECT_FLOAT_EQ(23.0f + 16.0f - 27.5f - 320.0f, l.namePos.y);
  // A narrower answer keeps the name's width.
  EXPECT_EQ(230.0f, PlaceDisp::layout({200.0f, 23.0f}, {90.0f, 22.0f}, true, {}, 640).box.x);
}

struct PlaceDispRound : ::testing::Test {
  RoundFixture f;
  PlaceDisp disp{&f.context};
};

TEST_F(PlaceDispRound, NameSwellsInWhenAsked) {
  EXPECT_FALSE(disp.shown());
  disp.message(23);
  EXPECT_TRUE(disp.shown());
  EXPECT_EQ(1.5f, disp.nameScale());
  EXPECT_EQ(0.0f, disp.nameAlpha());
  RoundFixture::run(disp, 0.2f);
  EXPECT_GT(disp.nameScale(), 1.0f);
  EXPECT_GT(disp.nameAlpha(), 0.5f);
  RoundFixture::run(disp, 0.25f);
  EXPECT_EQ(1.0f, disp.nameScale());
  EXPECT_EQ(1.0f, disp.nameAlpha());
}

TEST_F(PlaceDispRound, AnswerLineShowsForItsTimeAfterACorrectAnswerOrATimeOut) {
  disp.message(23);
  disp.message(18);  // a miss changes nothing
  EXPECT_FALSE(disp.answerShown());
  disp.message(17);
  EXPECT_TRUE(disp.answerShown());
  RoundFixture::run(disp, 0.95f);
  EXPECT_TRUE(disp.shown());
  RoundFixture::run(disp, 0.1f);
  EXPECT_FALSE(disp.shown());
  EXPECT_FALSE(disp.answerShown());

  disp.message(23);
  EXPECT_FALSE(disp.answerShown()) << "a new question hides the old answer";
  disp.message(19);
  RoundFixture::run(disp, 1.95f);
  EXPECT_TRUE(disp.shown());
  RoundFixture::run(disp, 0.1f);
  EXPECT_FALSE(disp.shown());
}

TEST_F(PlaceDispRound, LeavesAfterRisingAwayAndAtOnceOnSceneEnd) {
  disp.message(23);
  disp.message(25);
  RoundFixture::run(disp, 1.45f);
  EXPECT_TRUE(disp.alive());
  RoundFixture::run(disp, 0.1f);
  EXPECT_FALSE(disp.alive());

  PlaceDisp other(&f.context);
  other.message(12);
  EXPECT_FALSE(other.alive());
}

}  // namespace
}  // namespace orb
