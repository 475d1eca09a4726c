// Feeds arbitrary bytes to the INI reader and writer: nothing may crash, and a value written
// must read back, whatever the file held before.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "settings/profileFileC.h"

namespace {

const std::filesystem::path& scratchFile() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("qm-fuzz-" + std::to_string(::getpid()) + ".INI");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    qm::profileFileC ini(scratchFile());
    (void)ini.readSectionKeys("Players");
    (void)ini.readSectionKeys("AI");
    (void)ini.readString("Default", "Player1", "Player 1");
    (void)ini.readInteger("AI", "Bot", 20);

    if (!ini.writeInteger("AI", "Fuzz Bot", 42)) {
        std::abort();
    }
    if (ini.readInteger("ai", "FUZZ BOT", 0) != 42) {
        std::abort();
    }
    return 0;
}
