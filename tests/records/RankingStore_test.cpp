#include "records/RankingStore.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/DzFile.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

RankRow row(int score, int konahen, int level = 1) { return RankRow{level, konahen, score, false}; }

// The bytes of a zlib file, inflated by zlib itself rather than by the game's reader.
std::string inflateFile(const std::string& path) {
  const std::string packed = test::readFile(path);
  std::vector<unsigned char> out(1 << 20);
  uLongf size = static_cast<uLongf>(out.size());
  const int rc = uncompress(out.data(), &size, reinterpret_cast<const Bytef*>(packed.data()),
                            static_cast<uLong>(packed.size()));
  EXPECT_EQ(rc, Z_OK) << path;
  return rc == Z_OK ? std::string(out.begin(), out.begin() + static_cast<long>(size)) : std::string();
}

std::string zlibOf(const std::string& text) {
  dz::Bytes out;
  dz::compress(dz::Bytes(text.begin(), text.end()), out);
  return std::string(out.begin(), out.end());
}

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The shipped defaults and an empty save folder of our own.
struct Folders {
  std::string data = test::sourceDir();
  std::string save;
  explicit Folders(const std::string& name) : save(test::scratchDir(name)) {}
};

TEST(RankingStore, EqualScoresGoToFewerPlacesFoundThenToTheRowReadLater) {
  RankRow first = row(100, 10, 2), second = row(100, 10, 3);
  const auto table = RankingStore::sorted({first, row(100, 12), second, row(100, 8), row(120, 14)});
  ASSERT_EQ(table.size(), 10u);
  EXPECT_EQ(table[0].score, 120);
  EXPECT_EQ(table[1].konahen, 8) << "fewer places for the same score ranks higher";
  EXPECT_EQ(table[2].level, 3) << "of two equal rows the later one ranks higher";
  EXPECT_EQ(table[3].level, 2);
  EXPECT_EQ(table[4].konahen, 12);

  // A new result is added last, so it stands above every equal row.
  RankRow fresh = row(100, 10);
  fresh.isNew = true;
  const auto withNew = RankingStore::sorted({row(100, 10), row(100, 10), fresh, row(90, 1)});
  EXPECT_EQ(RankingStore::newRowPosition(withNew), 0);
}

TEST(RankingStore, ATableIsExactlyTenRowsPaddedWithZeroRowsOrCutToTheBest) {
  const auto short3 = RankingStore::sorted({row(30, 3), row(50, 5), row(40, 4)});
  ASSERT_EQ(short3.size(), 10u);
  EXPECT_EQ(short3[0].score, 50);
  EXPECT_EQ(short3[2].score, 30);
  for (std::size_t i = 3; i < 10; ++i) {
    EXPECT_EQ(short3[i].score, 0);
    EXPECT_EQ(short3[i].konahen, 0);
    EXPECT_EQ(short3[i].level, 0);
    EXPECT_FALSE(short3[i].isNew);
  }

  std::vector<RankRow> many;
  for (int s = 1; s <= 14; ++s) many.push_back(row(s * 10, s));
  RankRow last = row(5, 1);
  last.isNew = true;
  many.push_back(last);
  const auto cut = RankingStore::sorted(many);
  ASSERT_EQ(cut.size(), 10u);
  EXPECT_EQ(cut.front().score, 140);
  EXPECT_EQ(cut.back().score, 50);
  EXPECT_EQ(RankingStore::newRowPosition(cut), -1) << "a result below the tenth row is not in the table";
}

TEST(RankingStore, AResultIsAppendedAndTheWholeDocumentSavedAsCompactKeyOrderedJson) {
  Folders f("ranking_append");
  RankingStore store;
  store.open(f.data, f.save);
  EXPECT_EQ(store.source(), f.data + RankingStore::kDefaultsFile) << "no save yet: the shipped tables";
  const int shipped = static_cast<int>(store.rows(0).size() + store.rows(1).size() + store.rows(2).size());

  const auto table = store.enter(0, 3, 12, 150);
  EXPECT_EQ(RankingStore::newRowPosition(table), 4) << "below the shipped 150 that found fewer places";

  const std::string text = inflateFile(f.save + "results.dz");
  EXPECT_EQ(text.find_first_of(" \n\t"), std::string::npos) << "compact";
  EXPECT_EQ(text.rfind("{\"advanced\":[{\"konahen\":", 0), 0u) << text.substr(0, 60);
  const auto normal = text.find("\"normal\":["), survival = text.find("\"survival\":[");
  ASSERT_NE(normal, std::string::npos);
  ASSERT_NE(survival, std::string::npos);
  EXPECT_LT(text.find("\"advanced\""), normal);
  EXPECT_LT(normal, survival);
  EXPECT_EQ(text.find("{\"konahen\":12,\"level\":3,\"score\":150}],\"survival\":["), survival - 38)
      << "the new row closes the normal table, keys in order";
  EXPECT_EQ(count(text, "\"score\":"), shipped + 1) << "every shipped row is kept";
  EXPECT_FALSE(dz::fileExists(f.save + "results.dz.tmp"));

  // The next game reads the player's file and adds to it.
  RankingStore again;
  again.open(f.data, f.save);
  EXPECT_EQ(again.source(), f.save + "results.dz");
  again.enter(0, 1, 2, 24);
  const std::string second = inflateFile(f.save + "results.dz");
  EXPECT_EQ(count(second, "\"score\":"), shipped + 2);
  EXPECT_NE(second.find("{\"konahen\":12,\"level\":3,\"score\":150},{\"konahen\":2,\"level\":1,\"score\":24}]"),
            std::string::npos);
}

