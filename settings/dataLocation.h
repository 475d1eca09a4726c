#pragma once

#include <filesystem>
#include <optional>

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

// dataHome is the user's data folder as the caller knows it (the window asks Qt).
[[nodiscard]] std::filesystem::path chooseDataDir(
    const std::optional<std::filesystem::path>& chosen, const std::filesystem::path& programDir,
    const std::filesystem::path& dataHome);

}  // namespace qm
