#include "ui/strengthTable.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <array>

#include "settings/gameSettingsS.h"

namespace qm {

namespace {

using averageTable = std::array<std::optional<double>, maxStrength + 1>;

averageTable readTable() {
    averageTable table;
    QFile file(QStringLiteral(":/data/strength-averages.jsonl"));
    if (!file.open(QIODevice::ReadOnly)) {
        return table;
    }
    while (!file.atEnd()) {
        const QJsonObject row = QJsonDocument::fromJson(file.readLine()).object();
        const int strength = row.value(QStringLiteral("strength")).toInt(-1);
        const QJsonValue average = row.value(QStringLiteral("three_dart_average"));
        if (strength >= minStrength && strength <= maxStrength && average.isDouble()) {
            table[static_cast<std::size_t>(strength)] = average.toDouble();
        }
    }
    return table;
}

}  // namespace

std::optional<double> expectedAverage(int strength) {
    static const averageTable table = readTable();
    if (strength < minStrength || strength > maxStrength) {
        return std::nullopt;
    }
    return table[static_cast<std::size_t>(strength)];
}

}  // namespace qm