TEST(RankingStore, ADamagedSaveIsKeptAsideWithItsBytesAndTheDefaultsAreUsed) {
  const std::string good = "{\"advanced\":[],\"normal\":[{\"konahen\":1,\"level\":1,\"score\":999}],\"survival\":[]}";
  const std::string packed = zlibOf(good);
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"garbage bytes", "\x78\x9c not a stream at all"},
      {"truncated stream", packed.substr(0, packed.size() / 2)},
      {"empty file", ""},
      {"not json", zlibOf("{\"normal\":[{\"score\":")},
      {"root is an array", zlibOf("[{\"konahen\":1,\"level\":1,\"score\":999}]")},
      {"mode is an object", zlibOf("{\"advanced\":[],\"normal\":{\"score\":999},\"survival\":[]}")},
      {"mode is a number", zlibOf("{\"advanced\":[],\"normal\":[],\"survival\":7}")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Folders f("ranking_damaged");
    test::writeFile(f.save + "results.dz", c.bytes);
    RankingStore store;
    store.open(f.data, f.save);
    ASSERT_FALSE(store.keptAside().empty());
    EXPECT_EQ(store.keptAside().rfind(f.save + "results.dz.damaged-", 0), 0u) << store.keptAside();
    EXPECT_EQ(test::readFile(store.keptAside()), c.bytes) << "kept byte for byte";
    EXPECT_EQ(store.source(), f.data + RankingStore::kDefaultsFile);
    RankingStore shipped;
    shipped.open(f.data, f.save + "none/");
    EXPECT_EQ(store.rows(0).size(), shipped.rows(0).size());
    EXPECT_EQ(store.table(0)[0].score, shipped.table(0)[0].score);

    // The next result starts a fresh file; the damaged one stays as it was.
    store.enter(0, 1, 1, 5);
    EXPECT_EQ(test::readFile(store.keptAside()), c.bytes);
    EXPECT_NE(inflateFile(f.save + "results.dz").find("\"normal\":["), std::string::npos);

    // A second damaged file never replaces the first one kept.
    test::writeFile(f.save + "results.dz", "junk");
    RankingStore later;
    later.open(f.data, f.save);
    EXPECT_NE(later.keptAside(), store.keptAside());
    EXPECT_EQ(test::readFile(store.keptAside()), c.bytes);
    EXPECT_EQ(test::readFile(later.keptAside()), "junk");
  }
}

TEST(RankingStore, AMissingModeReadsAsAnEmptyTableAndTheFileIsKept) {
  Folders f("ranking_missing_mode");
  const std::string mine = "{\"normal\":[{\"konahen\":9,\"level\":2,\"score\":321}]}";
  test::writeFile(f.save + "results.dz", zlibOf(mine));
  RankingStore store;
  store.open(f.data, f.save);
  EXPECT_TRUE(store.keptAside().empty()) << "nothing in the file is unreadable";
  EXPECT_EQ(store.table(0)[0].score, 321);
  EXPECT_EQ(store.table(1)[0].score, 0);
  EXPECT_EQ(RankingStore::newRowPosition(store.enter(1, 1, 3, 36)), 0);
  EXPECT_EQ(inflateFile(f.save + "results.dz"),
            "{\"advanced\":[{\"konahen\":3,\"level\":1,\"score\":36}],"
            "\"normal\":[{\"konahen\":9,\"level\":2,\"score\":321}]}");
}

TEST(RankingStore, RowsWithNonNumericFieldsAreSkippedAndNumbersTruncated) {
  Folders f("ranking_rows");
  test::writeFile(f.save + "results.dz",
                  zlibOf("{\"advanced\":[],\"survival\":[],\"normal\":[{\"level\":\"2\",\"konahen\":5,\"score\":70},"
                         "{\"level\":2.9,\"konahen\":5.5,\"score\":70.99},7,{\"level\":1,\"konahen\":null,"
                         "\"score\":80},{\"level\":1,\"konahen\":2}]}"));
  RankingStore store;
  store.open(f.data, f.save);
  EXPECT_TRUE(store.keptAside().empty());
  const auto rows = store.rows(0);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].level, 2);
  EXPECT_EQ(rows[0].konahen, 5);
  EXPECT_EQ(rows[0].score, 70);
}

}  // namespace
}  // namespace orb
