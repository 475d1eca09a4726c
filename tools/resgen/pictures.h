#pragma once

#include <QImage>
#include <QString>

namespace qm::resgen {

// The board picture: 357 x 357 with the bull's centre at pixel (174, 176), drawn from the
// game's own board geometry at 125 pixels for 169 board units.
QImage drawBoard();

// Writes every picture as a PNG named after its resource into dir.
bool writePictures(const QString& dir);

}  // namespace qm::resgen
