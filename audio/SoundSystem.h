#pragma once
#include <AL/alc.h>
#include <picojson.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "audio/AlBuffer.h"
#include "audio/AlSource.h"

namespace orb {

// All sound effects and jingles, loaded once at start-up from the "audio"
// table of the parameter file and played by name. Sounds are grouped into
// named channels, one OpenAL source each: a sound started on a channel cuts
// whatever that channel was playing, sounds on different channels mix.
//
// Without an audio device (or when no context can be created) the game runs
// silently: one line on stderr at construction, and every call below is a
// no-op apart from the master volume, which is still kept so that the settings
// round-trip. A sound whose WAV file is missing or unacceptable is skipped
// with one stderr line naming the file; playing it is then a no-op.
// One per process: its context is the current OpenAL context while it lives.
class SoundSystem {
 public:
  // Opens the default device, creates and makes current a context, then loads
  // dataDir + "devdata/params.json" and takes its "audio" object. Each member
  // is a sound: {"file": name under dataDir + "devdata/", "ch": channel name,
  // "loop": bool}.
  explicit SoundSystem(const std::string& dataDir);
  // The same with the "audio" table given directly (tests, tools).
  SoundSystem(const std::string& dataDir, const picojson::value& audio);
  ~SoundSystem();  // stops everything, frees sources and buffers, closes context and device

  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  // Starts the sound now on its channel at gain volume * master volume,
  // cutting what the channel played. Unknown names are ignored.
  void play(const std::string& name, float volume = 1.0f);

  // Master volume (0..1 as stored in the settings "volume"). Applied to every
  // source at once, so sounds already playing, loops included, follow it.
  void setVolume(float v);
  float volume() const { return masterVolume_; }

  // Stops every channel, detaches its buffer and forgets its request volume,
  // so a later setVolume leaves the source silent until a sound starts on it.
  void stopAll();

  // --- Inspection (tests, debug) ---
  bool available() const { return context_ != nullptr; }  // false when running silently
  bool hasSound(const std::string& name) const { return sounds_.count(name) != 0; }
  std::size_t soundCount() const { return sounds_.size(); }
  std::size_t channelCount() const { return sources_.size(); }
  // Channel (source) index of a sound, or -1 for an unknown name.
  int channelOf(const std::string& name) const;
  // What OpenAL reports for the channel's source right now: whether it is
  // playing, and its AL_GAIN. false / 0 when silent or out of range.
  bool channelPlaying(int channel) const;
  float channelGain(int channel) const;
  // Whether this sound's buffer is what its channel is playing right now.
  bool soundPlaying(const std::string& name) const;
  // How many times play() has started this sound (0 for an unknown name).
  int playCount(const std::string& name) const;

 private:
  struct Definition {
    int buffer = 0;  // index into buffers_
    int source = 0;  // index into sources_ (the channel)
    bool loop = false;
    int plays = 0;
  };
  struct DeviceCloser {
    void operator()(ALCdevice* d) const;
  };
  struct ContextCloser {
    void operator()(ALCcontext* c) const;
  };

  bool open();
  void loadTable(const std::string& dataDir, const picojson::value& audio);
  int channelIndex(const std::string& channel);

  // Declaration order is destruction order reversed: sources and buffers go
  // before the context, the context before the device.
  std::unique_ptr<ALCdevice, DeviceCloser> device_;
  std::unique_ptr<ALCcontext, ContextCloser> context_;
  float masterVolume_ = 1.0f;
  std::vector<AlBuffer> buffers_;
  std::vector<AlSource> sources_;
  std::vector<float> channelGains_;  // request volume of the sound last started per source
  std::map<std::string, int> channels_;
  std::map<std::string, Definition> sounds_;
};

}  // namespace orb
