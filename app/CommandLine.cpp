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
    } else if (arg == "--lang" && i + 1 < argc) {
      line.language = argv[++i];
    } else if (arg.rfind("--lang=", 0) == 0) {
      line.language = arg.substr(7);
    } else {
      line.action = Action::Error;
      line.problem = arg == "--lang" ? "--lang needs a language code, e.g. --lang de" : "unknown option " + arg;
      return line;
    }
  }
  return line;
}

const char* CommandLine::usage() {
  return "Usage: globaro [--fullscreen | --windowed] [--lang CODE] [--help] [--version]\n"
         "A geography quiz on a 3D globe: the game names a place, you find it on the earth.\n"
         "\n"
         "  --fullscreen  start full screen (F11 switches while playing)\n"
         "  --windowed    start in a window (the default)\n"
         "  --lang CODE   play in this language (de, fr, es, ...; en for English); by default\n"
         "                the one chosen in the game, else the desktop's (LANGUAGE, LC_ALL, LANG)\n"
         "  --help        show this help and exit\n"
         "  --version     show the version and exit\n"
         "\n"
         "Saves are kept in $XDG_DATA_HOME/globaro/ (by default ~/.local/share/globaro/).\n";
}

}  // namespace orb
