#include "ui/x01Panel.h"

#include <QFont>
#include <QListWidget>
#include <QTabWidget>

#include "game/MatchC.h"
#include "stats/decimals.h"
#include "ui/numberedLabel.h"
#include "ui/scoreListFormat.h"

namespace qm {

x01PanelC::x01PanelC(const modePanelPlaceS& place) : name_(place.name) {
    buildLists(place.area);
    auto* score = new QWidget;
    score->setObjectName(QStringLiteral("TabSheet1"));
    auto* stats = new QWidget;
    stats->setObjectName(QStringLiteral("TabSheet2"));
    place.tabs->addTab(score, QStringLiteral("Score"));
    place.tabs->addTab(stats, QStringLiteral("Statistics"));
    place.tabs->setCurrentIndex(1);
    buildScoreTab(score);
    buildStatisticsTab(stats);
}

// Each player's column beside the board: a heading, the visits and the score left, large.
void x01PanelC::buildLists(QWidget* area) {
    QFont listFont(QStringLiteral("DejaVu Sans Mono"));
    listFont.setStyleHint(QFont::Monospace);
    listFont.setPixelSize(12);
    QFont large = area->font();
    large.setPixelSize(30);
    large.setBold(true);
    for (int p = 0; p < 2; ++p) {
        rowS& row = rows_[p];
        row.heading = makeLabel(area, 1 + p, QStringLiteral("Player %1").arg(p + 1),
                                {22 + 144 * p, 2, 117, 16});
        row.visits = new QListWidget(area);
        row.visits->setObjectName(QStringLiteral("ListBox%1").arg(p + 1));
        row.visits->setGeometry(22 + 144 * p, 30, 117, 389);
        row.visits->setFont(listFont);
        row.visits->setFocusPolicy(Qt::NoFocus);
        row.visits->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        row.visits->setTextElideMode(Qt::ElideNone);
        row.visits->setAccessibleName(QStringLiteral("Score list of player %1").arg(p + 1));
        row.visits->setAccessibleDescription(
            QStringLiteral("Each line: the score before a visit and the points of the visit"));
        row.bigLeft = makeLabel(area, 47 + p, QStringLiteral("501"), {12 + 144 * p, 432, 137, 40});
        row.bigLeft->setFont(large);
        row.bigLeft->setAlignment(Qt::AlignCenter);
    }
}

// The match format and each player's sets, legs, darts and score left.
void x01PanelC::buildScoreTab(QWidget* score) {
    format_ = makeLabel(score, 9, QStringLiteral("Best of  X legs"), {8, 2, 300, 18});
    makeLabel(score, 10, QStringLiteral("Sets"), {210, 22, 40, 18});
    makeLabel(score, 11, QStringLiteral("Legs"), {250, 22, 40, 18});
    for (int p = 0; p < 2; ++p) {
        rowS& row = rows_[p];
        const int y = 42 + 20 * p;
        row.turnMark = makeLabel(score, 22 + p, QString(), {4, y, 12, 18});
        row.turnMark->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));
        row.scoreName =
            makeLabel(score, 12 + p, QStringLiteral("Player %1").arg(p + 1), {16, y, 190, 18});
        row.sets = makeLabel(score, 14 + p, QStringLiteral("0"), {210, y, 36, 18});
        row.legs = makeLabel(score, 16 + p, QStringLiteral("0"), {250, y, 36, 18});
        row.darts = makeLabel(score, 18 + p, QStringLiteral("(0)"), {290, y, 40, 18});
        row.left = makeLabel(score, 20 + p, QStringLiteral("501"), {332, y, 40, 18});
    }
}

// Each player's figures for the game: points per dart, high scores and best finish.
void x01PanelC::buildStatisticsTab(QWidget* stats) {
    makeLabel(stats, 26, QStringLiteral("Statistics"), {4, 2, 120, 18});
    const char* heads[] = {"PPD", "100+", "120+", "140+", "180", "Finish"};
    const int columns[] = {140, 190, 225, 260, 295, 328};
    for (int c = 0; c < 6; ++c) {
        makeLabel(stats, 27 + c, QLatin1String(heads[c]), {columns[c], 22, 44, 18});
    }
    for (int p = 0; p < 2; ++p) {
        rowS& row = rows_[p];
        const int y = 42 + 20 * p;
        row.statsName =
            makeLabel(stats, 33 + p, QStringLiteral("Player %1").arg(p + 1), {4, y, 134, 18});
        // The labels of a column are numbered in pairs, player 1 first: 35 and 36 for PPD.
        for (int c = 0; c < 6; ++c) {
            row.statistics[c] =
                makeLabel(stats, 35 + 2 * c + p, QStringLiteral("000"), {columns[c], y, 44, 18});
        }
    }
}

const MatchC* x01PanelC::match(const gameModeC* game) {
    return dynamic_cast<const MatchC*>(game);
}

void x01PanelC::show(const gameModeC* game) {
    const MatchC* match = x01PanelC::match(game);
    if (match == nullptr) {
        return;
    }
    const gameSettingsS& s = match->settings();
    format_->setText(
        s.bestOfSets == 1
            ? QStringLiteral("Best of %1 legs (%2)").arg(s.bestOfLegs).arg(s.startScore)
            : QStringLiteral("Best of %1 Sets, %2 legs (%3)")
                  .arg(s.bestOfSets)
                  .arg(s.bestOfLegs)
                  .arg(s.startScore));
    for (int p = 0; p < 2; ++p) {
        const ScoreBoardC& board = match->board(p);
        const GameStatsC& stats = match->gstats(p);
        const rowS& row = rows_[p];
        row.sets->setText(QString::number(match->gboard().sets(p)));
        row.legs->setText(QString::number(match->gboard().legs(p)));
        row.darts->setText(QStringLiteral("(%1)").arg(board.darts()));
        row.left->setText(QString::number(board.remaining()));
        row.bigLeft->setText(QString::number(board.remaining()));
        row.heading->setText(name_(p));
        const QString shown =
            match->isComputer(p) ? QStringLiteral("%1 [ai]").arg(name_(p)) : name_(p);
        row.scoreName->setText(shown);
        row.statsName->setText(shown);
        row.turnMark->setText(match->currentPlayer() == p ? QStringLiteral("*") : QString());
        // The figure as the leg records' readers and the export show it: one rounding.
        const std::array<QString, 6> figures{QString::fromStdString(twoDecimals(stats.ppd())),
                                             QString::number(stats.count100()),
                                             QString::number(stats.count120()),
                                             QString::number(stats.count140()),
                                             QString::number(stats.count180()),
                                             QString::number(stats.bestFinish())};
        for (std::size_t c = 0; c < figures.size(); ++c) {
            row.statistics[c]->setText(figures[c]);
        }
    }
}

void x01PanelC::showVisits(int player, const gameModeC* game) {
    QListWidget* list = rows_.at(static_cast<std::size_t>(player)).visits;
    list->clear();
    const MatchC* match = x01PanelC::match(game);
    if (match == nullptr) {
        return;
    }
    for (const auto& line : scoreListLines(match->board(player))) {
        list->addItem(QString::fromStdString(line));
    }
    list->scrollToBottom();
}

void x01PanelC::showNames() {
    for (int p = 0; p < 2; ++p) {
        rows_[p].heading->setText(name_(p));
        rows_[p].scoreName->setText(name_(p));
    }
}

QString x01PanelC::rowName(int player) const {
    return rows_.at(static_cast<std::size_t>(player)).statsName->text();
}

}  // namespace qm
