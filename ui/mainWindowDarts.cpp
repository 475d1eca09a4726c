// A human's darts entered one at a time: clicked on the board or typed in dart notation, the
// visit's darts listed and drawn, the "Darts" tab with the figures they give, and the dart
// history they are kept in.
#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

#include "computer/checkoutRoute.h"
#include "stats/legRecorderC.h"
#include "ui/mainWindow.h"

namespace qm {

namespace {

QString visitDartsText(const std::vector<enteredDartS>& darts) {
    QStringList words;
    for (const enteredDartS& dart : darts) {
        words << (dart.hit.type == 0 ? QStringLiteral("Miss")
                                     : QString::fromStdString(dartNotation(dart.hit)));
    }
    return words.join(QLatin1Char(' '));
}

}  // namespace

void TForm1::buildDartEntry(QWidget* area) {
    visitDarts_ = new QLabel(area);
    visitDarts_->setObjectName(QStringLiteral("VisitDarts"));
    visitDarts_->setGeometry(12, 498, 284, 22);
    visitDarts_->setAccessibleName(QStringLiteral("Darts of this visit"));

    dartsEdit_ = new QLineEdit(area);
    dartsEdit_->setObjectName(QStringLiteral("DartsEdit"));
    dartsEdit_->setGeometry(152, 530, 144, 24);
    dartsEdit_->setPlaceholderText(QStringLiteral("Darts: T20 T19 D12"));
    dartsEdit_->setAccessibleName(QStringLiteral("Darts"));
    dartsEdit_->setAccessibleDescription(
        QStringLiteral("Type the darts of your visit, such as T20 T19 D12, 25, Bull or Miss, "
                       "and press Enter"));
    dartsEdit_->installEventFilter(this);
    setTabOrder(MaskEdit1, dartsEdit_);

    auto* darts = new QWidget;
    darts->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(darts, QStringLiteral("Darts"));
    const char* heads[] = {"First 9", "Checkout", "At double", "Legs"};
    const int columns[] = {140, 190, 290, 340};
    const int widths[] = {48, 98, 48, 34};
    for (int c = 0; c < 4; ++c) {
        auto* head = new QLabel(QLatin1String(heads[c]), darts);
        head->setObjectName(QStringLiteral("DartHead%1").arg(c + 1));
        head->setGeometry(columns[c], 22, widths[c], 18);
    }
    for (int p = 0; p < 2; ++p) {
        const int y = 42 + 20 * p;
        dartFigureName_[p] = new QLabel(QStringLiteral("Player %1").arg(p + 1), darts);
        dartFigureName_[p]->setGeometry(4, y, 134, 18);
        for (int c = 0; c < 4; ++c) {
            dartFigureLabels_[p][c] = new QLabel(QStringLiteral("-"), darts);
            dartFigureLabels_[p][c]->setObjectName(
                QStringLiteral("DartFigure%1%2").arg(p + 1).arg(c + 1));
            dartFigureLabels_[p][c]->setGeometry(columns[c], y, widths[c], 18);
        }
    }
}

void TForm1::showDartFigures() {
    for (int p = 0; p < 2; ++p) {
        dartFigureName_[p]->setText(panel("x01").rowName(p));
        const dartFiguresS figures = game_ ? game_->dartFigures(p) : dartFiguresS{};
        const std::array<QString, 4> shown{QString::fromStdString(first9Text(figures)),
                                           QString::fromStdString(checkoutText(figures)),
                                           QString::number(figures.atDouble),
                                           QString::number(figures.legs)};
        for (std::size_t c = 0; c < shown.size(); ++c) {
            dartFigureLabels_[p][c]->setText(shown[c]);
        }
    }
}

bool TForm1::humanToThrow() const {
    return game_ && game_->turn().what == turnS::waitingFor::humanVisit;
}

void TForm1::BoardClick(boardPointS point, dartS hit) {
    if (practising()) {
        practiceDart({hit, point});
        return;
    }
    if (!game_) {
        refuse(QStringLiteral("Game not started yet, go to menu Game/Start"));
        return;
    }
    if (!humanToThrow()) {
        return;  // the computer throws, or the game waits for something else
    }
    enterDart({hit, point});
}

VisitResult TForm1::enterDart(const enteredDartS& dart) {
    if (game_->enteredDarts().empty()) {
        aimMark_.reset();
        dartMarks_.clear();  // a fresh board for a new visit
        clearAimLines();
    }
    const visitOutcomeS outcome = game_->enterHumanDart(dart);
    if (outcome.result == VisitResult::Ignored) {
        return outcome.result;
    }
    if (outcome.result == VisitResult::Refused) {
        refuse(QStringLiteral("Warning: no such dart"));
        return outcome.result;
    }
    playSound("DART");
    if (outcome.result == VisitResult::DartEntered) {
        showEnteredDarts();
        showCheckoutHint();
        showOdds();
        return outcome.result;
    }
    // A copy: the game may end, and go, while the visit is shown.
    visitDone(outcome, std::vector<enteredDartS>(game_->session().lastVisit()));
    return outcome.result;
}

void TForm1::visitDone(const visitOutcomeS& outcome, const std::vector<enteredDartS>& visit) {
    for (const enteredDartS& dart : visit) {
        if (dart.point) {
            dartMarks_.push_back(*dart.point);
        }
    }
    const QString listed = visitDartsText(visit);
    MaskEdit1->setReadOnly(false);
    MaskEdit1->clear();
    humanCompletion(outcome, listed);
    if (!game_) {
        return;
    }
    visitDarts_->setText(QStringLiteral("Last visit: %1").arg(listed));
    announceDarts();
    if (!game_->matchOver()) {
        refreshScores();
    }
    board_->update();
}

void TForm1::completeEnteredDarts() {
    const visitOutcomeS outcome = game_->completeEnteredDarts();
    if (outcome.result == VisitResult::Ignored) {
        return;
    }
    visitDone(outcome, std::vector<enteredDartS>(game_->session().lastVisit()));
}

void TForm1::takeBackDart() {
    if (practising()) {
        practiceTakeBack(false);
        return;
    }
    if (!game_ || !game_->takeBackDart()) {
        return;
    }
    takeBackDartShown();
}

void TForm1::takeBackDartShown() {
    showEnteredDarts();
    showCheckoutHint();
    showOdds();
}

void TForm1::forgetLastVisit() {
    if (visitDarts_->text().startsWith(QStringLiteral("Last visit:"))) {
        visitDarts_->clear();
        announceDarts();
    }
}

void TForm1::clearEnteredDarts() {
    if (practising()) {
        practiceTakeBack(true);
        return;
    }
    if (!game_ || game_->enteredDarts().empty()) {
        return;
    }
    game_->clearEnteredDarts();
    showEnteredDarts();
    showCheckoutHint();
    showOdds();
}

void TForm1::showEnteredDarts() {
    const QString before = visitDarts_->text();
    const std::vector<enteredDartS> none;
    const std::vector<enteredDartS>& darts = game_ ? game_->enteredDarts() : none;
    if (darts.empty()) {
        // Taken back, cleared, or dropped by an undo: the field is the typed total's again.
        if (MaskEdit1->isReadOnly()) {
            MaskEdit1->setReadOnly(false);
            MaskEdit1->clear();
        }
        if (before.startsWith(QStringLiteral("Darts:"))) {
            visitDarts_->clear();
        }
    } else {
        visitDarts_->setText(QStringLiteral("Darts: %1").arg(visitDartsText(darts)));
        // The score field shows the visit's running total; Enter ends the visit.
        int total = 0;
        for (const enteredDartS& dart : darts) {
            total += dart.hit.score();
        }
        MaskEdit1->setReadOnly(true);
        MaskEdit1->setText(QString::number(total));
    }
    if (visitDarts_->text() != before) {
        announceDarts();
        board_->update();
    }
}

void TForm1::announceDarts() {
    // A screen reader hears each dart as it is entered.
    visitDarts_->setAccessibleDescription(visitDarts_->text());
    QAccessibleEvent event(visitDarts_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

bool TForm1::DartsEditKeyDown(int key) {
    if (key == Qt::Key_Escape) {
        clearEnteredDarts();
        dartsEdit_->clear();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter) {
        return false;
    }
    if (practising()) {
        practiceTyped();
        return true;
    }
    if (!game_) {
        refuse(QStringLiteral("Game not started yet, go to menu Game/Start"));
        return true;
    }
    if (!humanToThrow()) {
        return true;
    }
    const QString typed = dartsEdit_->text().trimmed();
    if (typed.isEmpty()) {
        completeEnteredDarts();  // Enter on nothing ends the visit: the rest are misses
        return true;
    }
    std::string bad;
    const auto darts = parseDartNotation(typed.toStdString(), bad);
    if (!darts || darts->size() + game_->enteredDarts().size() > 3) {
        refuse(darts ? QStringLiteral("Warning: a visit has three darts")
                     : QStringLiteral("Warning: '%1' is not a dart (T20, D16, S5, 25, Bull, Miss)")
                           .arg(QString::fromStdString(bad)));
        return true;
    }
    dartsEdit_->clear();
    // The line's darts belong to the visit it was typed in: once a checkout or a bust ends
    // that visit, the rest are not entered, whoever is to throw next.
    std::vector<enteredDartS> visit = game_->enteredDarts();
    for (std::size_t k = 0; k < darts->size(); ++k) {
        visit.push_back({(*darts)[k], std::nullopt});
        const VisitResult result = enterDart(visit.back());
        if (result == VisitResult::DartEntered) {
            continue;
        }
        const bool ended = result == VisitResult::Scored || result == VisitResult::LegWon ||
                           result == VisitResult::MatchWon;
        if (ended && k + 1 < darts->size()) {
            std::vector<enteredDartS> left;
            for (std::size_t r = k + 1; r < darts->size(); ++r) {
                left.push_back({(*darts)[r], std::nullopt});
            }
            // Before the third dart only a bust or a checkout ends a visit.
            refuse(QStringLiteral("%1 after %2: %3 not entered")
                       .arg(result == VisitResult::Scored ? QStringLiteral("Bust")
                                                          : QStringLiteral("Checkout"),
                            visitDartsText(visit), visitDartsText(left)));
        }
        break;
    }
    return true;
}

void TForm1::historyReport(int kind, const std::string& text) {
    if (static_cast<legRecorderC::reportKind>(kind) == legRecorderC::reportKind::failure) {
        // Once: the leg records are kept whatever the history does, and play goes on.
        reportError(
            QStringLiteral("Unable to save the darts: %1").arg(QString::fromStdString(text)));
    } else {
        reportError(QString::fromStdString(text));
    }
}

bool TForm1::dartsWritten(std::chrono::milliseconds timeout) {
    return recorder_->waitWritten(timeout);
}

}  // namespace qm
