// The caller: each visit's score, what the next player requires, "Game shot" at a checkout
// and "Game on" at a new leg, spoken through the sound player's voice. The Options item turns
// it on and off; it is off unless asked for, and silent in speed mode.
#include <QAction>
#include <QMenu>

#include "game/callerPhrases.h"
#include "settings/settingsStoreC.h"
#include "ui/mainWindow.h"
#include "ui/soundPlayer.h"

namespace qm {

void TForm1::buildCaller(QMenu* options) {
    caller_ = options->addAction(QStringLiteral("&Caller"));
    caller_->setObjectName(QStringLiteral("Caller1"));
    caller_->setCheckable(true);
    caller_->setChecked(context_.settings->readCaller());
    connect(caller_, &QAction::triggered, this, &TForm1::Caller1Click);
}

void TForm1::offerCaller() {
    // Asked once the window is up: finding the voice loads the speech library.
    const std::string problem = context_.sounds->callerProblem();
    caller_->setEnabled(problem.empty());
    if (!problem.empty()) {
        caller_->setToolTip(QString::fromStdString("The caller is not available: " + problem));
        reportError(caller_->toolTip());
    }
}

void TForm1::Caller1Click(bool on) {
    if (!context_.settings->saveCaller(on)) {
        reportError(QString::fromStdString(context_.settings->writeFailureMessage()));
    }
}

void TForm1::call(const std::vector<std::string>& phrases) {
    if (caller_->isChecked() && caller_->isEnabled() && !activeSettings_.speedMode) {
        context_.sounds->say(phrases);
    }
}

void TForm1::callVisit(int player) {
    const int next = game_->currentPlayer();
    call(visitCalls(*context_.chart, game_->board(player).lastThrow().points,
                    playerName(next).toStdString(), game_->board(next).remaining()));
}

void TForm1::callGameShot(const visitOutcomeS& outcome) {
    const GameBoardC& match = game_->gboard();
    const int legsOfSet = match.legs(0) + match.legs(1);
    // A won set starts the legs of the next one from nothing.
    const bool setWon = activeSettings_.bestOfSets > 1 && legsOfSet == 0;
    call({gameShotCall(legsOfSet, setWon, outcome.result == VisitResult::MatchWon)});
}

void TForm1::callGameOn() {
    call({gameOnCall});
}

}  // namespace qm
