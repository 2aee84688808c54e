#include "game/GameStart.h"

#include <gtest/gtest.h>

#include "RoundFixture.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::RoundFixture;
using Codes = std::vector<int>;

TEST(GameStart, AnnouncesTenOnceWhenItsTrackEndsAndLeaves) {
  RoundFixture f;
  auto banner = f.tasks.create<GameStart>(4, &f.context, nullptr);
  banner->message(kMsgBackToTitle);  // banners end only by their own timing
  EXPECT_FLOAT_EQ(3.0f, banner->track().value().x) << "starts large";
  int frames = 0;
  while (banner->alive() && frames < 1000) {
    f.tasks.update(test::kStep);
    ++frames;
  }
  EXPECT_EQ(Codes{10}, f.probe->codes);
  // The track is 1.0 s long: it ends in the first frame past it.
  EXPECT_GE(frames, 60);
  EXPECT_LE(frames, 61);
  EXPECT_EQ(1u, f.tasks.activeCount()) << "only the probe is left";
}

TEST(GameStart, DemonstrationPlaySkipsToTheEndAtTheFirstUpdate) {
  RoundFixture f;
  f.context.demonstration = true;
  GameStart banner(&f.context, nullptr);
  banner.update(test::kStep);
  EXPECT_FALSE(banner.alive());
  EXPECT_EQ(Codes{10}, f.probe->codes);
}

}  // namespace
}  // namespace orb
