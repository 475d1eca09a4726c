#pragma once

namespace qm::sim {

// What one strength scores against itself: `legs` legs at the start score, the starter
// alternating, generator as it stands (the caller seeds it), nothing saved.
struct calibrationRowS {
    int strength = 0;
    long long legs = 0;
    long long points = 0;       // both players' leg points: start score minus what was left
    long long darts = 0;        // both players' darts
    long long winnerDarts = 0;  // the darts of each leg's winner, summed
    // The standard error of the three-dart average, from the spread of the legs' own figures.
    double standardError = 0.0;
    [[nodiscard]] double threeDartAverage() const {
        return darts > 0 ? 3.0 * static_cast<double>(points) / static_cast<double>(darts) : 0.0;
    }
    [[nodiscard]] double dartsPerLegWon() const {
        return legs > 0 ? static_cast<double>(winnerDarts) / static_cast<double>(legs) : 0.0;
    }
};
calibrationRowS calibrateStrength(int strength, int start, long long legs);

}  // namespace qm::sim
