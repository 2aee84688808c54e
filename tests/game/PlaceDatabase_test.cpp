#include "game/PlaceDatabase.h"

#include <gtest/gtest.h>
#include <picojson.h>

#include <filesystem>

#include "data/Json.h"
#include "data/SettingsStore.h"
#include "globe/GameContext.h"
#include "game/MapCoords.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

picojson::value parse(const std::string& text) {
  picojson::value v;
  const std::string err = picojson::parse(v, text);
  EXPECT_TRUE(err.empty()) << err;
  return v;
}

std::vector<std::string> keys(std::initializer_list<const char*> k) { return {k.begin(), k.end()}; }

// Four places on level 2, one on level 3, one with a fractional level.
const char* kDoc = R"({
  "d": {"level": 2, "name": "Dee", "file": "d.json"},
  "a": {"level": 2, "name": "Ay", "file": "a.json", "answer": "Capital: A"},
  "c": {"level": 2, "name": "Cee", "file": "c.json"},
  "b": {"level": 2, "name": "Bee", "file": "b.json"},
  "e": {"level": 3, "name": "Ee", "file": "e.json", "answer": 42},
  "f": {"level": 3.5, "name": "Ef", "file": "f.json"}
})";

TEST(PlaceQuestions, ShuffleFollowsTheReferenceMersenneTwister) {
  const picojson::value doc = parse(kDoc);
  PlaceDatabase db(doc, "");
  std::mt19937 gen(5489u);  // the reference seed: first outputs 3499211612, 581869302, 3890346734
  // Key order a b c d; i=1: 3499211612 mod 2 = 0 -> b a c d; i=2: 581869302 mod 3 = 0 -> c a b d;
  // i=3: 3890346734 mod 4 = 2 -> c a d b.
  EXPECT_EQ(keys({"c", "a", "d", "b"}), db.questionList(1, 1, gen));
  std::mt19937 check(5489u);
  check.discard(3);
  EXPECT_EQ(check(), gen()) << "exactly three outputs drawn for four keys";
}

TEST(PlaceQuestions, EmptyLevelDrawsNothingAndThreeKeysDrawTwo) {
  const picojson::value doc = parse(R"({"x": {"level": 0, "name": "X", "file": "x"},
    "y": {"level": 0, "name": "Y", "file": "y"}, "z": {"level": 0, "name": "Z", "file": "z"}})");
  PlaceDatabase db(doc, "");
  std::mt19937 gen(99u), ref(99u);
  EXPECT_TRUE(db.questionList(5, 0, gen).empty());
  EXPECT_EQ(ref(), gen()) << "an empty level draws no output";

  std::mt19937 gen2(7u), ref2(7u);
  EXPECT_EQ(3u, db.questionList(0, 0, gen2).size());
  ref2.discard(2);
  EXPECT_EQ(ref2(), gen2()) << "three keys draw two outputs";
}

TEST(PlaceQuestions, LevelIsMatchedExactlyWithTheOffset) {
  const picojson::value doc = parse(kDoc);
  PlaceDatabase db(doc, "");
  std::mt19937 gen(1u);
  EXPECT_EQ(keys({"e"}), db.questionList(0, 3, gen));
  EXPECT_EQ(keys({"e"}), db.questionList(3, 0, gen));
  EXPECT_TRUE(db.questionList(2, 1, gen) == keys({"e"}));
  EXPECT_EQ(4u, db.questionList(0, 2, gen).size());
  EXPECT_TRUE(db.questionList(1, 3, gen).empty()) << "3.5 matches no whole level";
}

TEST(PlaceQuestions, EntriesWithoutNameOrFileAreNotAsked) {
  const picojson::value doc = parse(R"({"a": {"level": 0, "name": "A", "file": "a.json"},
    "b": {"level": 0, "file": "b.json"}, "c": {"level": 0, "name": "C"},
    "d": {"level": 0, "name": 5, "file": "d.json"}, "e": 7, "f": {"level": "0", "name": "F", "file": "f"}})");
  PlaceDatabase db(doc, "");
  std::mt19937 gen(3u);
  EXPECT_EQ(keys({"a"}), db.questionList(0, 0, gen));
}

class PlaceLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = test::scratchDir("place_db");
    std::filesystem::create_directories(dir + "devdata/place");
    // Two polygons: a triangle whose mean is the map centre, and a square.
    test::writeFile(dir + "devdata/place/a.json",
                    "[[[90,45],[110,45],[100,60]],[[150,80],[160,80],[160,70],[150,70]]]");
    test::writeFile(dir + "devdata/place/e.json", "[[[10,10],[20,10],[20,20]]]");
  }
  std::string dir;
};

