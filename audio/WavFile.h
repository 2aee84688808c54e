#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace orb {

// A RIFF/WAVE file with 16-bit PCM samples, read completely into memory.
// Any channel count and sample rate are accepted, and chunks other than
// "fmt " and "data" (LIST, fact, ...) are stepped over. Nothing is ever read
// outside the bytes given: a chunk whose size points past the end of the file
// makes the file invalid, as does a "data" chunk shorter than it claims.
class WavFile {
 public:
  // Reads and parses the file. On failure returns false, leaves the object
  // empty and puts a short reason (no file name) into error.
  [[nodiscard]] bool load(const std::string& path, std::string& error);

  // Parses a complete file image held in memory; same contract as load().
  [[nodiscard]] bool parse(const std::string& bytes, std::string& error);

  int channels() const { return channels_; }      // interleaved channels per frame, >= 1
  int sampleRate() const { return sampleRate_; }  // frames per second, > 0
  // Interleaved samples in native byte order; always a whole number of frames.
  const std::vector<std::int16_t>& samples() const { return samples_; }
  std::size_t frames() const { return channels_ > 0 ? samples_.size() / channels_ : 0; }

 private:
  void clear();

  int channels_ = 0;
  int sampleRate_ = 0;
  std::vector<std::int16_t> samples_;
};

}  // namespace orb
