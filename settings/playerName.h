#pragma once

#include <string>

namespace qm {

// A player's name is a key of the INI file and the base of the statistics file name, so it must
// read back exactly as typed from the one and name a file inside the data directory for the
// other. Returns an empty text when the name can be used, otherwise a message for the user.
// Text that is not UTF-8, and control characters (C0, DEL, C1), are refused: they would make
// file names and INI keys no one can read or type.
std::string playerNameProblem(const std::string& name);

// The name as it is compared with others: in Unicode's composed form (NFC) and case-folded,
// so that "Café" typed either way and "CAFÉ" are one player. Empty for text that is no UTF-8.
std::string foldedName(const std::string& name);

}  // namespace qm
