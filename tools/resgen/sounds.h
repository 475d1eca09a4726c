#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::resgen {

inline constexpr int sampleRate = 22050;

// The five sounds as 16-bit mono samples.
std::vector<std::int16_t> dartSound();
std::vector<std::int16_t> invalidSound();
std::vector<std::int16_t> openSound();
std::vector<std::int16_t> redoSound();
std::vector<std::int16_t> wonSound();

// A canonical 44-byte-header PCM WAVE file.
std::vector<std::uint8_t> wavFile(const std::vector<std::int16_t>& samples);

bool writeSounds(const std::string& dir);

}  // namespace qm::resgen
