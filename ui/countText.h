#pragma once

#include <QString>

namespace qm {

// "1 leg", "2 legs": a count with its noun in the number it takes.
inline QString countText(long long count, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

inline QString legsText(long long count) {
    return countText(count, QStringLiteral("leg"), QStringLiteral("legs"));
}

}  // namespace qm
