// A player's own throw: the "Your throw" window, the personal checkout routes the hint may
// give, and the scatters fitted for the game's players (a human's for the odds and the hint, a
// twin's human's for the twin's darts).
#include <QAction>
#include <QMenu>

#include "game/playerThrow.h"
#include "stats/dartHistoryC.h"
#include "ui/mainWindow.h"
#include "ui/yourThrowWindow.h"

namespace qm {

void TForm1::buildThrow(QMenu* options) {
    options->addSeparator();
    QAction* window = options->addAction(QStringLiteral("&Your throw\u2026"));
    window->setObjectName(QStringLiteral("YourThrow1"));
    connect(window, &QAction::triggered, this, &TForm1::YourThrow1Click);

    personalRoutes_ = options->addAction(QStringLiteral("Personal &routes"));
    personalRoutes_->setObjectName(QStringLiteral("PersonalRoutes1"));
    personalRoutes_->setCheckable(true);
    personalRoutes_->setChecked(context_.settings->readPersonalRoutes());
    personalRoutes_->setToolTip(
        QStringLiteral("The checkout hint gives the route that finishes most often for the "
                       "player's own scatter, where it is known"));
    connect(personalRoutes_, &QAction::triggered, this, &TForm1::PersonalRoutes1Click);
}

void TForm1::YourThrow1Click() {
    if (yourThrow_ == nullptr) {
        yourThrow_ = new yourThrowWindow(context_.dataDir, *context_.settings, *context_.vBoard,
                                         *context_.chart, this);
    }
    // The player to throw, else the first human of the game.
    QString player;
    for (int p = 0; p < 2 && player.isEmpty(); ++p) {
        if (!activeSettings_.isComputer[p]) {
            player = QString::fromStdString(activeSettings_.names[p]);
        }
    }
    yourThrow_->showFor(player);
    yourThrow_->show();
    yourThrow_->raise();
    yourThrow_->activateWindow();
}

void TForm1::PersonalRoutes1Click(bool on) {
    if (!context_.settings->savePersonalRoutes(on)) {
        reportError(QString::fromStdString(context_.settings->writeFailureMessage()));
    }
    showCheckoutHint();
}

void TForm1::fitPlayers() {
    for (int p = 0; p < 2; ++p) {
        routes_[p].reset();
        fits_[p].reset();
        twinNotes_[p].clear();
        const bool computer = activeSettings_.isComputer[p];
        const std::string& whose = computer ? activeSettings_.twinOf[p] : activeSettings_.names[p];
        if (whose.empty()) {
            continue;
        }
        fits_[p] = fitOf(whose);
        if (!fits_[p] && computer) {
            twinNotes_[p] = QStringLiteral(" (no twin of %1 yet: not enough darts)")
                                .arg(QString::fromStdString(whose));
        }
    }
}

std::optional<throwFitS> TForm1::fitOf(const std::string& human) const {
    if (human.empty()) {
        return std::nullopt;
    }
    dartHistoryC history(context_.dataDir / dartHistoryFileName, dartHistoryC::mode::readOnly);
    throwFitS fit = fitPlayerThrow(history, human, *context_.vBoard);
    return fit.usable() ? std::optional(std::move(fit)) : std::nullopt;
}

std::optional<std::vector<dartS>> TForm1::personalRoute(int player, int left, int inHand) {
    const auto p = static_cast<std::size_t>(player);
    if (!personalRoutes_->isChecked() || !fits_[p] || left < 2 || left > personalRoutesC::highest) {
        return std::nullopt;
    }
    if (!routes_[p]) {
        fittedChancesC outcomes(*fits_[p], *context_.vBoard);
        routes_[p] = std::make_unique<personalRoutesC>(outcomes, *context_.chart);
    }
    return routes_[p]->at(left, inHand).route;
}

}  // namespace qm
