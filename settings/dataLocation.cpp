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

dataDirChoiceS decideDataDir(const std::optional<std::string>& chosen,
                             const std::filesystem::path& programDir) {
    if (!chosen) {
        if (runsFromBuildFolder(programDir)) {
            return {programDir, {}};
        }
        const std::filesystem::path dataHome = xdgDataHome();
        if (dataHome.empty()) {
            return {{},
                    "cannot decide the data folder: neither XDG_DATA_HOME nor HOME is an "
                    "absolute path (name one with --data-dir)"};
        }
        return {dataHome / "quivermark", {}};
    }
    std::string name = *chosen;
    if (name.empty()) {
        return {{}, "--data-dir needs a folder name"};
    }
    if (name == "~" || name.starts_with("~/")) {
        const char* home = std::getenv("HOME");
        if (home == nullptr || !std::filesystem::path(home).is_absolute()) {
            return {{}, "cannot expand \"~\" in " + name + ": HOME is not an absolute path"};
        }
        name = std::string(home) + name.substr(1);
    }
    std::error_code error;
    std::filesystem::path dir = std::filesystem::absolute(name, error);
    if (error) {
        return {{}, "cannot use " + name + " as the data folder: " + error.message()};
    }
    return {dir.lexically_normal(), {}};
}

}  // namespace qm
