// Internals shared by the parts of QVComLib.dll.
#pragma once

#include "qvssd/siblings.h"

#include <string>

namespace qvcom {

// The per-user data folder with its trailing backslash, created if missing;
// "" when it cannot be determined.
std::string UserDataFolder();

} // namespace qvcom
