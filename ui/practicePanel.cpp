#include "ui/practicePanel.h"

#include <QLabel>
#include <QTabWidget>

#include "game/practiceC.h"
#include "ui/countText.h"

namespace qm {

namespace {

QString numberText(int number) {
    return number == 25 ? QStringLiteral("Bull") : QString::number(number);
}

QString targetText(const dartS& target) {
    const char* ring[] = {"", "S", "D", "T"};
    if (target.number == 25) {
        return target.type == 2 ? QStringLiteral("Bull") : QStringLiteral("25");
    }
    return QLatin1String(ring[target.type]) + QString::number(target.number);
}

}  // namespace

QString drillProgressText(const drillC& drill) {
    const drillSetupS& s = drill.setup();
    if (drill.finished()) {
        return QStringLiteral("Done");
    }
    switch (s.kind) {
        case drillKind::aroundTheClock:
            return QStringLiteral("Next: %1").arg(numberText(drill.target().number));
        case drillKind::bobs27:
            return QStringLiteral("Round %1").arg(targetText(drill.target()));
        case drillKind::checkout121:
            return QStringLiteral("%1: %2 left, %3 darts")
                .arg(drill.checkoutTarget())
                .arg(drill.checkoutLeft())
                .arg(drill.dartsLeft());
        case drillKind::finishes:
            return QStringLiteral("%1 left, %2 darts")
                .arg(drill.checkoutLeft())
                .arg(drill.dartsLeft());
        case drillKind::doubles:
        case drillKind::scoring:
            return QStringLiteral("%1: %2 of %3 darts")
                .arg(targetText(drill.target()))
                .arg(drill.score().darts)
                .arg(s.kind == drillKind::scoring ? 99 : s.darts);
    }
    return {};
}

QString drillScoreText(const drillC& drill) {
    const drillScoreS score = drill.score();
    switch (drill.setup().kind) {
        case drillKind::aroundTheClock:
            return countText(score.darts, QStringLiteral("dart"), QStringLiteral("darts"));
        case drillKind::bobs27:
            if (score.lost) {
                return QStringLiteral("Lost in round %1").arg(score.round);
            }
            return countText(static_cast<long long>(score.value), QStringLiteral("point"),
                             QStringLiteral("points"));
        case drillKind::checkout121:
            return QStringLiteral("Highest %1, %2 of %3")
                .arg(static_cast<int>(score.value))
                .arg(score.hits)
                .arg(drill.setup().attempts);
        case drillKind::doubles:
            return QStringLiteral("%1% hit").arg(score.value, 0, 'f', 1);
        case drillKind::scoring:
            return QStringLiteral("%1 average").arg(score.value, 0, 'f', 2);
        case drillKind::finishes:
            return QStringLiteral("%1 of 10 made").arg(score.hits);
    }
    return {};
}

practicePanelC::practicePanelC(const modePanelPlaceS& place) {
    tab_ = new QWidget;
    tab_->setObjectName(QStringLiteral("PracticeSheet"));
    place.tabs->addTab(tab_, QStringLiteral("Practice"));
    drill_ = new QLabel(tab_);
    drill_->setObjectName(QStringLiteral("PracticeDrillName"));
    drill_->setGeometry(4, 2, 360, 16);
    const int columns[] = {4, 120, 270};
    const int widths[] = {114, 148, 100};
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c < 3; ++c) {
            cells_[row][c] = new QLabel(tab_);
            cells_[row][c]->setObjectName(QStringLiteral("Practice%1%2").arg(row + 1).arg(c + 1));
            cells_[row][c]->setGeometry(columns[c], 18 + 16 * row, widths[c], 16);
        }
    }
}

void practicePanelC::show(const gameModeC* game) {
    const auto* practice = dynamic_cast<const practiceC*>(game);
    if (practice == nullptr) {
        return;
    }
    drill_->setText(QString::fromUtf8(drillName(practice->drill(0).setup().kind)));
    for (int row = 0; row < rows; ++row) {
        const bool here = row < practice->playerCount();
        for (QLabel* cell : cells_[row]) {
            cell->setVisible(here);
        }
        if (!here) {
            continue;
        }
        const practicePlayerS& p = practice->player(row);
        const QString name = QString::fromStdString(p.name);
        const bool toThrow = !practice->gameOver() && practice->toThrow() == row;
        cells_[row][0]->setText((toThrow ? QStringLiteral("* ") : QString()) +
                                (p.computer ? QStringLiteral("%1 [ai]").arg(name) : name));
        cells_[row][1]->setText(drillProgressText(practice->drill(row)));
        cells_[row][2]->setText(drillScoreText(practice->drill(row)));
    }
}

void practicePanelC::showVisits(int, const gameModeC*) {}

QString practicePanelC::rowName(int player) const {
    return cells_.at(static_cast<std::size_t>(player))[0]->text();
}

}  // namespace qm
