#include "app/Shell.h"

#ifndef GLOBARO_INSTALL_DATADIR
#define GLOBARO_INSTALL_DATADIR "/usr/local/share/globaro/"
#endif

int main(int argc, char** argv) { return orb::runShell(argc, argv, GLOBARO_INSTALL_DATADIR); }
