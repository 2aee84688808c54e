#include "app/CommandLine.h"

namespace orb {

CommandLine CommandLine::parse(int argc, const char* const* argv) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      line.action = Action::Help;
      return line;
    }
    if (arg == "--version") {
      line.action = Action::Version;
      return line;
    }
    if (arg == "--fullscreen") {
      line.fullscreen = true;
    } else if (arg == "--windowed") {
      line.fullscreen = false;
    } else {
      line.action = Action::Error;
      line.problem = arg;
      return line;
    }
  }
  return line;
}

const char* CommandLine::usage() {
  return "Usage: globaro [--fullscreen | --windowed] [--help] [--version]\n"
         "A geography quiz on a 3D globe: the game names a place, you find it on the earth.\n"
         "\n"
         "  --fullscreen  start full screen (F11 switches while playing)\n"
         "  --windowed    start in a window (the default)\n"
         "  --help        show this help and exit\n"
         "  --version     show the version and exit\n"
         "\n"
         "Saves are kept in $XDG_DATA_HOME/globaro/ (by default ~/.local/share/globaro/).\n";
}

}  // namespace orb
