// GoogleTest main for tests that need the program's application object (widgets, pixmaps,
// fonts, and its handling of exceptions that escape event handlers).
#include <gtest/gtest.h>

#include "ui/application.h"

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qm::quivermarkApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
