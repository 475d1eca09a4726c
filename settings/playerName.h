#pragma once

#include <string>

namespace qm {

// A player's name is a key of the INI file and the base of the statistics file name, so it must
// read back exactly as typed from the one and name a file inside the data directory for the
// other. Returns an empty text when the name can be used, otherwise a message for the user.
std::string playerNameProblem(const std::string& name);

}  // namespace qm