TEST_F(PlaceLoadTest, FillsTheContextAndSetsTheRadius) {
  const picojson::value doc = parse(kDoc);
  PlaceDatabase db(doc, dir);
  GameContext ctx;
  auto place = db.loadPlace("a", 0.004f, ctx);
  ASSERT_TRUE(place);
  EXPECT_FLOAT_EQ(0.004f, place->radius());
  EXPECT_EQ(2u, place->polygons().size());
  EXPECT_EQ("Ay", ctx.placeName);
  EXPECT_TRUE(ctx.hasAnswer);
  EXPECT_EQ("Capital: A", ctx.answerText);
  ASSERT_EQ(2u, ctx.answerPoints.size());
  // The triangle's vertex mean is grid (100, 50): the map centre, globe (-1, 0, 0).
  EXPECT_NEAR(-1.0f, ctx.answerPoints[0].x, 1e-5f);
  EXPECT_NEAR(0.0f, ctx.answerPoints[0].y, 1e-5f);
  EXPECT_NEAR(0.0f, ctx.answerPoints[0].z, 1e-5f);
  // The square's mean maps back onto itself (u = 0.55, v = -0.5).
  const Vec2<float> back = mapFromGlobe(ctx.answerPoints[1]);
  EXPECT_NEAR(0.55f, back.x, 1e-5f);
  EXPECT_NEAR(-0.5f, back.y, 1e-5f);
}

TEST_F(PlaceLoadTest, NumericAnswerMeansNoAnswerLineAndKeepsTheOldText) {
  const picojson::value doc = parse(kDoc);
  PlaceDatabase db(doc, dir);
  GameContext ctx;
  ctx.hasAnswer = true;
  ctx.answerText = "previous";
  db.loadPlace("e", 0.01f, ctx);
  EXPECT_EQ("Ee", ctx.placeName);
  EXPECT_FALSE(ctx.hasAnswer);
  EXPECT_EQ("previous", ctx.answerText);
  EXPECT_EQ(1u, ctx.answerPoints.size());
}

TEST_F(PlaceLoadTest, MissingOutlineOrUnknownKeyGivesAPlaceThatIsNeverHit) {
  const picojson::value doc = parse(kDoc);
  PlaceDatabase db(doc, dir);
  GameContext ctx;
  ctx.answerPoints.resize(3);
  auto missing = db.loadPlace("b", 1.0f, ctx);  // b.json was never written
  ASSERT_TRUE(missing);
  EXPECT_TRUE(missing->polygons().empty());
  EXPECT_FALSE(missing->hitTest({0.0f, 0.0f}));
  EXPECT_TRUE(ctx.answerPoints.empty()) << "no stale answer points";
  auto unknown = db.loadPlace("nope", 1.0f, ctx);
  ASSERT_TRUE(unknown);
  EXPECT_TRUE(unknown->polygons().empty());
}

TEST(PlaceFound, SeedingFillsAMissingMapAndKeepsAnExistingOne) {
  const picojson::value doc = parse(kDoc);
  PlaceDatabase db(doc, "");
  picojson::value settings = parse(R"({"volume": 0.5})");
  db.seedFound(settings);
  const picojson::value& found = json::at(settings, "places");
  ASSERT_TRUE(found.is<picojson::object>());
  EXPECT_EQ(6u, json::size(found));
  EXPECT_TRUE(json::at(found, "a").is<bool>());
  EXPECT_FALSE(json::boolean(json::at(found, "a")));

  picojson::value kept = parse(R"({"places": {"a": true, "gone": false}})");
  db.seedFound(kept);
  EXPECT_EQ(2u, json::size(json::at(kept, "places"))) << "new keys of the document are not added";
  EXPECT_TRUE(json::boolean(json::at(json::at(kept, "places"), "a")));

  picojson::value wrongType = parse(R"({"places": [1, 2]})");
  db.seedFound(wrongType);
  EXPECT_EQ(6u, json::size(json::at(wrongType, "places")));
}

TEST(PlaceFound, MarkingAndTheFractionFound) {
  const std::string dir = test::scratchDir("place_found");
  SettingsStore settings;
  settings.open(dir, dir);
  const picojson::value doc = parse(kDoc);
  PlaceDatabase(doc, "").seedFound(settings.root());
  EXPECT_FLOAT_EQ(0.0f, PlaceDatabase::fractionFound(settings));
  PlaceDatabase::markFound({"a", "c", "a"}, settings);
  EXPECT_FLOAT_EQ(2.0f / 6.0f, PlaceDatabase::fractionFound(settings));
  PlaceDatabase::markFound({"b", "d", "e", "f"}, settings);
  EXPECT_FLOAT_EQ(1.0f, PlaceDatabase::fractionFound(settings));
}

}  // namespace
}  // namespace orb
