#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <stdexcept>

#include "ui/application.h"

namespace {

class failingHandler final : public QObject {
  protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            throw std::runtime_error("'12a' is not a valid integer value");
        }
        return QObject::event(e);
    }
};

}  // namespace

// An exception from a handler is shown and the program goes on; one while starting is shown
// and ends the program.
TEST(Application, ExceptionsAreShownAndOnlyOneWhileStartingEndsTheProgram) {
    auto* app = dynamic_cast<qm::quivermarkApplication*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    const auto saved = app->showError;
    std::vector<QString> shown;
    app->showError = [&](const QString& text) { shown.push_back(text); };
    failingHandler target;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&target, &event));
    QEvent again(QEvent::User);
    QCoreApplication::sendEvent(&target, &again);
    EXPECT_EQ(app->runGuarded([]() -> int { throw std::runtime_error("no pictures"); }), 1);
    EXPECT_EQ(app->runGuarded([] { return 0; }), 0);
    app->showError = saved;
    EXPECT_EQ(shown, (std::vector<QString>{"'12a' is not a valid integer value",
                                           "'12a' is not a valid integer value",
                                           "Quivermark could not start: no pictures"}));
}
