// The statistics window's chart menu: the chosen player's legs as CSV, and the chart as a PNG.
#include <QAction>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDir>
#include <QMenu>
#include <fstream>

#include "stats/legCsv.h"
#include "ui/promptService.h"
#include "ui/soundPlayer.h"
#include "ui/statsWindow.h"

namespace qm {

namespace {

std::int64_t dayOf(const QDate& date) {
    return dayNumber({date.year(), date.month(), date.day()});
}

}  // namespace

QMenu* TForm4::chartMenu() {
    if (chartMenu_ == nullptr) {
        chartMenu_ = new QMenu(this);
        QAction* csv = chartMenu_->addAction(QStringLiteral("Export legs as CSV\u2026"));
        csv->setObjectName(QStringLiteral("ExportLegsCsv"));
        connect(csv, &QAction::triggered, this, &TForm4::exportLegsCsv);
        QAction* png = chartMenu_->addAction(QStringLiteral("Save chart as PNG\u2026"));
        png->setObjectName(QStringLiteral("SaveChartPng"));
        connect(png, &QAction::triggered, this, &TForm4::saveChartPng);
    }
    // Both need a player whose history was read whole; the chart, one drawn.
    for (QAction* action : chartMenu_->actions()) {
        action->setEnabled(chart_.has_value() && !reading_);
    }
    return chartMenu_;
}

void TForm4::contextMenuEvent(QContextMenuEvent* event) {
    const QRect chartArea(chartLeft, chartTop, ppdChartS::frameWidth, ppdChartS::frameHeight);
    if (!chartArea.contains(event->pos())) {
        QWidget::contextMenuEvent(event);
        return;
    }
    chartMenu()->popup(event->globalPos());  // no nested event loop
}

void TForm4::exportLegsCsv() {
    const QString suggested = QDir::home().filePath(playerName + QStringLiteral("-legs.csv"));
    const QString file = prompts_.askSaveFileName(this, QStringLiteral("Export legs as CSV"),
                                                  suggested, QStringLiteral("CSV files (*.csv)"));
    if (file.isEmpty()) {
        return;
    }
    std::ofstream out(file.toStdString(), std::ios::binary | std::ios::trunc);
    std::string problem;
    if (out) {
        problem = writeLegsCsv(dataDir_, playerName.toStdString(), dayOf(DateTimePicker1->date()),
                               dayOf(DateTimePicker2->date()), out);
        out.close();
    }
    if (!out || !problem.empty()) {
        sounds_.play("INVALID");
        showSystemInfo("Could not export to " + file.toStdString() +
                       (problem.empty() ? "" : ": " + problem));
        return;
    }
    showInfo("Exported legs to " + file.toStdString());
}

void TForm4::saveChartPng() {
    const QString suggested = QDir::home().filePath(playerName + QStringLiteral("-ppd-chart.png"));
    const QString file = prompts_.askSaveFileName(this, QStringLiteral("Save chart as PNG"),
                                                  suggested, QStringLiteral("PNG images (*.png)"));
    if (file.isEmpty()) {
        return;
    }
    // The chart area exactly as the window draws it, frame included.
    const QPixmap picture =
        grab(QRect(chartLeft, chartTop, ppdChartS::frameWidth, ppdChartS::frameHeight));
    if (!picture.save(file, "PNG")) {
        sounds_.play("INVALID");
        showSystemInfo("Could not save the chart to " + file.toStdString());
        return;
    }
    showInfo("Saved the chart to " + file.toStdString());
}

}  // namespace qm
