#include <QDir>

#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"
#include "settings/settingsStoreC.h"
#include "ui/application.h"
#include "ui/mainWindow.h"
#include "ui/promptService.h"
#include "ui/pulseSoundPlayer.h"

int main(int argc, char* argv[]) {
    qm::quivermarkApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quivermark"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/ICON.png")));

    // The program-wide objects, built before any window: the board and the checkout chart.
    const qm::virtualBoardC vBoard;
    const qm::vPlayerC chart;

    const std::filesystem::path program = QCoreApplication::applicationFilePath().toStdString();
    qm::settingsStoreC settings(qm::iniPathFor(program));
    qm::pulseSoundPlayer sounds;
    qm::qtPromptService prompts;

    qm::mainWindowContext context;
    context.sounds = &sounds;
    context.prompts = &prompts;
    context.settings = &settings;
    context.chart = &chart;
    context.vBoard = &vBoard;
    context.dataDir = program.parent_path();

    return app.runGuarded([&context] {
        qm::TForm1 window(context);
        window.show();
        return QApplication::exec();
    });
}
