#include "ui/wavData.h"

namespace qm {

namespace {

std::uint32_t read32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

std::uint16_t read16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

}  // namespace

std::optional<wavData> parseWav(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return std::nullopt;
    }
    wavData wav;
    bool haveFormat = false;
    bool haveData = false;
    std::size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint32_t size = read32(bytes, at + 4);
        const std::size_t body = at + 8;
        if (size > bytes.size() - body) {
            return std::nullopt;
        }
        if (id == "fmt ") {
            if (size < 16 || read16(bytes, body) != 1) {
                return std::nullopt;  // only plain PCM
            }
            wav.channels = read16(bytes, body + 2);
            wav.sampleRate = read32(bytes, body + 4);
            wav.bitsPerSample = read16(bytes, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            wav.samples = bytes.substr(body, size);
            haveData = true;
        }
        at = body + size + (size % 2);  // chunks are padded to even sizes
    }
    const bool supported = wav.channels >= 1 && wav.channels <= 2 && wav.sampleRate > 0 &&
                           (wav.bitsPerSample == 8 || wav.bitsPerSample == 16);
    if (!haveFormat || !haveData || !supported) {
        return std::nullopt;
    }
    return wav;
}

}  // namespace qm
