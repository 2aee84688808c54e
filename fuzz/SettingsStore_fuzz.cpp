// The settings loader on any saved file: JSON text is saved compressed as the
// game would, ".dz" inputs are saved as they are. Every read must stay neutral.
#include <cstdlib>

#include "FuzzScratch.h"
#include "data/DzFile.h"
#include "data/SettingsStore.h"

namespace {
const orb::fuzz::FuzzScratch scratch;
constexpr char kDefaults[] = "{\"width\":960,\"height\":640}";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  scratch.clear();
  scratch.write("devdata/settings.json", kDefaults, sizeof kDefaults - 1);
  orb::dz::Bytes saved(data, data + size);
  if (!orb::fuzz::looksCompressed(data, size)) {
    orb::dz::Bytes packed;
    orb::dz::compress(saved, packed);
    saved.swap(packed);
  }
  scratch.write("save/settings.dz", saved.data(), saved.size());

  orb::SettingsStore settings;
  settings.open(scratch.folder(), scratch.folder() + "save/");
  if (settings.source().empty()) std::abort();  // the defaults were there
  (void)settings.getFlag("advanced");
  const float rate = settings.correctRate();
  if (!(rate >= 0.0f && rate <= 1.0f)) std::abort();
  settings.markPlace("Atlantis");
  settings.setNumber("volume", 0.5);
  return 0;
}
