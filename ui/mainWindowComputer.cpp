// The computer's turn on the main window: one step of its visit per timer tick, drawn on the
// board as it goes.
#include <QLabel>
#include <QTimer>

#include "ui/mainWindow.h"
#include "ui/soundPlayer.h"

namespace qm {

void TForm1::aiTimerTimer() {
    if (terminatePending_) {
        terminateNow();
        return;
    }
    aiTimer->stop();
    if (!game_ || game_->turn().what != turnS::waitingFor::computerTurn) {
        return;
    }
    const int thrower = game_->currentPlayer();
    const turnStartS start = game_->beginComputerTurn();
    if (start.replayed) {
        // A visit taken back by Undo comes back instead of new darts.
        playSound("REDO");
        refreshScoreList(thrower);
        refreshScores();
        aimLabel_[0]->setText(QStringLiteral("From stack: %1").arg(start.visit.points));
        showInfoText(playerName(game_->currentPlayer()));
        return;
    }
    aimDart(1);
}

void TForm1::aimDart(int k) {
    if (k == 1) {
        clearAimLines();
        dartMarks_.clear();  // a fresh board for a new visit
    }
    const aimedDartS aim = game_->aimDart(k);
    aimLabel_[k - 1]->setText(
        QStringLiteral("Aiming at %1 x %2").arg(aim.target.type).arg(aim.target.number));
    aimMark_ = aim.point;
    board_->repaint();
    QTimer* const timers[] = {dart1Timer, dart2Timer, dart3Timer};
    timers[k - 1]->start();
}

bool TForm1::throwDart(int k) {
    const thrownDartS dart = game_->throwDart(k);
    aimMark_.reset();
    dartMarks_.push_back(dart.point);  // the visit's darts so far, cleared when it begins
    board_->repaint();
    playSound("DART");
    hitLabel_[k - 1]->setText(
        QStringLiteral("Got %1 x %2").arg(dart.hit.type).arg(dart.hit.number));
    hitLabel_[k - 1]->repaint();
    return dart.goesOn;
}

void TForm1::dart1TimerTimer() {
    dartTick(1);
}

void TForm1::dart2TimerTimer() {
    dartTick(2);
}

void TForm1::dartTick(int k) {
    QTimer* const timers[] = {dart1Timer, dart2Timer};
    timers[k - 1]->stop();
    if (!game_ || game_->turn().what != turnS::waitingFor::computerDart) {
        return;  // the game ended between darts
    }
    if (throwDart(k)) {
        aimDart(k + 1);
    } else {
        completeVisit();
    }
}

void TForm1::dart3TimerTimer() {
    dart3Timer->stop();
    if (!game_ || game_->turn().what != turnS::waitingFor::computerDart) {
        return;
    }
    throwDart(3);
    completeVisit();
}

void TForm1::completeVisit() {
    const int dartsThrown = game_->computerVisit()->visitDarts();
    const visitOutcomeS outcome = game_->completeComputerVisit();
    refreshScoreList(outcome.player);
    if (outcome.leg) {
        callGameShot(outcome);
        const bool matchWon = outcome.result == VisitResult::MatchWon;
        const bool completed = finishLegOrMatch(outcome, false);
        if (matchWon) {
            // Only a match won with the visit's third dart has the fanfare.
            if (completed && dartsThrown == 3) {
                playSound("WON");
            }
            return;
        }
        if (!completed) {
            return;
        }
    }
    callVisit(outcome.player);
    announceTurn();
    showInfoText(QStringLiteral("Info"));
    refreshScores();
}

}  // namespace qm
