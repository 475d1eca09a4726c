// The main window: what it is made of, and its end. The parts are built in
// mainWindowSetup.cpp; the game, the computer's turn, the hints and the caller each have a
// file of their own.
#include "ui/mainWindow.h"

#include "stats/legRecorderC.h"
#include "ui/aboutWindow.h"
#include "ui/dartsUsedDialog.h"
#include "ui/gameSettings.h"
#include "ui/statsWindow.h"

namespace qm {

TForm1::TForm1(mainWindowContext context, QWidget* parent)
    : QMainWindow(parent), context_(std::move(context)) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Quivermark"));
    legRecorderC::optionsS keep;
    keep.darts = legRecorderC::dartsKept::queued;
    // Off the window's thread, a write can wait a good while for another program to let go.
    keep.busyMilliseconds = 2000;
    recorder_ = std::make_unique<legRecorderC>(
        context_.dataDir, keep, [this](legRecorderC::reportKind kind, const std::string& text) {
            QMetaObject::invokeMethod(
                this, [this, kind, text] { historyReport(static_cast<int>(kind), text); },
                Qt::QueuedConnection);
        });
    buildControls();
    buildMenu();
    buildTimers();
    loadPictures();
    // The other four windows, in the order the program has always made them.
    settingsDialog_ = new TForm2(
        *context_.settings, *context_.sounds, [this] { return game_ != nullptr; }, this);
    connect(settingsDialog_, &TForm2::settingsTransferred, this, &TForm1::transferSettings);
    connect(settingsDialog_, &TForm2::settingsNotSaved, this, &TForm1::reportError);
    dartsUsedDialog_ = new TForm3(*context_.sounds, this);
    statisticsWindow_ =
        new TForm4(*context_.settings, *context_.sounds, *context_.prompts, context_.dataDir, this);
    aboutBox_ = new TForm5(*context_.sounds, this);
    offerCaller();
    if (const std::string problem = context_.settings->readProblemMessage(); !problem.empty()) {
        reportError(QString::fromStdString(problem));  // the defaults are shown instead
    }
    setFixedSize(sizeHint());
    move(0, 0);
}

TForm1::~TForm1() {
    endGame();
}

}  // namespace qm
