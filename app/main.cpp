#include <QApplication>

#include "ui/mainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quivermark"));
    qm::TForm1 window;
    window.move(0, 0);
    window.show();
    return QApplication::exec();
}
