#pragma once

namespace orb {

class WavFile;

// One OpenAL buffer name, freed by the destructor. Move-only. Needs a current
// context for its whole life.
class AlBuffer {
 public:
  AlBuffer();  // alGenBuffers
  ~AlBuffer();
  AlBuffer(AlBuffer&& other) noexcept : name_(other.name_) { other.name_ = 0; }
  AlBuffer& operator=(AlBuffer&& other) noexcept;
  AlBuffer(const AlBuffer&) = delete;
  AlBuffer& operator=(const AlBuffer&) = delete;

  // Uploads the samples: one channel as mono, two as stereo; a file with more
  // channels plays its first two as stereo.
  void upload(const WavFile& wav);

  unsigned name() const { return name_; }

 private:
  unsigned name_ = 0;
};

}  // namespace orb
