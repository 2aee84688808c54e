#include "audio/SoundSystem.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "audio/WavFile.h"
#include "data/Json.h"
#include "data/JsonDocument.h"

namespace orb {

namespace {

const char* const kParamsFile = "devdata/params.json";
const char* const kSoundDir = "devdata/";

// A volume fit for AL_GAIN: OpenAL rejects negative gains (leaving the old
// one in place) and NaN would poison every later product.
float saneVolume(float v, float ifNan) {
  if (std::isnan(v)) return ifNan;
  return std::max(v, 0.0f);
}

}  // namespace

void SoundSystem::DeviceCloser::operator()(ALCdevice* d) const { alcCloseDevice(d); }

void SoundSystem::ContextCloser::operator()(ALCcontext* c) const {
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(c);
}

SoundSystem::SoundSystem(const std::string& dataDir) {
  if (!open()) return;
  const std::string path = dataDir + kParamsFile;
  JsonDocument params(path);
  if (!params.loaded()) {
    std::cerr << path << ": " << params.error() << "; no sounds loaded\n";
    return;
  }
  loadTable(dataDir, json::at(params.root(), "audio"));
}

SoundSystem::SoundSystem(const std::string& dataDir, const picojson::value& audio) {
  if (open()) loadTable(dataDir, audio);
}

SoundSystem::~SoundSystem() {
  stopAll();
  // Members then release sources, buffers, context and device in that order.
}

bool SoundSystem::open() {
  device_.reset(alcOpenDevice(nullptr));
  if (!device_) {
    std::cerr << "sound: no audio device could be opened; the game runs silently\n";
    return false;
  }
  context_.reset(alcCreateContext(device_.get(), nullptr));
  if (!context_ || alcMakeContextCurrent(context_.get()) == ALC_FALSE) {
    std::cerr << "sound: no OpenAL context could be created; the game runs silently\n";
    context_.reset();
    device_.reset();
    return false;
  }
  return true;
}

int SoundSystem::channelIndex(const std::string& channel) {
  const auto found = channels_.find(channel);
  if (found != channels_.end()) return found->second;
  const int index = static_cast<int>(channels_.size());
  channels_.emplace(channel, index);
  return index;
}

void SoundSystem::loadTable(const std::string& dataDir, const picojson::value& audio) {
  // Members in key order; a channel gets its source index when first named,
  // even by a sound that is then skipped, so indices do not shift with which
  // files happen to be present.
  for (const auto& [name, def] : json::object(audio)) {
    const int source = channelIndex(json::string(json::at(def, "ch")));
    const std::string file = json::string(json::at(def, "file"));
    const std::string path = dataDir + kSoundDir + file;
    WavFile wav;
    std::string error;
    if (file.empty()) {
      error = "no \"file\" given";
    } else if (wav.load(path, error)) {
      buffers_.emplace_back();
      buffers_.back().upload(wav);
      sounds_[name] = Definition{static_cast<int>(buffers_.size()) - 1, source, json::boolean(def, "loop")};
      continue;
    }
    std::cerr << path << ": " << error << "; sound \"" << name << "\" skipped\n";
  }
  sources_.resize(0);
  for (std::size_t i = 0; i < channels_.size(); ++i) sources_.emplace_back();
  channelGains_.assign(sources_.size(), 0.0f);
}

void SoundSystem::play(const std::string& name, float volume) {
  const auto found = sounds_.find(name);
  if (found == sounds_.end()) return;
  Definition& d = found->second;
  ++d.plays;
  const ALuint s = sources_[d.source].name();
  volume = saneVolume(volume, 0.0f);
  alSourceStop(s);
  alSourcei(s, AL_BUFFER, static_cast<ALint>(buffers_[d.buffer].name()));
  alSourcef(s, AL_GAIN, masterVolume_ * volume);
  alSourcei(s, AL_LOOPING, d.loop ? AL_TRUE : AL_FALSE);
  alSourcePlay(s);
  channelGains_[d.source] = volume;
}

int SoundSystem::playCount(const std::string& name) const {
  const auto found = sounds_.find(name);
  return found == sounds_.end() ? 0 : found->second.plays;
}

void SoundSystem::setVolume(float v) {
  // The settings file is the player's to edit; keep the master in 0..1 so a
  // stray value can neither be rejected by OpenAL nor amplify the mix.
  masterVolume_ = std::min(saneVolume(v, 1.0f), 1.0f);
  for (std::size_t i = 0; i < sources_.size(); ++i) {
    alSourcef(sources_[i].name(), AL_GAIN, channelGains_[i] * masterVolume_);
  }
}

void SoundSystem::stopAll() {
  for (std::size_t i = 0; i < sources_.size(); ++i) {
    const ALuint s = sources_[i].name();
    alSourceStop(s);
    alSourcei(s, AL_BUFFER, 0);
    channelGains_[i] = 0.0f;
  }
}

int SoundSystem::channelOf(const std::string& name) const {
  const auto found = sounds_.find(name);
  return found == sounds_.end() ? -1 : found->second.source;
}

bool SoundSystem::channelPlaying(int channel) const {
  if (channel < 0 || channel >= static_cast<int>(sources_.size())) return false;
  ALint state = AL_STOPPED;
  alGetSourcei(sources_[channel].name(), AL_SOURCE_STATE, &state);
  return state == AL_PLAYING;
}

float SoundSystem::channelGain(int channel) const {
  if (channel < 0 || channel >= static_cast<int>(sources_.size())) return 0.0f;
  ALfloat gain = 0.0f;
  alGetSourcef(sources_[channel].name(), AL_GAIN, &gain);
  return gain;
}

bool SoundSystem::soundPlaying(const std::string& name) const {
  const auto found = sounds_.find(name);
  if (found == sounds_.end() || !channelPlaying(found->second.source)) return false;
  ALint buffer = 0;
  alGetSourcei(sources_[found->second.source].name(), AL_BUFFER, &buffer);
  return static_cast<ALuint>(buffer) == buffers_[found->second.buffer].name();
}

}  // namespace orb
