#pragma once

#include <string>
#include <vector>

namespace qm {

// Plays one of the program's sounds by name ("DART", "INVALID", "OPEN", "REDO", "WON") and
// returns when it has ended. A missing sound or a missing sound device is silently ignored.
class soundPlayer {
  public:
    virtual ~soundPlayer() = default;
    virtual void play(const std::string& name) = 0;

    // The caller: speaks the phrases in order, on a stream of its own, and returns at once; a
    // newer call replaces one still speaking. The game's own sounds are not held up by it.
    virtual void say(const std::vector<std::string>& phrases) { (void)phrases; }
    // Why the caller cannot speak; empty when it can.
    [[nodiscard]] virtual std::string callerProblem() { return "no voice"; }
};

}  // namespace qm
