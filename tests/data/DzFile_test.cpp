#include "data/DzFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/TestPaths.h"

namespace orb {
namespace {

dz::Bytes bytesOf(const std::string& s) { return dz::Bytes(s.begin(), s.end()); }

TEST(DzFile, WrittenFileDecompressesWithAStandardZlibTool) {
  const std::string dir = test::scratchDir("dz_python");
  const std::string text = "{\"volume\":0.500000,\"width\":960}";
  ASSERT_TRUE(dz::writeCompressedFile(dir + "settings.dz", bytesOf(text)));
  const std::string cmd = "python3 -c \"import zlib,sys; sys.stdout.buffer.write(zlib.decompress(open('" +
                          dir + "settings.dz','rb').read()))\" > " + dir + "plain.txt";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_EQ(test::readFile(dir + "plain.txt"), text);
}

TEST(DzFile, StreamWrittenByAStandardZlibToolReadsBack) {
  const std::string dir = test::scratchDir("dz_python_in");
  const std::string cmd = "python3 -c \"import zlib; open('" + dir +
                          "in.dz','wb').write(zlib.compress(b'{\\\"a\\\":[1,2,3]}' * 1000, 9))\"";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  dz::Bytes out;
  ASSERT_TRUE(dz::readCompressedFile(dir + "in.dz", out));
  std::string expected;
  for (int i = 0; i < 1000; ++i) expected += "{\"a\":[1,2,3]}";
  EXPECT_EQ(std::string(out.begin(), out.end()), expected);
}

TEST(DzFile, OutputOfExactlyOneChunkIsAppendedOnce) {
  dz::Bytes input(16384);
  for (std::size_t i = 0; i < input.size(); ++i) input[i] = static_cast<unsigned char>((i * 131) ^ (i >> 7));
  dz::Bytes packed, out = {'>'};
  dz::compress(input, packed);
  ASSERT_TRUE(dz::decompress(packed, out));
  ASSERT_EQ(out.size(), 1u + 16384u) << "appended after what the buffer held, nothing more";
  EXPECT_TRUE(std::equal(input.begin(), input.end(), out.begin() + 1));
}

TEST(DzFile, RoundTripsDataLargerThanOneChunk) {
  std::string big;
  for (int i = 0; big.size() < 100000; ++i) big += std::to_string(i * 7919 % 104729) + ",";
  dz::Bytes packed, unpacked;
  dz::compress(bytesOf(big), packed);
  ASSERT_TRUE(dz::decompress(packed, unpacked));
  EXPECT_EQ(std::string(unpacked.begin(), unpacked.end()), big);
}

TEST(DzFile, DamagedStreamsEndWithFailureInsteadOfLooping) {
  dz::Bytes packed;
  dz::compress(bytesOf(std::string(5000, 'x') + "tail"), packed);
  dz::Bytes out;
  EXPECT_FALSE(dz::decompress({}, out)) << "empty input";
  dz::Bytes truncated(packed.begin(), packed.begin() + static_cast<long>(packed.size() / 2));
  out.clear();
  EXPECT_FALSE(dz::decompress(truncated, out)) << "truncated";
  dz::Bytes corrupt = packed;
  corrupt[corrupt.size() / 2] ^= 0x5a;
  corrupt[corrupt.size() - 1] ^= 0xff;  // the checksum at least is wrong
  out.clear();
  EXPECT_FALSE(dz::decompress(corrupt, out)) << "corrupt";
  out.clear();
  EXPECT_FALSE(dz::decompress(bytesOf("not zlib at all"), out)) << "garbage";
}

TEST(DzFile, AStreamThatInflatesPastTheCapIsRefused) {
  dz::Bytes zeros(dz::kMaxInflatedBytes + 1), packed, out;
  ASSERT_TRUE(dz::compress(zeros, packed));
  ASSERT_LT(packed.size(), 100000u) << "a small file";
  EXPECT_FALSE(dz::decompress(packed, out));
  EXPECT_LE(out.size(), dz::kMaxInflatedBytes + 0x4000) << "stopped near the cap, not at the end";
  zeros.resize(dz::kMaxInflatedBytes);
  packed.clear();
  out.clear();
  ASSERT_TRUE(dz::compress(zeros, packed));
  EXPECT_TRUE(dz::decompress(packed, out)) << "exactly the cap still reads";
}

TEST(DzFile, ReadingAMissingFileLeavesTheBufferAlone) {
  dz::Bytes out = bytesOf("keep");
  EXPECT_FALSE(dz::readCompressedFile(test::scratchDir("dz_missing") + "none.dz", out));
  EXPECT_EQ(std::string(out.begin(), out.end()), "keep");
}

TEST(DzFile, FailedWriteKeepsThePreviousFile) {
  const std::string dir = test::scratchDir("dz_keep");
  ASSERT_TRUE(dz::writeCompressedFile(dir + "a.dz", bytesOf("first")));
  EXPECT_FALSE(dz::writeCompressedFile(dir + "no/such/dir/a.dz", bytesOf("second")));
  dz::Bytes out;
  ASSERT_TRUE(dz::readCompressedFile(dir + "a.dz", out));
  EXPECT_EQ(std::string(out.begin(), out.end()), "first");
}

TEST(DzFile, PathPairing) {
  struct Row {
    const char* name;
    const char* path;
    const char* variant;
  };
  const Row rows[] = {
      {"settings", "settings.json", "settings.dz"},
      {"parameters", "devdata/params.json", "devdata/params.dz"},
      {"results", "results.json", "results.dz"},
      {"last occurrence wins", "a.json/x.json", "a.json/x.dz"},
      {"text after .json is dropped", "a.jsonx", "a.dz"},
      {"no .json, no variant", "devdata/replay.rep", ""},
  };
  for (const Row& r : rows) EXPECT_EQ(dz::variantPath(r.path), r.variant) << r.name;
  std::string out = "unchanged";
  EXPECT_FALSE(dz::variantOf("devdata/replay.rep", out));
  EXPECT_EQ(out, "unchanged");
}

}  // namespace
}  // namespace orb
