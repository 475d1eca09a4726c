// Draws every picture and synthesises every sound the program uses, from our own geometry and
// our own waveforms, into the folder named on the command line.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "tools/resgen/icons.h"
#include "tools/resgen/pictures.h"
#include "tools/resgen/sounds.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "--icons") == 0)) {
        std::fprintf(stderr, "usage: quivermark-resgen OUTPUT_DIR [--icons APP_ID]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (argc == 4) {
        // The desktop icons only, into OUTPUT_DIR/hicolor/...
        if (!qm::resgen::writeIcons(out.path(), QString::fromLocal8Bit(argv[3]))) {
            std::fprintf(stderr, "quivermark-resgen: could not write the icons\n");
            return 1;
        }
        return 0;
    }
    if (!out.mkpath(QStringLiteral("pictures")) || !out.mkpath(QStringLiteral("sounds"))) {
        std::fprintf(stderr, "quivermark-resgen: cannot create %s\n", argv[1]);
        return 1;
    }
    const bool picturesOk = qm::resgen::writePictures(out.filePath(QStringLiteral("pictures")));
    const bool soundsOk =
        qm::resgen::writeSounds(out.filePath(QStringLiteral("sounds")).toStdString());
    if (!picturesOk || !soundsOk) {
        std::fprintf(stderr, "quivermark-resgen: could not write every file\n");
        return 1;
    }
    return 0;
}
