// The checkout hint: the route the checkout chart gives for a human's score, beside the score
// field, and the Options item that turns it on and off.
#include <QAction>
#include <QLabel>
#include <QMenu>

#include "computer/checkoutRoute.h"
#include "settings/settingsStoreC.h"
#include "ui/mainWindow.h"

namespace qm {

void TForm1::buildHints(QWidget* area, QMenu* options) {
    checkoutHint_ = new QLabel(area);
    checkoutHint_->setObjectName(QStringLiteral("CheckoutHint"));
    checkoutHint_->setGeometry(152, 558, 144, 24);
    QFont bold = checkoutHint_->font();
    bold.setBold(true);
    checkoutHint_->setFont(bold);
    checkoutHint_->setAccessibleName(QStringLiteral("Checkout route"));

    options->addSeparator();
    checkoutHints_ = options->addAction(QStringLiteral("Checkout &hints"));
    checkoutHints_->setObjectName(QStringLiteral("CheckoutHints1"));
    checkoutHints_->setCheckable(true);
    checkoutHints_->setChecked(context_.settings->readCheckoutHints());
    // triggered, not toggled: loading the choice above is no choice to save.
    connect(checkoutHints_, &QAction::triggered, this, &TForm1::CheckoutHints1Click);
}

void TForm1::CheckoutHints1Click(bool on) {
    if (!context_.settings->saveCheckoutHints(on)) {
        reportError(QString::fromStdString(context_.settings->writeFailureMessage()));
    }
    showCheckoutHint();
}

void TForm1::showCheckoutHint() {
    std::string route;
    if (game_ && game_->turn().what == turnS::waitingFor::humanVisit &&
        checkoutHints_->isChecked()) {
        // After each dart entered, the route for the darts still in hand.
        const auto inHand = static_cast<int>(3 - game_->enteredDarts().size());
        const int left = game_->remainingAfterEntered();
        const std::optional<std::vector<dartS>> own =
            personalRoute(game_->currentPlayer(), left, inHand);
        route = routeText(own ? *own : checkoutRoute(*context_.chart, left, inHand));
    }
    checkoutHint_->setText(QString::fromStdString(route));
    // A screen reader reads the route itself, not only what the label is.
    checkoutHint_->setAccessibleDescription(checkoutHint_->text());
}

}  // namespace qm
