#pragma once

#include <QApplication>

namespace qm {

// Shows an exception that escapes an event handler in a message box and carries on, so that
// one failed handler does not take the game and its statistics down with it.
class quivermarkApplication final : public QApplication {
  public:
    quivermarkApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace qm
