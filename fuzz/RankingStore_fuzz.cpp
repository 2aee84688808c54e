// The results loader on any saved file: JSON text is saved compressed as the
// game would, ".dz" inputs are saved as they are. Tables always have ten rows.
#include <cstdlib>

#include "FuzzScratch.h"
#include "data/DzFile.h"
#include "records/RankingStore.h"

namespace {
const orb::fuzz::FuzzScratch scratch;
constexpr char kDefaults[] = "{\"normal\":[{\"level\":1,\"konahen\":2,\"score\":3}]}";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  scratch.clear();
  scratch.write("devdata/results.json", kDefaults, sizeof kDefaults - 1);
  orb::dz::Bytes saved(data, data + size);
  if (!orb::fuzz::looksCompressed(data, size)) {
    orb::dz::Bytes packed;
    orb::dz::compress(saved, packed);
    saved.swap(packed);
  }
  scratch.write("save/results.dz", saved.data(), saved.size());

  orb::RankingStore store;
  store.open(scratch.folder(), scratch.folder() + "save/");
  if (store.source().empty()) std::abort();  // the defaults were there
  for (int mode = 0; mode < 3; ++mode) {
    const auto table = store.table(mode);
    if (table.size() != static_cast<std::size_t>(orb::RankingStore::kTableRows)) std::abort();
    if (orb::RankingStore::newRowPosition(table) != -1) std::abort();
  }
  return 0;
}
