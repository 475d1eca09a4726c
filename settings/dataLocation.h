#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace qm {

// Where the INI file and the statistics files live.
//
// Run from its build folder, the program keeps them beside itself, as it always has; the build
// leaves a marker file beside each program it links, and the installation never copies it. An
// installed program keeps them in the user's data folder, "$XDG_DATA_HOME/quivermark", since
// the folder it is installed in belongs to the system. A folder named on the command line
// overrides both.
inline constexpr const char* buildFolderMarker = "quivermark-build-folder";

// The folder of the running program (from /proc/self/exe; failing that, argv0's folder).
[[nodiscard]] std::filesystem::path programDirectory(const char* argv0);

[[nodiscard]] bool runsFromBuildFolder(const std::filesystem::path& programDir);

// The XDG base directory rule: $XDG_DATA_HOME when it is an absolute path, otherwise
// $HOME/.local/share. Empty when neither can be worked out.
[[nodiscard]] std::filesystem::path xdgDataHome();

// The folder both programs use, or why none can be decided. A folder named on the command
// line must not be empty; a leading "~" stands for $HOME, and a relative name is taken from
// the current folder. Without one, the build folder or the XDG data folder; when neither
// XDG_DATA_HOME nor HOME is an absolute path, no folder is guessed.
struct dataDirChoiceS {
    std::filesystem::path dir;
    std::string problem;  // empty when dir was decided
};
[[nodiscard]] dataDirChoiceS decideDataDir(const std::optional<std::string>& chosen,
                                           const std::filesystem::path& programDir);

}  // namespace qm
