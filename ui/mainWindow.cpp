#include "ui/mainWindow.h"

namespace qm {

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Quivermark"));
    setFixedSize(772, 614);
}

}  // namespace qm
