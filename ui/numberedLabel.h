#pragma once

#include <QLabel>
#include <QRect>
#include <QString>

namespace qm {

// The main window's labels are named by number ("Label12"), as its tests and its accessibility
// tree know them.
inline QLabel* makeLabel(QWidget* parent, int number, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->setGeometry(place);
    return label;
}

}  // namespace qm
