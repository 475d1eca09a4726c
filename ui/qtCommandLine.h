#pragma once

#include <QString>
#include <QStringList>

namespace qm {

// The game reads its own options before Qt starts (so that --help answers without a display);
// Qt's own options (-style, -platform, -reverse, ...) go on to QApplication untouched.
struct commandLineSplitS {
    QStringList ours;  // the program's name first, as QCommandLineParser expects
    QStringList qts;
};

commandLineSplitS splitQtOptions(const QStringList& arguments);

// The lines --help-all adds for Qt's options.
QString qtOptionsHelp();

}  // namespace qm
