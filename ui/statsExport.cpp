// The statistics window's chart menu: the chosen player's legs as CSV, and the chart as a PNG.
#include <QAction>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
#include <sstream>

#include "settings/settingsStoreC.h"
#include "stats/dartHistoryC.h"
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

std::optional<QString> TForm4::askExportFile(const QString& caption, const QString& fileName,
                                             const QString& filter, const QString& suffix) {
    // Exports go where the user keeps documents, never by default into the game's own folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    QString file = prompts_.askSaveFileName(this, caption, QDir(folder).filePath(fileName), filter);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    if (QFileInfo(file).suffix().isEmpty()) {
        file += QLatin1Char('.') + suffix;
    }
    if (isKeptByTheGame(file)) {
        refuseExport("Not exported: " + file.toStdString() +
                     " is one of the game's own files (statistics or settings)");
        return std::nullopt;
    }
    if (QFileInfo::exists(file) &&
        !prompts_.confirm(this, QStringLiteral("%1 already exists. Do you want to replace it?")
                                    .arg(QDir::toNativeSeparators(file)))) {
        return std::nullopt;
    }
    return file;
}

bool TForm4::isKeptByTheGame(const QString& file) const {
    // Through links too: what matters is the file that would be written.
    std::error_code error;
    const std::filesystem::path target =
        std::filesystem::weakly_canonical(file.toStdString(), error);
    const std::filesystem::path dataFolder = std::filesystem::weakly_canonical(dataDir_, error);
    const std::filesystem::path ini = std::filesystem::weakly_canonical(store_.iniPath(), error);
    if (target == ini) {
        return true;
    }
    if (target.parent_path() != dataFolder) {
        return false;
    }
    // In the data folder: the histories, the INI file with its lock and temporaries, and any
    // database the game keeps there.
    const QString suffix = QString::fromStdString(target.extension().string()).toLower();
    const std::string name = target.filename().string();
    const std::string iniName = ini.filename().string();
    return suffix == QLatin1String(".dat") || suffix == QLatin1String(".db") ||
           suffix == QLatin1String(".sqlite") || suffix == QLatin1String(".sqlite3") ||
           name == iniName || name.rfind("." + iniName, 0) == 0 ||
           name.rfind(dartHistoryFileName, 0) == 0;  // its write-ahead log and shared memory
}

void TForm4::refuseExport(const std::string& message) {
    sounds_.play("INVALID");
    showSystemInfo(message);
}

bool TForm4::saveWhole(const QString& file, const QByteArray& bytes, const std::string& failure) {
    // QSaveFile writes beside the target and renames over it: a failed or interrupted export
    // leaves the old file as it was and no half file. Unbuffered, so that a short write (a
    // full disk) is seen here: a buffered QSaveFile commits a truncated file as a success.
    QSaveFile out(file);
    bool written = out.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    for (qint64 done = 0; written && done < bytes.size();) {
        const qint64 n = out.write(bytes.constData() + done, bytes.size() - done);
        written = n > 0;
        done += std::max<qint64>(n, 0);
    }
    if (written && out.commit()) {
        return true;
    }
    const QString why = out.errorString();
    out.cancelWriting();
    refuseExport(failure + file.toStdString() + (why.isEmpty() ? "" : ": " + why.toStdString()));
    return false;
}

void TForm4::exportLegsCsv() {
    const auto file = askExportFile(QStringLiteral("Export legs as CSV"),
                                    playerName + QStringLiteral("-legs.csv"),
                                    QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"));
    if (!file) {
        return;
    }
    std::ostringstream text;
    std::string note;
    const std::string problem =
        writeLegsCsv(dataDir_, playerName.toStdString(), dayOf(DateTimePicker1->date()),
                     dayOf(DateTimePicker2->date()), text, &note);
    if (!problem.empty()) {
        refuseExport("Could not export to " + file->toStdString() + ": " + problem);
        return;
    }
    if (saveWhole(*file, QByteArray::fromStdString(text.str()), "Could not export to ")) {
        showInfo("Exported legs to " + file->toStdString() +
                 (note.empty() ? "" : " (" + note + ")"));
    }
}

void TForm4::saveChartPng() {
    const auto file = askExportFile(QStringLiteral("Save chart as PNG"),
                                    playerName + QStringLiteral("-ppd-chart.png"),
                                    QStringLiteral("PNG images (*.png)"), QStringLiteral("png"));
    if (!file) {
        return;
    }
    // The chart area exactly as the window draws it, frame included.
    const QPixmap picture =
        grab(QRect(chartLeft, chartTop, ppdChartS::frameWidth, ppdChartS::frameHeight));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) {
        refuseExport("Could not save the chart to " + file->toStdString());
        return;
    }
    if (saveWhole(*file, png, "Could not save the chart to ")) {
        showInfo("Saved the chart to " + file->toStdString());
    }
}

}  // namespace qm
