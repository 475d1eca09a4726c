#include "tools/resgen/sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace qm::resgen {

namespace {

constexpr double twoPi = 6.283185307179586;

std::vector<double> silence(double seconds) {
    return std::vector<double>(static_cast<std::size_t>(seconds * sampleRate), 0.0);
}

std::vector<std::int16_t> toPcm(const std::vector<double>& wave, double volume) {
    std::vector<std::int16_t> pcm;
    pcm.reserve(wave.size());
    for (const double v : wave) {
        pcm.push_back(static_cast<std::int16_t>(std::clamp(v * volume, -1.0, 1.0) * 32000.0));
    }
    return pcm;
}

// A small deterministic noise source, so that the files are the same on every build.
class noise {
  public:
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    }

  private:
    std::uint32_t state_ = 12345u;
};

void addTone(std::vector<double>& wave, double start, double length, double frequency,
             double level) {
    const auto first = static_cast<std::size_t>(start * sampleRate);
    const auto count = static_cast<std::size_t>(length * sampleRate);
    for (std::size_t i = 0; i < count && first + i < wave.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double attack = std::min(1.0, t / 0.01);
        const double release = std::min(1.0, (length - t) / 0.04);
        const double tone =
            std::sin(twoPi * frequency * t) + 0.3 * std::sin(twoPi * 2 * frequency * t);
        wave[first + i] += level * attack * std::max(0.0, release) * tone;
    }
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(tag[i]));
    }
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

// A dart hitting sisal: a dull low knock with a short burst of noise.
std::vector<std::int16_t> dartSound() {
    auto wave = silence(0.09);
    noise hiss;
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double knock = std::sin(twoPi * 110.0 * t) * std::exp(-t * 45.0);
        const double burst = hiss.next() * std::exp(-t * 160.0);
        wave[i] = 0.8 * knock + 0.5 * burst;
    }
    return toPcm(wave, 0.9);
}

// A short low buzz.
std::vector<std::int16_t> invalidSound() {
    auto wave = silence(0.14);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double square = std::sin(twoPi * 140.0 * t) >= 0.0 ? 1.0 : -1.0;
        const double envelope = std::min(1.0, t / 0.005) * std::min(1.0, (0.14 - t) / 0.02);
        wave[i] = 0.35 * square * envelope;
    }
    return toPcm(wave, 1.0);
}

// A soft click.
std::vector<std::int16_t> openSound() {
    auto wave = silence(0.04);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        wave[i] = std::sin(twoPi * 1800.0 * t) * std::exp(-t * 150.0);
    }
    return toPcm(wave, 0.6);
}

// A quick rising sweep.
std::vector<std::int16_t> redoSound() {
    constexpr double length = 0.12;
    auto wave = silence(length);
    double phase = 0.0;
    for (std::size_t i = 0; i < wave.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double frequency = 400.0 + (1200.0 - 400.0) * t / length;
        phase += twoPi * frequency / sampleRate;
        const double envelope = std::min(1.0, t / 0.01) * std::min(1.0, (length - t) / 0.02);
        wave[i] = std::sin(phase) * envelope;
    }
    return toPcm(wave, 0.5);
}

// A short fanfare: C, E, G and a held high C.
std::vector<std::int16_t> wonSound() {
    auto wave = silence(0.9);
    addTone(wave, 0.00, 0.15, 523.25, 0.4);
    addTone(wave, 0.15, 0.15, 659.25, 0.4);
    addTone(wave, 0.30, 0.15, 783.99, 0.4);
    addTone(wave, 0.45, 0.45, 1046.50, 0.45);
    return toPcm(wave, 1.0);
}

std::vector<std::uint8_t> wavFile(const std::vector<std::int16_t>& samples) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, sampleRate);
    put32(out, sampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    for (const auto s : samples) {
        put16(out, static_cast<std::uint16_t>(s));
    }
    return out;
}

bool writeSounds(const std::string& dir) {
    const std::pair<const char*, std::vector<std::int16_t>> sounds[] = {
        {"DART", dartSound()}, {"INVALID", invalidSound()}, {"OPEN", openSound()},
        {"REDO", redoSound()}, {"WON", wonSound()},
    };
    bool ok = true;
    for (const auto& [name, samples] : sounds) {
        const auto bytes = wavFile(samples);
        std::ofstream out(dir + "/" + name + ".wav", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        ok = ok && static_cast<bool>(out);
    }
    return ok;
}

}  // namespace qm::resgen
