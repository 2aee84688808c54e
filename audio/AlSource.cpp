#include "audio/AlSource.h"

#include <AL/al.h>

#include <utility>

namespace orb {

AlSource::AlSource() {
  ALuint n = 0;
  alGenSources(1, &n);
  name_ = n;
}

AlSource::~AlSource() {
  if (name_ != 0) {
    ALuint n = name_;
    alSourceStop(n);
    alSourcei(n, AL_BUFFER, 0);  // a buffer still attached could not be deleted
    alDeleteSources(1, &n);
  }
}

AlSource& AlSource::operator=(AlSource&& other) noexcept {
  if (this != &other) {
    AlSource gone(std::move(*this));
    name_ = other.name_;
    other.name_ = 0;
  }
  return *this;
}

}  // namespace orb
