#include "audio/WavFile.h"

#include <gtest/gtest.h>

#include "audio/AudioTestFiles.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

using test::readFile;
using test::writeFile;

class WavFileTest : public ::testing::Test {
 protected:
  // One folder per test: ctest runs tests of this suite in parallel processes.
  void SetUp() override {
    dir_ = test::scratchDir(std::string("wav_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
  }

  // Parses a file image; returns whether it was accepted, keeps the reason.
  bool accepts(const std::string& bytes) { return wav_.parse(bytes, error_); }

  std::string dir_;
  WavFile wav_;
  std::string error_;
};

// --- Files that must play ---

TEST_F(WavFileTest, MonoFromPythonKeepsRateFramesAndSampleValues) {
  const std::string path = dir_ + "mono.wav";
  ASSERT_TRUE(test::python(path, "w.setnchannels(1)\nw.setsampwidth(2)\nw.setframerate(22050)\n"
                                 "w.writeframes(struct.pack('<5h', 0, 1, -1, 32767, -32768))"));
  ASSERT_TRUE(wav_.load(path, error_)) << error_;
  EXPECT_EQ(wav_.channels(), 1);
  EXPECT_EQ(wav_.sampleRate(), 22050);
  EXPECT_EQ(wav_.samples(), (std::vector<std::int16_t>{0, 1, -1, 32767, -32768}));
}

TEST_F(WavFileTest, StereoAndOddRatesAreAccepted) {
  const std::string path = dir_ + "stereo.wav";
  ASSERT_TRUE(test::pythonSine(path, 2, 11025, 0.1));
  ASSERT_TRUE(wav_.load(path, error_)) << error_;
  EXPECT_EQ(wav_.channels(), 2);
  EXPECT_EQ(wav_.sampleRate(), 11025);
  EXPECT_EQ(wav_.frames(), 1102u);
}

TEST_F(WavFileTest, ListChunkBetweenFmtAndDataIsSteppedOver) {
  const std::string path = dir_ + "list.wav";
  ASSERT_TRUE(test::pythonSine(path, 1, 44100, 0.05));
  ASSERT_TRUE(wav_.load(path, error_)) << error_;
  const std::vector<std::int16_t> plain = wav_.samples();
  // An odd-sized INFO list, padded as RIFF requires, as tagging tools write it.
  const std::string tagged = test::withChunkBeforeData(readFile(path), "LIST",
                                                          std::string("INFOISFT\x05\0\0\0globe", 17));
  ASSERT_TRUE(accepts(tagged)) << error_;
  EXPECT_EQ(wav_.samples(), plain);
}

TEST_F(WavFileTest, SoxMultichannelExtensibleFormatWithFactChunk) {
  // sox labels 16-bit PCM with more than two channels as "extensible" and adds
  // a fact chunk before the data.
  const std::string path = dir_ + "quad.wav";
  ASSERT_TRUE(test::run("sox -n -b 16 -c 4 -r 48000 '" + path + "' synth 0.1 sine 440 vol 0.5"));
  ASSERT_TRUE(wav_.load(path, error_)) << error_;
  EXPECT_EQ(wav_.channels(), 4);
  EXPECT_EQ(wav_.sampleRate(), 48000);
  EXPECT_EQ(wav_.frames(), 4800u);
}

TEST_F(WavFileTest, TrailingPartialFrameIsDropped) {
  const std::string path = dir_ + "partial.wav";
  ASSERT_TRUE(test::pythonSine(path, 2, 8000, 0.01));  // 80 frames of 4 bytes
  std::string b = readFile(path);
  const std::size_t data = test::chunkAt(b, "data");
  test::putU32(b, data + 4, 80 * 4 - 2);  // the last frame is half there
  ASSERT_TRUE(accepts(b)) << error_;
  EXPECT_EQ(wav_.frames(), 79u);
  EXPECT_EQ(wav_.samples().size(), 158u);
}

// --- Files that must be refused, without crashing or reading outside the file ---

TEST_F(WavFileTest, EightBitAndNonPcmFilesAreRejected) {
  const std::string byte = dir_ + "u8.wav";
  ASSERT_TRUE(test::python(byte, "w.setnchannels(1)\nw.setsampwidth(1)\nw.setframerate(8000)\n"
                                 "w.writeframes(bytes(range(256)))"));
  EXPECT_FALSE(wav_.load(byte, error_));
  EXPECT_NE(error_.find("8-bit"), std::string::npos) << error_;

  const std::string soxByte = dir_ + "sox8.wav";
  ASSERT_TRUE(test::run("sox -n -b 8 -r 8000 '" + soxByte + "' synth 0.05 sine 440 vol 0.5"));
  EXPECT_FALSE(wav_.load(soxByte, error_));

  const std::string fl = dir_ + "float.wav";
  ASSERT_TRUE(test::run("sox -n -e floating-point -b 32 -r 8000 '" + fl + "' synth 0.05 sine 440 vol 0.5"));
  EXPECT_FALSE(wav_.load(fl, error_));
  EXPECT_NE(error_.find("not PCM"), std::string::npos) << error_;

  const std::string alaw = dir_ + "alaw.wav";
  ASSERT_TRUE(test::run("sox -n -e a-law -r 8000 '" + alaw + "' synth 0.05 sine 440 vol 0.5"));
  EXPECT_FALSE(wav_.load(alaw, error_));

  // Extensible header whose sub-format is float, in 16 bits: the tag decides.
  const std::string quad = dir_ + "quadfloat.wav";
  ASSERT_TRUE(test::run("sox -n -b 16 -c 4 -r 8000 '" + quad + "' synth 0.05 sine 440 vol 0.5"));
  std::string b = readFile(quad);
  b[test::chunkAt(b, "fmt ") + 8 + 24] = 3;
  EXPECT_FALSE(accepts(b));
}

TEST_F(WavFileTest, TruncatedFilesAreRejectedAtEveryLength) {
  const std::string path = dir_ + "whole.wav";
  ASSERT_TRUE(test::pythonSine(path, 1, 8000, 0.01));
  const std::string whole = readFile(path);
  ASSERT_TRUE(accepts(whole)) << error_;
  // Every cut, from nothing to one byte short, including cuts inside the headers.
  for (std::size_t n = 0; n < whole.size(); ++n) {
    EXPECT_FALSE(accepts(whole.substr(0, n))) << "accepted a file cut to " << n << " bytes";
    EXPECT_TRUE(wav_.samples().empty());
  }
}

TEST_F(WavFileTest, ChunkSizePointingPastTheEndIsRejected) {
  const std::string path = dir_ + "base.wav";
  ASSERT_TRUE(test::pythonSine(path, 1, 8000, 0.01));
  const std::string tagged = test::withChunkBeforeData(readFile(path), "LIST", "INFO");
  const std::size_t list = test::chunkAt(tagged, "LIST");
  // Sizes just past the end, far past it, and one that would wrap a 32-bit
  // position back to the start of the file.
  for (std::uint32_t size : {static_cast<std::uint32_t>(tagged.size()), 0x7FFFFFF0u, 0xFFFFFFFFu,
                             static_cast<std::uint32_t>(0x100000000ull - list - 8)}) {
    std::string b = tagged;
    test::putU32(b, list + 4, size);
    EXPECT_FALSE(accepts(b)) << "size " << size;
    EXPECT_NE(error_.find("past the end"), std::string::npos) << error_;
  }
  // The same for the data chunk itself: it claims more samples than there are.
  std::string b = readFile(path);
  test::putU32(b, test::chunkAt(b, "data") + 4, 0xFFFFFFF0u);
  EXPECT_FALSE(accepts(b));
}

TEST_F(WavFileTest, EmptyMissingAndForeignFilesAreRejected) {
  const std::string empty = dir_ + "empty.wav";
  writeFile(empty, "");
  EXPECT_FALSE(wav_.load(empty, error_));
  EXPECT_EQ(error_, "empty file");

  EXPECT_FALSE(wav_.load(dir_ + "absent.wav", error_));
  EXPECT_EQ(error_, "cannot open file");

  // A directory opens as a stream on Linux and only fails when read.
  EXPECT_FALSE(wav_.load(dir_, error_));
  EXPECT_EQ(error_, "not a regular file");

  EXPECT_FALSE(accepts(std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)));
  EXPECT_FALSE(accepts(std::string("RIFF\x04\0\0\0WAVE", 12)));  // well-formed but no chunks
  EXPECT_NE(error_.find("fmt "), std::string::npos) << error_;
}

TEST_F(WavFileTest, DataWithoutSamplesOrWithoutFormatIsRejected) {
  const std::string path = dir_ + "nodata.wav";
  ASSERT_TRUE(test::python(path, "w.setnchannels(1)\nw.setsampwidth(2)\nw.setframerate(8000)"));
  EXPECT_FALSE(wav_.load(path, error_));
  EXPECT_EQ(error_, "no samples");

  // A zero channel count would divide by zero when counting frames.
  ASSERT_TRUE(test::pythonSine(path, 1, 8000, 0.01));
  std::string b = readFile(path);
  b[test::chunkAt(b, "fmt ") + 10] = 0;
  EXPECT_FALSE(accepts(b));
}

}  // namespace
}  // namespace orb
