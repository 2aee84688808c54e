// Saves the settings and the results in a loop through the game's own stores,
// for a test that kills this program with SIGKILL at random moments and then
// checks that each file holds a complete version.
//
//   save_loop <data folder/> <save folder/>
//
// It first writes "start <generation> <rows>": what it read. Each round raises the settings' "generation" by one and saves them, then
// adds one row to the normal-mode results (which saves them), and after each
// completed save writes one line to stdout: "settings <generation>" or
// "results <rows>". A file on disk may therefore be the last version reported
// or the one after it, nothing else. The settings also carry a large member
// that changes every round, so that a save takes long enough to be caught in
// the middle.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "data/Json.h"
#include "data/SettingsStore.h"
#include "records/RankingStore.h"

namespace {

void report(const char* what, long value) {
  char line[64];
  const int n = std::snprintf(line, sizeof line, "%s %ld\n", what, value);
  // Unbuffered, so a line is out before the next save starts.
  if (n > 0 && ::write(STDOUT_FILENO, line, static_cast<std::size_t>(n)) != n) _exit(3);
}

std::string padding(long generation) {
  std::string text(64 * 1024, ' ');
  unsigned state = static_cast<unsigned>(generation) * 2654435761u + 1;
  for (char& c : text) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>('a' + (state >> 16) % 26);
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: save_loop <data folder/> <save folder/>\n");
    return 2;
  }
  orb::SettingsStore settings;
  settings.open(argv[1], argv[2]);
  orb::RankingStore results;
  results.open(argv[1], argv[2]);
  long generation = orb::json::integer(settings.root(), "generation");
  char line[64];
  const int n = std::snprintf(line, sizeof line, "start %ld %zu\n", generation, results.rows(0).size());
  if (n > 0 && ::write(STDOUT_FILENO, line, static_cast<std::size_t>(n)) != n) return 3;
  for (;;) {
    ++generation;
    settings.setNumber("generation", static_cast<double>(generation));
    settings.member("padding") = picojson::value(padding(generation));
    if (!settings.save()) return 1;
    report("settings", generation);
    const int g = static_cast<int>(generation);
    results.enter(0, 1, g % 50, g);
    report("results", static_cast<long>(results.rows(0).size()));
  }
}
