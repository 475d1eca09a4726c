// The match odds beside the score display: each player's chance to win the match from the
// state on the board (a visit part-way included), worked out exactly off the GUI thread from
// the game's own model of each player, and the Options item that turns them on and off.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <cmath>
#include <limits>
#include <vector>

#include "game/playerModel.h"
#include "settings/settingsStoreC.h"
#include "stats/statsReader.h"
#include "ui/countText.h"
#include "ui/mainWindow.h"
#include "ui/oddsWorker.h"
#include "ui/strengthTable.h"

namespace qm {

namespace {

// A seed from the state, so that the same state always shows the same figure.
std::uint32_t seedOf(const oddsQuestionS& q) {
    std::uint32_t h = 2166136261u;
    for (const std::int32_t v :
         {q.state.remaining[0], q.state.remaining[1], q.state.legs[0], q.state.legs[1],
          q.state.sets[0], q.state.sets[1], q.state.toThrow, q.state.legStarter, q.strengths[0],
          q.strengths[1], q.startScore, q.bestOfLegs, q.bestOfSets,
          q.partWay ? q.partWay->start : 0, q.partWay ? q.partWay->thrown + 1 : 0,
          q.fitted[0] ? q.fitted[0]->of(aimKind::all).darts : -1,
          q.fitted[1] ? q.fitted[1]->of(aimKind::all).darts : -1}) {
        h = (h ^ static_cast<std::uint32_t>(v)) * 16777619u;
    }
    return h;
}

}  // namespace

void TForm1::buildOdds(QWidget* area, QMenu* options) {
    matchOdds_ = new QLabel(area);
    matchOdds_->setObjectName(QStringLiteral("MatchOdds"));
    matchOdds_->setGeometry(12, 476, 284, 20);
    matchOdds_->setAccessibleName(QStringLiteral("Match odds"));
    oddsWorker_ =
        new oddsWorker([this](std::uint64_t, const oddsS& odds) { showOddsFigure(odds); }, this);

    matchOddsOn_ = options->addAction(QStringLiteral("Match &odds"));
    matchOddsOn_->setObjectName(QStringLiteral("MatchOdds1"));
    matchOddsOn_->setCheckable(true);
    matchOddsOn_->setChecked(context_.settings->readMatchOdds());
    connect(matchOddsOn_, &QAction::triggered, this, &TForm1::MatchOdds1Click);
}

void TForm1::MatchOdds1Click(bool on) {
    if (!context_.settings->saveMatchOdds(on)) {
        reportError(QString::fromStdString(context_.settings->writeFailureMessage()));
    }
    oddsAsked_.reset();
    showOdds();
}

std::optional<recentAverageS> TForm1::historyAverage(int p) {
    if (historyFor_ != gameSerial_) {
        historyFor_ = gameSerial_;
        for (int i = 0; i < 2; ++i) {
            std::vector<legRecordS> records;
            history_[i] = loadLegRecords(context_.dataDir, activeSettings_.names[i], 0,
                                         std::numeric_limits<std::int64_t>::max(), records)
                              ? recentAverage(records)
                              : std::nullopt;
        }
    }
    return history_[p];
}

TForm1::oddsModelS TForm1::oddsModel(int p) {
    using basis = playerModelS::basis;
    const bool computer = game_->isComputer(p);
    if (const auto& fit = fits_[static_cast<std::size_t>(p)]) {
        return {game_->settings().strengths[p],
                QStringLiteral("%1: modelled by %2 own scatter, fitted from %3 practice darts")
                    .arg(playerName(p),
                         computer ? QStringLiteral("a human's") : QStringLiteral("their"))
                    .arg(fit->of(aimKind::all).darts),
                fit};
    }
    const playerModelS model =
        modelPlayer(computer, game_->settings().strengths[p], game_->gstats(p),
                    computer ? std::nullopt : historyAverage(p), strengthAverageTable());
    switch (model.from) {
        case basis::computer:
            return {model.strength, QStringLiteral("%1: computer player of strength %2%3")
                                        .arg(playerName(p))
                                        .arg(*model.strength)
                                        .arg(twinNotes_[static_cast<std::size_t>(p)])};
        case basis::thisGame:
            return {model.strength,
                    QStringLiteral("%1: modelled as strength %2 from %3 darts this game")
                        .arg(playerName(p))
                        .arg(*model.strength)
                        .arg(model.darts)};
        case basis::history:
            return {model.strength,
                    QStringLiteral("%1: modelled as strength %2 from the last %3 of history")
                        .arg(playerName(p))
                        .arg(*model.strength)
                        .arg(legsText(model.legs))};
        case basis::nothing:
            break;
    }
    return {std::nullopt, QStringLiteral("%1: nothing to model yet (an even chance until %2 "
                                         "darts this game)")
                              .arg(playerName(p))
                              .arg(gameDartsToModel)};
}

void TForm1::showOdds() {
    if (!matchOddsOn_->isChecked()) {
        oddsWorker_->cancel();
        oddsAsked_.reset();
        matchOdds_->clear();
        matchOdds_->setToolTip({});
        matchOdds_->setAccessibleDescription({});
        return;
    }
    if (!game_) {
        return;  // the last figure stays until the next game
    }
    const turnS turn = game_->turn();
    if (turn.what == turnS::waitingFor::nothing) {
        const int winner = turn.player;  // the match's last visit won it
        oddsWorker_->cancel();
        oddsS odds;
        odds.chance[winner] = 1.0;
        odds.decided = true;
        oddsTip_ = QStringLiteral("The match is over");
        showOddsFigure(odds);
        return;
    }
    if (turn.what == turnS::waitingFor::dartsUsed) {
        return;  // the leg is won; the figure follows when the next one begins
    }
    oddsQuestionS question;
    const gameSettingsS& s = game_->settings();
    question.startScore = s.startScore;
    question.bestOfLegs = s.bestOfLegs;
    question.bestOfSets = s.bestOfSets;
    const bool between = turn.what == turnS::waitingFor::nextLeg;
    for (int p = 0; p < 2; ++p) {
        question.state.remaining[p] = between ? s.startScore : game_->board(p).remaining();
        question.state.legs[p] = game_->gboard().legs(p);
        question.state.sets[p] = game_->gboard().sets(p);
    }
    question.state.legStarter = between ? MatchC::other(game_->legStarter()) : game_->legStarter();
    question.state.toThrow = between ? question.state.legStarter : game_->currentPlayer();
    if (const auto thrown = static_cast<int>(game_->enteredDarts().size()); thrown > 0) {
        // A human part-way through a visit: the figure follows each dart entered.
        const auto p = static_cast<std::size_t>(game_->currentPlayer());
        question.partWay = visitPartWayS{question.state.remaining[p], thrown};
        question.state.remaining[p] = game_->remainingAfterEntered();
    }

    const std::array<oddsModelS, 2> models{oddsModel(0), oddsModel(1)};
    oddsTip_ = models[0].how + QLatin1Char('\n') + models[1].how;
    if (!models[0].strength || !models[1].strength) {
        oddsWorker_->cancel();
        oddsAsked_.reset();
        oddsS even;
        even.chance = {0.5, 0.5};
        showOddsFigure(even);
        return;
    }
    question.strengths = {*models[0].strength, *models[1].strength};
    question.fitted = {models[0].fitted, models[1].fitted};
    question.seed = seedOf(question);
    if (oddsAsked_ && oddsAsked_->seed == question.seed) {
        return;  // already worked out, or being worked out
    }
    oddsAsked_ = question;
    oddsWorker_->ask(question);
}

void TForm1::showOddsFigure(const oddsS& odds) {
    const std::array<std::string, 2> percent = oddsPercentText(odds);
    const QString text = QStringLiteral("%1 %2 \u00b7 %3 %4")
                             .arg(playerName(0), QString::fromStdString(percent[0]), playerName(1),
                                  QString::fromStdString(percent[1]));
    matchOdds_->setText(text);
    QString tip = oddsTip_;
    if (odds.exact) {
        tip += QStringLiteral("\nWorked out exactly from both models' darts, visits and legs");
    }
    matchOdds_->setToolTip(tip);
    matchOdds_->setAccessibleDescription(text);
}

bool TForm1::oddsPending() const {
    return oddsWorker_->busy();
}

}  // namespace qm
