#include "audio/AlBuffer.h"

#include <AL/al.h>

#include <utility>
#include <vector>

#include "audio/WavFile.h"

namespace orb {

AlBuffer::AlBuffer() {
  ALuint n = 0;
  alGenBuffers(1, &n);
  name_ = n;
}

AlBuffer::~AlBuffer() {
  if (name_ != 0) {
    ALuint n = name_;
    alDeleteBuffers(1, &n);
  }
}

AlBuffer& AlBuffer::operator=(AlBuffer&& other) noexcept {
  if (this != &other) {
    AlBuffer gone(std::move(*this));
    name_ = other.name_;
    other.name_ = 0;
  }
  return *this;
}

void AlBuffer::upload(const WavFile& wav) {
  const std::vector<std::int16_t>& s = wav.samples();
  const int channels = wav.channels();
  if (channels <= 2) {
    alBufferData(name_, channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16, s.data(),
                 static_cast<ALsizei>(s.size() * sizeof(std::int16_t)), wav.sampleRate());
    return;
  }
  // OpenAL's core formats stop at stereo; uploading more channels as stereo
  // would play them garbled and too slow, so keep the front pair.
  std::vector<std::int16_t> stereo(wav.frames() * 2);
  for (std::size_t f = 0; f < wav.frames(); ++f) {
    stereo[2 * f] = s[f * channels];
    stereo[2 * f + 1] = s[f * channels + 1];
  }
  alBufferData(name_, AL_FORMAT_STEREO16, stereo.data(),
               static_cast<ALsizei>(stereo.size() * sizeof(std::int16_t)), wav.sampleRate());
}

}  // namespace orb
