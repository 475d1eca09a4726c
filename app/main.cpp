#include <QCommandLineParser>
#include <QDir>
#include <csignal>
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
#include "ui/qtCommandLine.h"

int main(int argc, char* argv[]) {
    // Past a file-size limit a write fails with EFBIG, reported as a full disk is, instead of
    // the signal ending the program with nothing said.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication::setApplicationName(QStringLiteral("Quivermark"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIVERMARK_VERSION));

    // The command line is read before the application object exists: --help and --version
    // must answer without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Qt's own options go to Qt; the parser below knows only the game's.
    const qm::commandLineSplitS split = qm::splitQtOptions(arguments);
    const std::filesystem::path programDir = qm::programDirectory(argv[0]);
    // The simulator decides the folder by the same rule, so both keep one history.
    const qm::dataDirChoiceS defaultDataDir = qm::decideDataDir(std::nullopt, programDir);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("An x01 darts game for two players."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption dataDirOption(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the settings file and the statistics files in <dir> (now: %1).")
            .arg(QString::fromStdString(defaultDataDir.problem.empty() ? defaultDataDir.dir.string()
                                                                       : defaultDataDir.problem)),
        QStringLiteral("dir"));
    parser.addOption(dataDirOption);
    if (!parser.parse(split.ours)) {
        std::fprintf(stderr, "quivermark: %s (see --help)\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        // Without an application object Qt cannot name the program itself.
        QString help = parser.helpText();
        help.replace(QStringLiteral("<executable_name>"), QStringLiteral("quivermark"));
        if (parser.isSet(QStringLiteral("help-all"))) {
            help += qm::qtOptionsHelp();
        }
        std::fputs(qPrintable(help), stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        parser.showVersion();
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "quivermark: unexpected argument %s (see --help)\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 2;
    }

    std::optional<std::string> chosen;
    if (parser.isSet(dataDirOption)) {
        chosen = parser.value(dataDirOption).toStdString();
    }
    const qm::dataDirChoiceS decided = qm::decideDataDir(chosen, programDir);
    if (!decided.problem.empty()) {
        std::fprintf(stderr, "quivermark: %s\n", decided.problem.c_str());
        return 2;
    }
    const std::filesystem::path dataDir = decided.dir;
    // Made when first needed; if it cannot be, every write says so in the window.
    std::error_code error;
    std::filesystem::create_directories(dataDir, error);
    if (chosen && !std::filesystem::is_directory(dataDir, error)) {
        std::fprintf(stderr, "quivermark: cannot use %s as the data folder\n",
                     dataDir.string().c_str());
        return 2;
    }

    qm::quivermarkApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIVERMARK_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/ICON.png")));
    const std::filesystem::path program = QCoreApplication::applicationFilePath().toStdString();

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
