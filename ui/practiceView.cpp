#include "ui/practiceView.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <map>

#include "settings/settingsStoreC.h"
#include "stats/dartHistoryC.h"
#include "ui/countText.h"
#include "ui/jsonLines.h"
#include "ui/practiceDialog.h"
#include "ui/statsWindow.h"

namespace qm {

namespace {

using meansTable = std::map<std::pair<std::string, int>, strengthAverages>;

meansTable readMeans() {
    meansTable table;
    forEachJsonLine(QStringLiteral(":/data/drill-means.jsonl"), [&](const QJsonObject& row) {
        const int strength = row.value(QStringLiteral("strength")).toInt(-1);
        const QJsonValue mean = row.value(QStringLiteral("mean"));
        if (strength >= minStrength && strength <= maxStrength && mean.isDouble()) {
            const std::pair key{row.value(QStringLiteral("drill")).toString().toStdString(),
                                row.value(QStringLiteral("variant")).toInt()};
            table[key][static_cast<std::size_t>(strength)] = mean.toDouble();
        }
    });
    return table;
}

}  // namespace

const strengthAverages& drillMeans(drillKind kind, int variant) {
    static const meansTable table = readMeans();
    static const strengthAverages none{};
    const auto found = table.find({drillId(kind), variant});
    return found == table.end() ? none : found->second;
}

practiceSummaryS summarisePractice(const std::vector<drillRecordS>& drills, drillKind kind,
                                   int variant) {
    practiceSummaryS summary;
    double sum = 0.0;
    // Around the Clock counts darts: fewer is better.
    const bool fewer = kind == drillKind::aroundTheClock;
    for (const drillRecordS& d : drills) {
        if (!d.finished) {
            continue;  // an abandoned drill has no result
        }
        summary.best = summary.results == 0 ? d.score
                       : fewer              ? std::min(summary.best, d.score)
                                            : std::max(summary.best, d.score);
        sum += d.score;
        ++summary.results;
    }
    if (summary.results > 0) {
        summary.average = sum / static_cast<double>(summary.results);
        const strengthAverages& means = drillMeans(kind, variant);
        if (std::any_of(means.begin(), means.end(), [](const auto& m) { return m.has_value(); })) {
            summary.strength = nearestStrength(summary.average, means);
        }
    }
    return summary;
}

practiceView::practiceView(const settingsStoreC& store, std::filesystem::path dataDir,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store), dataDir_(std::move(dataDir)) {
    setObjectName(QStringLiteral("PracticeView"));
    setWindowTitle(QStringLiteral("Practice"));
    setFixedSize(793, 520);
    player_ = new QComboBox(this);
    player_->setObjectName(QStringLiteral("PracticeViewPlayer"));
    player_->setAccessibleName(QStringLiteral("Player"));
    player_->setGeometry(16, 16, 160, 24);
    drill_ = new QComboBox(this);
    drill_->setObjectName(QStringLiteral("PracticeViewDrill"));
    drill_->setAccessibleName(QStringLiteral("Drill"));
    drill_->setGeometry(190, 16, 160, 24);
    for (const drillKind kind : drillKinds) {
        drill_->addItem(QString::fromUtf8(drillName(kind)));
    }
    variant_ = new QComboBox(this);
    variant_->setObjectName(QStringLiteral("PracticeViewVariant"));
    variant_->setAccessibleName(QStringLiteral("Variant or target"));
    variant_->setGeometry(364, 16, 160, 24);
    from_ = new QDateEdit(QDate::currentDate().addYears(-1), this);
    from_->setObjectName(QStringLiteral("PracticeViewFrom"));
    from_->setGeometry(538, 16, 110, 24);
    to_ = new QDateEdit(QDate::currentDate(), this);
    to_->setObjectName(QStringLiteral("PracticeViewTo"));
    to_->setGeometry(662, 16, 110, 24);
    for (QDateEdit* edit : {from_, to_}) {
        edit->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
        edit->setCalendarPopup(true);
        connect(edit, &QDateEdit::dateChanged, this, &practiceView::refresh);
    }
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("PracticeViewSummary"));
    summary_->setGeometry(16, 56, 760, 48);
    summary_->setWordWrap(true);
    connect(player_, &QComboBox::currentIndexChanged, this, &practiceView::refresh);
    connect(drill_, &QComboBox::currentIndexChanged, this, &practiceView::drillChanged);
    connect(variant_, &QComboBox::currentIndexChanged, this, &practiceView::refresh);
    refreshPlayers();
    drillChanged();
}

void practiceView::refreshPlayers() {
    const playerListsS lists = store_.readPlayerLists();
    const QString was = player_->currentText();
    player_->blockSignals(true);
    player_->clear();
    for (const auto* names : {&lists.humans, &lists.computers}) {
        for (const std::string& name : *names) {
            player_->addItem(QString::fromStdString(name));
        }
    }
    player_->setCurrentIndex(std::max(0, player_->findText(was)));
    player_->blockSignals(false);
}

void practiceView::drillChanged() {
    const drillKind kind =
        drillKinds.at(static_cast<std::size_t>(std::max(0, drill_->currentIndex())));
    variant_->blockSignals(true);
    variant_->clear();
    for (const auto& [text, value] : drillVariants(kind)) {
        variant_->addItem(text, value);
    }
    variant_->setEnabled(variant_->count() > 0);
    variant_->blockSignals(false);
    refresh();
}

void practiceView::refresh() {
    chart_.reset();
    const drillKind kind =
        drillKinds.at(static_cast<std::size_t>(std::max(0, drill_->currentIndex())));
    const int variant = variant_->count() > 0 ? variant_->currentData().toInt() : 0;
    const std::string player = player_->currentText().toStdString();
    const QDate from = from_->date();
    const QDate to = to_->date();
    std::vector<drillRecordS> drills;
    if (!player.empty()) {
        dartHistoryC history(dataDir_ / dartHistoryFileName, dartHistoryC::mode::readOnly);
        for (drillRecordS& d : history.drillsOf(player, static_cast<std::int32_t>(kind),
                                                {from.year(), from.month(), from.day()},
                                                {to.year(), to.month(), to.day()})) {
            if (d.variant == variant) {
                drills.push_back(std::move(d));
            }
        }
    }
    const practiceSummaryS s = summarisePractice(drills, kind, variant);
    if (s.results == 0) {
        summary_->setText(
            QStringLiteral("No %1 results in these days").arg(QString::fromUtf8(drillName(kind))));
        update();
        return;
    }
    summary_->setText(
        QStringLiteral("%1: best %2, average %3%4")
            .arg(countText(static_cast<long long>(s.results), QStringLiteral("result"),
                           QStringLiteral("results")))
            .arg(s.best, 0, 'f', kind == drillKind::doubles || kind == drillKind::scoring ? 2 : 0)
            .arg(s.average, 0, 'f', 2)
            .arg(s.strength ? QString::fromUtf8(" (\u2248 strength %1)").arg(*s.strength)
                            : QString()));
    std::vector<double> series;
    for (const drillRecordS& d : drills) {
        if (d.finished) {
            series.push_back(std::max(0.0, d.score));  // a lost Bob's 27 sits on the axis
        }
    }
    chart_ = layoutPpdChart(series, chartLeft, chartTop);
    chartStart_ = from;
    chartEnd_ = to;
    update();
}

void practiceView::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (chart_) {
        QPainter painter(this);
        paintSeriesChart(painter, *chart_, QStringLiteral("score"), chartStart_, chartEnd_, font(),
                         palette().button());
    }
}

}  // namespace qm
