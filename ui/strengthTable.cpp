#include "ui/strengthTable.h"

#include <array>

#include "settings/gameSettingsS.h"
#include "ui/jsonLines.h"

namespace qm {

namespace {

strengthAverages readTable() {
    strengthAverages table;
    forEachJsonLine(QStringLiteral(":/data/strength-averages.jsonl"), [&](const QJsonObject& row) {
        const int strength = row.value(QStringLiteral("strength")).toInt(-1);
        const QJsonValue average = row.value(QStringLiteral("three_dart_average"));
        if (strength >= minStrength && strength <= maxStrength && average.isDouble()) {
            table[static_cast<std::size_t>(strength)] = average.toDouble();
        }
    });
    return table;
}

}  // namespace

const strengthAverages& strengthAverageTable() {
    static const strengthAverages table = readTable();
    return table;
}

std::optional<double> expectedAverage(int strength) {
    if (strength < minStrength || strength > maxStrength) {
        return std::nullopt;
    }
    return strengthAverageTable()[static_cast<std::size_t>(strength)];
}

}  // namespace qm
