#pragma once

#include <QApplication>
#include <functional>

namespace qm {

// Shows an exception that escapes an event handler and carries on, so that one failed handler
// does not take the game and its statistics down with it.
class quivermarkApplication final : public QApplication {
  public:
    quivermarkApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs the program's start (building the windows, then the event loop) and returns its
    // exit status. An exception that escapes it is shown before the program ends with 1,
    // instead of ending it without a word.
    int runGuarded(const std::function<int()>& start);

    // How the error is shown: a message box in the program, a recorder in tests.
    std::function<void(const QString&)> showError;
};

}  // namespace qm
