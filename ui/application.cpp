#include "ui/application.h"

#include <QMessageBox>
#include <exception>

namespace qm {

quivermarkApplication::quivermarkApplication(int& argc, char** argv)
    : QApplication(argc, argv), showError([](const QString& text) {
          QMessageBox::critical(nullptr, QStringLiteral("Quivermark"), text);
      }) {}

int quivermarkApplication::runGuarded(const std::function<int()>& start) {
    try {
        return start();
    } catch (const std::exception& error) {
        showError(QStringLiteral("Quivermark could not start: %1")
                      .arg(QString::fromLocal8Bit(error.what())));
    } catch (...) {
        showError(QStringLiteral("Quivermark could not start."));
    }
    return 1;
}

bool quivermarkApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showError(QString());
    }
    return false;
}

}  // namespace qm
