#include "data/JsonDocument.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/DzFile.h"
#include "data/Json.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

void writeDz(const std::string& path, const std::string& text) {
  ASSERT_TRUE(dz::writeCompressedFile(path, dz::Bytes(text.begin(), text.end())));
}

TEST(JsonDocument, CompressedTwinWinsOverThePlainFile) {
  const std::string dir = test::scratchDir("doc_twin");
  writeDz(dir + "params.dz", "{\"from\":\"dz\"}");
  test::writeFile(dir + "params.json", "{\"from\":\"json\"}");  // newer, still loses
  JsonDocument doc(dir + "params.json");
  ASSERT_TRUE(doc.loaded());
  EXPECT_EQ(json::string(doc.root(), "from"), "dz");
}

TEST(JsonDocument, PathWithoutJsonIsOpenedUnchanged) {
  const std::string dir = test::scratchDir("doc_plain");
  test::writeFile(dir + "data.txt", "[1,2]");
  test::writeFile(dir + "data.dz", "garbage");
  JsonDocument doc(dir + "data.txt");
  ASSERT_TRUE(doc.loaded());
  EXPECT_EQ(json::size(doc.root()), 2u);
}

TEST(JsonDocument, ObjectsIterateInByteOrderOfTheirKeys) {
  const std::string dir = test::scratchDir("doc_order");
  test::writeFile(dir + "o.json", "{\"audio\":1,\"a\":2,\"B\":3,\"ans_time\":4}");
  JsonDocument doc(dir + "o.json");
  std::string keys;
  for (const auto& [k, v] : json::object(doc.root())) keys += k + " ";
  EXPECT_EQ(keys, "B a ans_time audio ");
}

TEST(JsonDocument, SyntaxErrorLeavesNoHalfTreeAndNamesTheLine) {
  const std::string dir = test::scratchDir("doc_syntax");
  test::writeFile(dir + "bad.json", "{\n\"a\": 1,\n\"b\": ?oops\n}\n");
  JsonDocument doc(dir + "bad.json");
  EXPECT_FALSE(doc.loaded());
  EXPECT_TRUE(doc.root().is<picojson::null>());
  EXPECT_NE(doc.error().find("syntax error at line 3 near: ?oops"), std::string::npos) << doc.error();
}

TEST(JsonDocument, MissingAndDamagedFilesAreReportedNotLoaded) {
  const std::string dir = test::scratchDir("doc_missing");
  JsonDocument missing(dir + "none.json");
  EXPECT_FALSE(missing.loaded());
  test::writeFile(dir + "broken.dz", "\x78\x9c\x01\x02");
  JsonDocument broken(dir + "broken.json");
  EXPECT_FALSE(broken.loaded());
  EXPECT_NE(broken.error().find("broken.dz"), std::string::npos);
}

TEST(JsonDocument, DamagedTwinFallsBackToTheGoodPlainFileBesideIt) {
  const std::string dir = test::scratchDir("doc_fallback");
  test::writeFile(dir + "params.json", "{\"from\":\"json\"}");
  struct Row {
    const char* name;
    std::string twin;  // bytes of params.dz
  } rows[] = {
      {"stream cut short", std::string("\x78\x9c\x01\x02", 4)},
      {"not a stream at all", "garbage"},
      {"empty file", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    test::writeFile(dir + "params.dz", row.twin);
    JsonDocument doc(dir + "params.json");
    ASSERT_TRUE(doc.loaded()) << doc.error();
    EXPECT_EQ(json::string(doc.root(), "from"), "json");
    EXPECT_EQ(doc.sourceFile(), dir + "params.json");
  }
  // A twin that decompresses to something that is not JSON is damaged too.
  writeDz(dir + "params.dz", "{\"from\": dz");
  JsonDocument doc(dir + "params.json");
  ASSERT_TRUE(doc.loaded()) << doc.error();
  EXPECT_EQ(json::string(doc.root(), "from"), "json");
}

TEST(JsonDocument, NumberBeyondADoubleIsAParseErrorNotACrash) {
  const std::string dir = test::scratchDir("doc_range");
  test::writeFile(dir + "huge.json", "{\"radius\": 1e999}");
  JsonDocument doc(dir + "huge.json");
  EXPECT_FALSE(doc.loaded());
  EXPECT_TRUE(doc.root().is<picojson::null>());
  EXPECT_NE(doc.error().find("huge.json: a number is out of range"), std::string::npos) << doc.error();
}

// Inputs the fuzzer once crashed the loader with (tests/data/fuzz_cases/):
// each must now be refused with a reason.
TEST(JsonDocument, InputsThatOnceCrashedTheLoaderAreRefusedCleanly) {
  const std::filesystem::path cases = test::sourceDir() + "tests/data/fuzz_cases/JsonDocument";
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(cases)) {
    SCOPED_TRACE(entry.path().filename().string());
    JsonDocument doc(entry.path().string());
    EXPECT_FALSE(doc.loaded());
    EXPECT_FALSE(doc.error().empty());
    ++seen;
  }
  EXPECT_GT(seen, 0);
}

TEST(JsonReads, WrongTypesAndMissingKeysGiveNeutralValues) {
  picojson::value v;
  ASSERT_TRUE(picojson::parse(v, "{\"n\":\"text\",\"list\":[1,2,3],\"flag\":true,\"big\":1e300}").empty());
  EXPECT_EQ(json::real(v, "n"), 0.0f);
  EXPECT_EQ(json::integer(v, "missing", 7), 7);
  EXPECT_EQ(json::integer(v, "big", -1), -1);
  EXPECT_TRUE(json::boolean(v, "flag"));
  EXPECT_FALSE(json::boolean(v, "list"));
  EXPECT_EQ(json::realAt(json::at(v, "list"), 9), 3.0f) << "index past the end reads the last element";
  EXPECT_TRUE(json::element(json::at(v, "n"), 0).is<picojson::null>());
  EXPECT_EQ(json::object(v).size(), 4u) << "read-only lookups never insert";
}

TEST(JsonWriter, CompactTextWithSixDecimalsForFractionsAndEscapes) {
  picojson::object o;
  o["volume"] = picojson::value(0.5);
  o["width"] = picojson::value(960.0);
  o["neg"] = picojson::value(-2.25);
  o["s"] = picojson::value(std::string("a/\"b\"\\\n\t\x01\x7f\xc3\xb4"));
  o["n"] = picojson::value();
  o["list"] = picojson::value(picojson::array{picojson::value(true), picojson::value(false)});
  EXPECT_EQ(json::serialize(picojson::value(o)),
            "{\"list\":[true,false],\"n\":null,\"neg\":-2.250000,"
            "\"s\":\"a\\/\\\"b\\\"\\\\\\n\\t\\u0001\\u007f\xc3\xb4\",\"volume\":0.500000,\"width\":960}");
}

}  // namespace
}  // namespace orb

namespace orb {
namespace {

TEST(JsonDocument, AFolderIsNotADocument) {
  const std::string dir = test::scratchDir("doc_folder");
  JsonDocument doc(dir);
  EXPECT_FALSE(doc.loaded());
  dz::Bytes out;
  EXPECT_FALSE(dz::readCompressedFile(dir, out));
}

}  // namespace
}  // namespace orb
