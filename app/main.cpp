#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <system_error>

#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"
#include "settings/dataLocation.h"
#include "settings/settingsStoreC.h"
#include "ui/application.h"
#include "ui/mainWindow.h"
#include "ui/promptService.h"
#include "ui/pulseSoundPlayer.h"

namespace {

// The user's data folder as Qt knows it ($XDG_DATA_HOME, or ~/.local/share).
std::filesystem::path userDataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
}

}  // namespace

int main(int argc, char* argv[]) {
    qm::quivermarkApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quivermark"));
    QApplication::setApplicationVersion(QStringLiteral(QUIVERMARK_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIVERMARK_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/ICON.png")));

    const std::filesystem::path program = QCoreApplication::applicationFilePath().toStdString();
    const std::filesystem::path defaultDataDir =
        qm::chooseDataDir(std::nullopt, program.parent_path(), userDataHome());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("An x01 darts game for two players."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the settings file and the statistics files in <dir> (now: %1).")
            .arg(QString::fromStdString(defaultDataDir.string())),
        QStringLiteral("dir"));
    parser.addOption(dataDirOption);
    parser.process(app);  // --help and --version answer and end here; bad options end with 1
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "quivermark: unexpected argument %s (see --help)\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 2;
    }

    std::optional<std::filesystem::path> chosen;
    if (parser.isSet(dataDirOption)) {
        chosen = parser.value(dataDirOption).toStdString();
    }
    const std::filesystem::path dataDir =
        qm::chooseDataDir(chosen, program.parent_path(), userDataHome());
    // Made when first needed; if it cannot be, every write says so in the window.
    std::error_code error;
    std::filesystem::create_directories(dataDir, error);
    if (chosen && !std::filesystem::is_directory(dataDir, error)) {
        std::fprintf(stderr, "quivermark: cannot use %s as the data folder\n",
                     dataDir.string().c_str());
        return 2;
    }

    // The program-wide objects, built before any window: the board and the checkout chart.
    const qm::virtualBoardC vBoard;
    const qm::vPlayerC chart;

    qm::settingsStoreC settings(dataDir / qm::iniPathFor(program).filename());
    qm::pulseSoundPlayer sounds;
    qm::qtPromptService prompts;

    qm::mainWindowContext context;
    context.sounds = &sounds;
    context.prompts = &prompts;
    context.settings = &settings;
    context.chart = &chart;
    context.vBoard = &vBoard;
    context.dataDir = dataDir;

    return app.runGuarded([&context] {
        qm::TForm1 window(context);
        window.show();
        return QApplication::exec();
    });
}
