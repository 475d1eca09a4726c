#pragma once

#include <QString>

namespace qm::resgen {

// The application icon for the desktop's icon theme: a dartboard drawn from the game's own
// geometry, as "hicolor/<N>x<N>/apps/<id>.png" at the usual sizes and as
// "hicolor/scalable/apps/<id>.svg", under dir.
bool writeIcons(const QString& dir, const QString& appId);

}  // namespace qm::resgen
