#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qm {

// The playable part of a RIFF/WAVE file: integer PCM samples and their format.
struct wavData {
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t bitsPerSample = 0;
    std::string_view samples;  // points into the file's bytes

    [[nodiscard]] double seconds() const {
        const double bytesPerSecond = double(sampleRate) * channels * (bitsPerSample / 8);
        return bytesPerSecond > 0 ? double(samples.size()) / bytesPerSecond : 0.0;
    }
};

// Reads the "fmt " and "data" chunks; nothing for anything that is not 8- or 16-bit PCM.
std::optional<wavData> parseWav(std::string_view bytes);

}  // namespace qm
