// Practice in the main window: Game / Practice..., a drill's darts entered as a match's are
// (the board, dart notation, Backspace, Escape, undo and redo), the computers' darts paced by a
// timer, each player's target on the board, and the results kept in the dart history.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QTimer>

#include "computer/checkoutRoute.h"
#include "stats/dartHistoryC.h"
#include "ui/countText.h"
#include "ui/mainWindow.h"
#include "ui/practiceDialog.h"
#include "ui/practicePanel.h"
#include "ui/promptService.h"
#include "ui/statsWindow.h"

namespace qm {

namespace {

drillRecordS recordOf(const practiceResultS& result) {
    drillRecordS r;
    r.player = result.player;
    r.day = result.day;
    r.drill = static_cast<std::int32_t>(result.setup.kind);
    r.variant = result.setup.variant;
    r.finished = result.finished;
    r.score = result.score.value;
    r.darts = result.score.darts;
    r.hits = result.score.hits;
    r.thrown = result.darts;
    return r;
}

}  // namespace

modePanelC& TForm1::panel(std::string_view mode) const {
    return *panels_.find(mode)->second;
}

void TForm1::buildPractice(QMenu* game) {
    QAction* item = game->addAction(QStringLiteral("&Practice\u2026"));
    item->setObjectName(QStringLiteral("Practice1"));
    item->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    connect(item, &QAction::triggered, this, &TForm1::Practice1Click);
    practiceDialog_ = new practiceDialog(*context_.settings, this);
    connect(practiceDialog_, &QDialog::accepted, this,
            [this] { startPractice(practiceDialog_->choice()); });
    practiceTimer_ = new QTimer(this);
    practiceTimer_->setObjectName(QStringLiteral("practiceTimer"));
    practiceTimer_->setSingleShot(true);
    connect(practiceTimer_, &QTimer::timeout, this, &TForm1::practiceComputerTick);
    board_->addLayer([this](QPainter& painter) { paintPracticeTargets(painter); });
}

void TForm1::PracticeStatistics1Click() {
    playSound("OPEN");
    statisticsWindow_->showPractice();
}

void TForm1::Practice1Click() {
    if (game_) {
        refuse(QStringLiteral("A game is on: Game/Terminate ends it first"));
        return;
    }
    if (practising()) {
        refuse(QStringLiteral("A drill is on: Game/Terminate ends it first"));
        return;
    }
    practiceDialog_->refreshPlayers();
    practiceDialog_->open();
}

void TForm1::startPractice(const practiceChoiceS& choice) {
    if (game_ || practising()) {
        return;
    }
    practiceContextS c;
    c.chart = context_.chart;
    c.vBoard = context_.vBoard;
    c.today = context_.today;
    c.seeding = context_.fixedSeed ? throwC::seeding::keep : throwC::seeding::fromClock;
    c.writeResult = [this](const practiceResultS& result) { practiceResults_.push_back(result); };
    // A computer on the list that is a human's twin throws by the human's fit here too.
    std::vector<practicePlayerS> players = choice.players;
    for (practicePlayerS& p : players) {
        if (p.computer) {
            p.twin = fitOf(context_.settings->readTwinOf(p.name));
        }
    }
    try {
        practice_ = std::make_unique<practiceC>(choice.setup, players, std::move(c));
    } catch (const std::invalid_argument& error) {
        refuse(QString::fromUtf8(error.what()));
        return;
    }
    aimMark_.reset();
    dartMarks_.clear();
    PageControl1->setCurrentWidget(static_cast<practicePanelC&>(panel("practice")).tab());
    showMessageText(QStringLiteral("%1: %2 to throw")
                        .arg(QString::fromUtf8(drillName(choice.setup.kind)),
                             QString::fromStdString(choice.players.front().name)));
    playSound("OPEN");
    showPractice();
}

void TForm1::showPractice() {
    panel("practice").show(practice_.get());
    board_->update();
    if (practising() && practice_->session().isComputer(practice_->toThrow()) &&
        !practiceTimer_->isActive()) {
        practiceTimer_->setInterval(activeSettings_.speedMode ? 10 : 1000);
        practiceTimer_->start();
    }
}

void TForm1::practiceDart(const enteredDartS& dart) {
    if (practice_->session().enteredDarts().empty()) {
        dartMarks_.clear();  // a fresh board for a new visit
    }
    const practiceStep step = practice_->enterHumanDart(dart);
    if (step == practiceStep::ignored) {
        return;
    }
    if (step == practiceStep::refused) {
        refuse(QStringLiteral("Warning: no such dart"));
        return;
    }
    if (dart.point) {
        dartMarks_.push_back(*dart.point);
    }
    playSound("DART");
    practiceStepDone(step);
}

void TForm1::practiceStepDone(practiceStep step) {
    if (step == practiceStep::drillOver) {
        endPractice(false);
        return;
    }
    if (step == practiceStep::visitOver) {
        const int next = practice_->toThrow();
        showInfoText(QString::fromStdString(practice_->player(next).name));
    }
    showPractice();
}

void TForm1::practiceComputerTick() {
    if (!practising() || !practice_->session().isComputer(practice_->toThrow())) {
        return;
    }
    if (practice_->drill(practice_->toThrow()).dartsInVisit() == 0) {
        dartMarks_.clear();
    }
    const practiceC::computerDartS dart = practice_->throwComputerDart();
    dartMarks_.push_back(dart.point);
    playSound("DART");
    practiceStepDone(dart.step);
}

void TForm1::practiceTyped() {
    const QString typed = dartsEdit_->text().trimmed();
    if (typed.isEmpty()) {
        practiceStepDone(practice_->completeEnteredDarts());  // the rest are misses
        return;
    }
    std::string bad;
    const auto darts = parseDartNotation(typed.toStdString(), bad);
    if (!darts || darts->size() + practice_->session().enteredDarts().size() > 3) {
        refuse(darts ? QStringLiteral("Warning: a visit has three darts")
                     : QStringLiteral("Warning: '%1' is not a dart (T20, D16, S5, 25, Bull, Miss)")
                           .arg(QString::fromStdString(bad)));
        return;
    }
    dartsEdit_->clear();
    // The line's darts belong to the visit it was typed in.
    const int thrower = practice_->toThrow();
    for (const dartS& dart : *darts) {
        if (!practising() || practice_->toThrow() != thrower ||
            (practice_->session().enteredDarts().empty() &&
             practice_->drill(thrower).dartsInVisit() == 0 && &dart != &darts->front())) {
            break;
        }
        practiceDart({dart, std::nullopt});
    }
}

void TForm1::practiceTakeBack(bool all) {
    if (!practising()) {
        return;
    }
    if (all) {
        practice_->clearEnteredDarts();
        dartMarks_.clear();
    } else if (practice_->takeBackDart() && !dartMarks_.empty()) {
        dartMarks_.pop_back();
    }
    showPractice();
}

void TForm1::practiceUndo() {
    const undoResultS result = practice_->undo();
    if (undoRefused(result)) {
        return;
    }
    if (result.outcome != undoResultS::status::DartTakenBack) {
        dartMarks_.clear();
        for (const auto& step : result.steps) {
            showMessageText(
                QStringLiteral("undo: %1,%2").arg(step.visit.points).arg(step.visit.darts));
        }
        playSound("UNDO");
    } else if (!dartMarks_.empty()) {
        dartMarks_.pop_back();
    }
    showPractice();
}

void TForm1::practiceRedo() {
    const redoResultS result = practice_->redo();
    if (result.outcome != redoResultS::status::Done) {
        refuse(result.outcome == redoResultS::status::ComputerToThrow
                   ? QStringLiteral("Unable to redo current ai player")
                   : QStringLiteral("Nothing to redo, enter your darts"));
        return;
    }
    playSound("REDO");
    showMessageText(QStringLiteral("Redo from stack: %1").arg(result.visit.points));
    showPractice();
}

void TForm1::endPractice(bool abandoned) {
    practiceTimer_->stop();
    if (abandoned) {
        practice_->abandon();
    }
    QStringList said;
    for (int p = 0; p < practice_->playerCount(); ++p) {
        said << QStringLiteral("%1 %2").arg(QString::fromStdString(practice_->player(p).name),
                                            drillScoreText(practice_->drill(p)));
    }
    std::vector<drillRecordS> records;
    for (const practiceResultS& result : practiceResults_) {
        records.push_back(recordOf(result));
    }
    practiceResults_.clear();
    if (!records.empty()) {
        dartHistoryC history(context_.dataDir / dartHistoryFileName);
        if (!history.writeDrills(records)) {
            reportError(QStringLiteral("Unable to save the darts: %1")
                            .arg(QString::fromStdString(history.problem())));
        }
    }
    showMessageText(QStringLiteral("%1 %2: %3")
                        .arg(QString::fromUtf8(drillName(practice_->drill(0).setup().kind)),
                             abandoned ? QStringLiteral("broken off") : QStringLiteral("over"),
                             said.join(QStringLiteral(", "))));
    if (!abandoned) {
        playSound("WON");
    }
    showPractice();
}

void TForm1::paintPracticeTargets(QPainter& painter) const {
    if (!practising()) {
        return;
    }
    // Each player's next target, numbered; the player to throw's in red.
    for (int p = 0; p < practice_->playerCount(); ++p) {
        if (practice_->drill(p).finished()) {
            continue;
        }
        const dartS target = p == practice_->toThrow()
                                 ? practice_->aim()
                                 : drillAim(practice_->drill(p), *context_.chart);
        const windowPointS at =
            boardWidget::boardToWindow(context_.vBoard->getCoordinates(target.type, target.number));
        painter.setPen(QPen(p == practice_->toThrow() ? Qt::red : Qt::yellow, 2));
        painter.setBrush(Qt::NoBrush);
        const QPointF centre(at.x, at.y);
        painter.drawEllipse(centre, 7.0, 7.0);
        painter.drawText(centre + QPointF(8.0 + 6.0 * p, -8.0), QString::number(p + 1));
    }
}

}  // namespace qm
