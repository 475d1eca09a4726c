#include "settings/dataLocation.h"

#include <cstdlib>
#include <system_error>

namespace qm {

std::filesystem::path programDirectory(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return self.parent_path();
    }
    return std::filesystem::absolute(argv0, error).parent_path();
}

bool runsFromBuildFolder(const std::filesystem::path& programDir) {
    std::error_code error;
    return std::filesystem::is_regular_file(programDir / buildFolderMarker, error);
}

std::filesystem::path xdgDataHome() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && std::filesystem::path(dataHome).is_absolute()) {
        return dataHome;
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && std::filesystem::path(home).is_absolute()) {
        return std::filesystem::path(home) / ".local" / "share";
    }
    return {};
}

std::filesystem::path chooseDataDir(const std::optional<std::filesystem::path>& chosen,
                                    const std::filesystem::path& programDir,
                                    const std::filesystem::path& dataHome) {
    if (chosen) {
        return *chosen;
    }
    if (runsFromBuildFolder(programDir) || dataHome.empty()) {
        return programDir;
    }
    return dataHome / "quivermark";
}

}  // namespace qm
