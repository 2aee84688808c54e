#pragma once
#include <string>

namespace orb {

// Moves a damaged save file out of the way as path + ".damaged-<unix time>"
// (with ".1", ".2" ... added while that name is taken), so a later save never
// overwrites it and the player's data can still be recovered by hand. The
// file is renamed, never copied or deleted, so its bytes stay exactly as they
// were. Says on stderr what was kept where. Returns the new name, or "" when
// the file could not be moved (it then stays where it is).
std::string keepAside(const std::string& path);

}  // namespace orb
