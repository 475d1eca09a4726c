// The main window's game flow: settings, the game's life, the human's visits, the end of a leg
// or match, undo and redo, and the display routines.
#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

#include "computer/gameRandom.h"
#include "stats/decimals.h"
#include "stats/legFile.h"
#include "stats/legRecorderC.h"
#include "ui/dartsUsedDialog.h"
#include "ui/gameSettings.h"
#include "ui/mainWindow.h"
#include "ui/promptService.h"
#include "ui/scoreListFormat.h"
#include "ui/soundPlayer.h"

namespace qm {

namespace {

// The figure as the leg records' readers and the export show it: one rounding everywhere.
QString twoDecimalsText(double value) {
    return QString::fromStdString(twoDecimals(value));
}

}  // namespace

QString TForm1::playerName(int player) const {
    return QString::fromStdString(activeSettings_.names[player]);
}

void TForm1::setActiveSettings(const gameSettingsS& settings) {
    activeSettings_ = settings;
    setComputerIntervals(settings.speedMode);
}

void TForm1::setComputerIntervals(bool speedMode) {
    aiTimer->setInterval(speedMode ? 250 : 500);
    dart1Timer->setInterval(speedMode ? 10 : 1500);
    dart2Timer->setInterval(speedMode ? 50 : 1500);
    dart3Timer->setInterval(speedMode ? 90 : 1500);
}

void TForm1::transferSettings(const gameSettingsS& settings, bool start) {
    if (game_) {
        // The settings dialog is not modal; a running game keeps the settings it began with.
        refuse(QStringLiteral("Game already in progress, terminate current game first"));
        return;
    }
    showMessageText(QStringLiteral("settings transfered"));
    setActiveSettings(settings);
    if (start) {
        createGame();
    } else {
        showMessageText(QStringLiteral("Menu Game/Start to start the game"));
    }
}

bool TForm1::createGame() {
    if (game_) {
        refuse(QStringLiteral("Unable to create game, game in progress"));
        return false;
    }
    matchContextS context;
    context.writeLegRecord = recorder_->recordWriter();
    context.reportError = [this](const std::string& error, saveError) {
        reportError(QString::fromStdString(error));
    };
    context.today = context_.today;
    context.chart = context_.chart;
    context.vBoard = context_.vBoard;
    context.writeLegDarts = recorder_->dartsWriter();
    if (context_.fixedSeed) {
        gameRandom::seed(*context_.fixedSeed);
        context.seeding = throwC::seeding::keep;
    }
    fitPlayers();
    for (int p = 0; p < 2; ++p) {
        if (activeSettings_.isComputer[p]) {
            context.twins[static_cast<std::size_t>(p)] = fits_[static_cast<std::size_t>(p)];
        }
    }
    game_ = std::make_unique<MatchC>(activeSettings_, context);
    ++gameSerial_;
    terminatePending_ = false;
    aimMark_.reset();
    dartMarks_.clear();
    MaskEdit1->clear();
    visitDarts_->clear();
    showPlayerNames();
    if (game_->isComputer(0)) {
        aiTimer->start();
    }
    refreshScoreList(0);
    refreshScoreList(1);
    MaskEdit1->setFocus();
    clearAimLines();
    refreshScores();
    board_->update();
    showMessageText(QStringLiteral("New game created: %1 to throw first").arg(playerName(0)));
    return true;
}

bool TForm1::endGame() {
    if (!game_) {
        return false;
    }
    for (QTimer* timer : {aiTimer, dart1Timer, dart2Timer, dart3Timer}) {
        timer->stop();
    }
    game_.reset();
    terminatePending_ = false;
    aimMark_.reset();
    showCheckoutHint();
    return true;
}

bool TForm1::stillPlaying(std::uint64_t serial) const {
    return game_ && gameSerial_ == serial;
}

void TForm1::Start1Click() {
    if (practising()) {
        refuse(QStringLiteral("A drill is on: Game/Terminate ends it first"));
        return;
    }
    if (!game_ && activeSettings_.startScore == 0) {
        // No settings were ever handed over: start from the stored ones, never from zeros.
        context_.settings->loadSettings();
        setActiveSettings(context_.settings->storedSettings);
    }
    createGame();
}

void TForm1::Stop1Click() {
    if (practising()) {
        if (context_.prompts->confirm(this, QStringLiteral("Are you sure you want to break off "
                                                           "the drill"))) {
            endPractice(true);
        }
        return;
    }
    if (!game_) {
        refuse(QStringLiteral("No game in progress, unable to terminate game"));
        return;
    }
    const std::uint64_t serial = gameSerial_;
    const bool yes = context_.prompts->confirm(
        this, QStringLiteral("Are you sure you want to break off the current game"));
    if (!yes || !stillPlaying(serial)) {
        return;
    }
    if (game_->isComputer(0) || game_->isComputer(1)) {
        terminatePending_ = true;
        showMessageText(QStringLiteral("Game will be terminated in less than 3 seconds"));
        if (!termTimer->isActive()) {
            termTimer->start();
        }
        return;
    }
    terminateNow();
}

void TForm1::terminateNow() {
    if (endGame()) {
        showMessageText(QStringLiteral("Game terminated"));
    } else {
        refuse(QStringLiteral("Unable to terminate game"));
    }
}

void TForm1::termTimerTimer() {
    if (terminatePending_) {
        terminateNow();
    }
}

void TForm1::wonTimerTimer() {
    wonTimer->stop();
    playSound("WON");
}

void TForm1::Settings1Click() {
    if (game_) {
        refuse(QStringLiteral("Game already in progress, terminate current game first"));
        return;
    }
    playSound("OPEN");
    settingsDialog_->show();
    settingsDialog_->raise();
    setActiveSettings(context_.settings->storedSettings);
    showPlayerNames();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == MaskEdit1 || watched == dartsEdit_) &&
        event->type() == QEvent::ShortcutOverride) {
        // The field has uses of its own for some of the game's keys (Undo and Redo for its
        // text, Ctrl+E "end of line" on many desktops): the game's commands come first.
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        const QList<QAction*> commands = findChildren<QAction*>();
        const bool isCommand = std::any_of(commands.begin(), commands.end(), [&](QAction* a) {
            return a->isEnabled() && a->shortcuts().contains(pressed);
        });
        if (isCommand) {
            event->ignore();
            return true;
        }
    }
    if (watched == dartsEdit_ && event->type() == QEvent::KeyPress) {
        return DartsEditKeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    if (watched == MaskEdit1 && event->type() == QEvent::KeyPress) {
        return MaskEdit1KeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::MaskEdit1KeyDown(int key) {
    if (practising() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        refuse(QStringLiteral("In a drill, enter each dart: click the board or type T20 D16"));
        return true;
    }
    if (!game_) {
        refuse(QStringLiteral("Game not started yet, go to menu Game/Start"));
        return false;
    }
    if (!game_->enteredDarts().empty() && (key == Qt::Key_Backspace || key == Qt::Key_Escape)) {
        key == Qt::Key_Backspace ? takeBackDart() : clearEnteredDarts();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    if (!game_->enteredDarts().empty()) {
        completeEnteredDarts();  // the darts not entered are misses
        return true;
    }
    const QString typed = MaskEdit1->text();
    if (!game_->isComputer(game_->currentPlayer())) {
        bool readable = true;
        const int total = typed.isEmpty() ? 0 : typed.toInt(&readable);
        if (!readable) {
            context_.prompts->information(
                this, QStringLiteral("'%1' is not a valid integer value").arg(typed));
            return true;
        }
        const visitOutcomeS outcome = game_->enterHumanVisit(total);
        if (outcome.result == VisitResult::Refused) {
            refuse(QStringLiteral("Warning: %1 invalid input").arg(typed));
        } else if (outcome.result != VisitResult::Ignored) {
            humanCompletion(outcome, typed);
            if (!game_ || game_->matchOver()) {
                return true;  // the match is over: the field keeps its text
            }
        }
        clearAimLines();
    }
    MaskEdit1->clear();
    if (game_) {
        refreshScores();
    }
    return true;
}

void TForm1::humanCompletion(const visitOutcomeS& outcome, const QString&) {
    const int p = outcome.player;
    refreshScoreList(p);
    if (outcome.result == VisitResult::Scored) {
        callVisit(p);
        announceTurn();
        return;
    }
    visitOutcomeS finished = outcome;
    if (outcome.result == VisitResult::CheckoutPending) {
        // A typed checkout: how many of the three darts were needed? (Darts entered one at a
        // time have told already.)
        const std::uint64_t serial = gameSerial_;
        playSound("OPEN");
        dartsUsedDialog_->allowFrom(game_->fewestDartsForCheckout());
        const int darts = context_.prompts->askDartsUsed(*dartsUsedDialog_);
        if (!stillPlaying(serial)) {
            return;
        }
        finished = game_->setDartsUsed(darts);
    }
    if (!finished.leg) {
        return;
    }
    callGameShot(finished);
    showMessageText(QStringLiteral("Darts used to check: %1 Total darts: %2")
                        .arg(game_->dartsUsed())
                        .arg(finished.leg->darts[p]));
    refreshScores();
    finishLegOrMatch(finished, true);
}

bool TForm1::finishLegOrMatch(const visitOutcomeS& outcome, bool human) {
    const legResultS& leg = *outcome.leg;
    const QString name = playerName(leg.winner);
    const std::uint64_t serial = gameSerial_;
    const QString darts = QString::number(leg.darts[leg.winner]);
    const QString ppd = twoDecimalsText(leg.winnerPpd);

    if (outcome.result == VisitResult::MatchWon) {
        const QString won = QStringLiteral("Game won by %1").arg(name);
        if (human) {
            wonTimer->start();
        } else {
            refreshScores();
        }
        showMessageText(won);
        context_.prompts->information(
            this, won + QStringLiteral(", Last leg won in %1 darts (ppd: %2)").arg(darts, ppd));
        if (!stillPlaying(serial)) {
            return false;
        }
        refreshScores();
        endGame();
        return true;
    }

    if (!human) {
        refreshScores();
        playSound("OPEN");
    }
    if (human || !activeSettings_.speedMode) {
        context_.prompts->information(
            this, QStringLiteral("Leg won by %1, in %2 darts (ppd: %3)").arg(name, darts, ppd));
        if (!stillPlaying(serial)) {
            return false;
        }
        if (!human) {
            playSound("OPEN");
        }
    }
    game_->startNextLeg();
    callGameOn();
    refreshScoreList(0);
    refreshScoreList(1);
    if (human) {
        announceTurn();
    }
    return true;
}

void TForm1::announceTurn() {
    const int p = game_->currentPlayer();
    if (game_->isComputer(p)) {
        aiTimer->start();
        showMessageText(playerName(p) + QStringLiteral(" to throw"));
    } else {
        showMessageText(playerName(p) + QStringLiteral(" enter your score"));
    }
}

void TForm1::Undo1Click() {
    if (practising()) {
        practiceUndo();
        return;
    }
    if (!game_) {
        refuse(QStringLiteral("No game in progress, unable to undo"));
        return;
    }
    const undoResultS result = game_->undo();
    if (result.outcome == undoResultS::status::DartTakenBack) {
        takeBackDartShown();
        return;
    }
    if (undoRefused(result)) {
        return;
    }
    if (!result.steps.empty()) {
        forgetLastVisit();  // the visit it named may be one just taken back
    }
    for (const auto& step : result.steps) {
        showMessageText(QStringLiteral("undo: %1,%2").arg(step.visit.points).arg(step.visit.darts));
        refreshScoreList(step.player);
        refreshScores();
    }
    if (result.outcome == undoResultS::status::NothingToUndo) {
        refuse(QStringLiteral("Nothing to undo"));
    }
    if (result.computerTurnStarts) {
        // The computer began the leg: its turn starts again and replays the visit.
        aiTimer->start();
    }
}

bool TForm1::undoRefused(const undoResultS& result) {
    if (result.outcome == undoResultS::status::ComputerGame) {
        refuse(QStringLiteral("Unable to undo computer player game"));
        return true;
    }
    if (result.outcome == undoResultS::status::ComputerToThrow) {
        refuse(QStringLiteral("Unable to undo current ai player"));
        return true;
    }
    return false;
}

void TForm1::Redo1Click() {
    if (practising()) {
        practiceRedo();
        return;
    }
    if (!game_) {
        refuse(QStringLiteral("No game in progress, unable to redo"));
        return;
    }
    const redoResultS result = game_->redo();
    if (result.outcome == redoResultS::status::ComputerToThrow) {
        refuse(QStringLiteral("Unable to redo current ai player"));
        return;
    }
    if (result.outcome == redoResultS::status::NothingToRedo) {
        refuse(QStringLiteral("Nothing to redo, enter your score"));
        return;
    }
    playSound("REDO");
    forgetLastVisit();
    refreshScoreList(result.player);
    showMessageText(QStringLiteral("Redo from stack: %1").arg(result.visit.points));
    showInfoText(playerName(result.player));
    if (result.computerTurnStarts) {
        aiTimer->start();
    }
    refreshScores();
}

void TForm1::refreshScoreList(int player) {
    panel("x01").showVisits(player, game_.get());
}

void TForm1::refreshScores() {
    if (!game_) {
        return;
    }
    panel("x01").show(game_.get());
    showDartFigures();
    showEnteredDarts();
    showCheckoutHint();
    showOdds();
}

void TForm1::showPlayerNames() {
    panel("x01").showNames();
}

void TForm1::clearAimLines() {
    for (int k = 0; k < 3; ++k) {
        aimLabel_[k]->clear();
        hitLabel_[k]->clear();
    }
}

void TForm1::refuse(const QString& message) {
    playSound("INVALID");
    showMessageText(message);
}

void TForm1::showInfoText(const QString& text) {
    statusPanel_[0]->setText(text);
}

void TForm1::showMessageText(const QString& text) {
    statusPanel_[1]->setText(text);
}

void TForm1::reportError(const QString& text) {
    playSound("INVALID");
    statusPanel_[2]->setText(text);
    // The panel is narrower than most reasons: the whole message is in its tooltip.
    statusPanel_[2]->setToolTip(text);
    statusPanel_[2]->setAccessibleDescription(text);
}

}  // namespace qm
