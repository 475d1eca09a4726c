#pragma once

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace qm {

// Each line of a shipped table of one JSON object a line (a Qt resource), in order. A table
// that cannot be opened has no lines.
template <typename RowFn>
void forEachJsonLine(const QString& resource, RowFn row) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    while (!file.atEnd()) {
        row(QJsonDocument::fromJson(file.readLine()).object());
    }
}

}  // namespace qm
