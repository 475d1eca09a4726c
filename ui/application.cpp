#include "ui/application.h"

#include <QMessageBox>
#include <exception>

namespace qm {

bool quivermarkApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Quivermark"),
                              QString::fromLocal8Bit(error.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Quivermark"), QString());
    }
    return false;
}

}  // namespace qm
