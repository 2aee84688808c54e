#include "game/OutlineReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TestPaths.h"

namespace orb {
namespace {

// The byte named by "... at byte K of N" in a parse error; -1 when absent.
long stoppedAt(const std::string& error) {
  const auto at = error.find(" at byte ");
  return at == std::string::npos ? -1 : std::stol(error.substr(at + 9));
}

TEST(OutlineReader, TruncatedTextFailsAndReadingStopsWithinIt) {
  struct Row {
    const char* name;
    std::string text;
  } rows[] = {
      {"opening bracket only", "["},
      {"polygon just opened", "[["},
      {"vertex just opened", "[[["},
      {"cut inside a vertex", "[[[76.6,70.0],[76"},
      {"cut after an escape in a skipped string", "[\"\\"},
      {"cut after a comma", "[[[1,2],"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    OutlineReader reader;
    std::vector<OutlineReader::Polygon> out;
    EXPECT_FALSE(reader.parse(row.text, out));
    EXPECT_TRUE(out.empty());
    const long stop = stoppedAt(reader.error());
    EXPECT_GE(stop, 0) << reader.error();
    EXPECT_LE(stop, static_cast<long>(row.text.size())) << reader.error();
  }
}

TEST(OutlineReader, EveryPrefixOfAShippedOutlineFailsCleanly) {
  const std::string text = test::readFile(test::sourceDir() + "devdata/place/s_sargasso.json");
  const std::size_t last = text.rfind(']');
  ASSERT_NE(last, std::string::npos);
  OutlineReader reader;
  std::vector<OutlineReader::Polygon> out;
  ASSERT_TRUE(reader.parse(text, out)) << reader.error();
  ASSERT_EQ(out.size(), 1u);
  for (std::size_t n = 0; n <= last; ++n) {
    const std::string prefix = text.substr(0, n);  // exact-size block for sanitizers
    out.clear();
    EXPECT_FALSE(reader.parse(prefix, out)) << n;
    EXPECT_TRUE(out.empty()) << n;
    EXPECT_LE(stoppedAt(reader.error()), static_cast<long>(n)) << reader.error();
  }
}

}  // namespace
}  // namespace orb
