// The statistics window's dart figures: the first-9 average and the checkout percentage of the
// chosen player's legs in the chart's date range, from the dart history, under the player
// lists. Legs without dart detail (typed totals, older history) are simply not in them.
#include <QFontMetrics>
#include <QLabel>

#include "stats/dartHistoryC.h"
#include "ui/countText.h"
#include "ui/statsWindow.h"

namespace qm {

namespace {

civilDate civilOf(const QDate& date) {
    return {date.year(), date.month(), date.day()};
}

}  // namespace

dartFiguresReadS readDartFigures(const std::filesystem::path& dataDir, const std::string& player,
                                 QDate from, QDate to) {
    dartHistoryC history(dataDir / dartHistoryFileName, dartHistoryC::mode::readOnly);
    dartFiguresReadS read{history.figures(player, civilOf(from), civilOf(to)), {}, from, to};
    if (!read.figures) {
        read.problem = history.problem();
    }
    return read;
}

void TForm4::buildDartFigures() {
    dartFigures_ = new QLabel(this);
    dartFigures_->setObjectName(QStringLiteral("DartFigures"));
    dartFigures_->setGeometry(16, 110, 148, 36);
    QFont small = dartFigures_->font();
    small.setPixelSize(10);
    dartFigures_->setFont(small);
    dartFigures_->setAccessibleName(QStringLiteral("Dart figures"));
}

void TForm4::showDartFigures(const dartFiguresReadS& read) {
    if (!read.figures) {
        dartFigures_->setText(read.problem.empty() ? QString() : QStringLiteral("No dart figures"));
        dartFigures_->setToolTip(QString::fromStdString(read.problem));
        dartFigures_->setAccessibleDescription(dartFigures_->toolTip());
        return;
    }
    const dartFiguresS& f = *read.figures;
    // Two lines in the room beside the chart's pickers; the tooltip has them whole.
    const QFontMetrics metrics(dartFigures_->font());
    const auto fitted = [&](const QString& line) {
        return metrics.elidedText(line, Qt::ElideRight, dartFigures_->width());
    };
    dartFigures_->setText(
        fitted(QStringLiteral("First 9 %1 (%2)")
                   .arg(QString::fromStdString(first9Text(f)), legsText(f.legs))) +
        QLatin1Char('\n') +
        fitted(QStringLiteral("Checkout %1").arg(QString::fromStdString(checkoutText(f)))));
    const QString format = QStringLiteral("dd-MM-yyyy");
    dartFigures_->setToolTip(
        QStringLiteral("%1 with every dart known, from %2 to %3: first-9 average %4, "
                       "checkout %5 (doubles hit per dart at a double), highest checkout %6")
            .arg(legsText(f.legs))
            .arg(read.from.toString(format), read.to.toString(format),
                 QString::fromStdString(first9Text(f)), QString::fromStdString(checkoutText(f)))
            .arg(f.highestCheckout));
    dartFigures_->setAccessibleDescription(dartFigures_->text() + QLatin1Char('\n') +
                                           dartFigures_->toolTip());
}

}  // namespace qm
