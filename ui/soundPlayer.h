#pragma once

#include <string>

namespace qm {

// Plays one of the program's sounds by name ("DART", "INVALID", "OPEN", "REDO", "WON") and
// returns when it has ended. A missing sound or a missing sound device is silently ignored.
class soundPlayer {
  public:
    virtual ~soundPlayer() = default;
    virtual void play(const std::string& name) = 0;
};

}  // namespace qm
