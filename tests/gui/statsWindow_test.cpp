#include <sys/resource.h>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <csignal>
#include <fstream>

#include "legRecordMaker.h"
#include "match/legFigures.h"
#include "match/x01Rules.h"
#include "stats/dartHistoryC.h"
#include "stats/legFile.h"
#include "ui/statsWindow.h"
#include "windowFixture.h"

using namespace qm;

namespace {

class statsWindowTest : public windowTest {
  protected:
    void SetUp() override {
        std::ofstream(store.iniPath()) << "[Players]\nAnn=0\nEmpty=0\nBroken=0\nShort=0\nNobody=0\n"
                                          "[AI]\nBot=40\n";
        windowTest::SetUp();
        stats = window->statisticsWindow();
    }
    void append(const std::string& name, const legRecordS& r) {
        appendRawRecord(dir / (name + ".dat"), r);
    }
    void choose(const char* box, const QString& name) {
        auto* combo = stats->findChild<QComboBox*>(QLatin1String(box));
        combo->setCurrentIndex(combo->findText(name));
        ASSERT_GE(combo->currentIndex(), 0) << name.toStdString();
        if (QLatin1String(box) == QLatin1String("ComboBox1")) {
            stats->ComboBox1Select();
        } else {
            stats->ComboBox2Select();
        }
        settle();
    }
    // The files are read on a worker; its reports arrive through the event loop.
    void settle() {
        ASSERT_TRUE(runUntil([this] { return !stats->isReading(); }));
    }
    QString figure(int label) const {
        return stats->findChild<QLabel*>(QStringLiteral("Label%1").arg(label))->text();
    }
    QDateEdit* picker(int n) const {
        return stats->findChild<QDateEdit*>(QStringLiteral("DateTimePicker%1").arg(n));
    }
    TForm4* stats = nullptr;
};

}  // namespace

TEST_F(statsWindowTest, OpensFromTheMenuWithBothListsAndNoFigures) {
    window->Statistics1Click();
    EXPECT_EQ(sounds.played, (std::vector<std::string>{"OPEN"}));
    ASSERT_TRUE(stats->isVisible());
    auto* humans = stats->findChild<QComboBox*>("ComboBox1");
    EXPECT_EQ(humans->count(), 5);
    EXPECT_EQ(humans->currentText(), "");
    EXPECT_EQ(humans->placeholderText(), "Human");
    EXPECT_EQ(stats->findChild<QComboBox*>("ComboBox2")->itemText(0), "Bot");
    EXPECT_EQ(figure(9), "-");
    EXPECT_FALSE(picker(1)->isEnabled());
    EXPECT_FALSE(stats->findChild<QPushButton*>("Button3")->isEnabled());
    stats->close();
    EXPECT_EQ(sounds.played.back(), "OPEN");
}

TEST_F(statsWindowTest, NineFiguresPickerRangeAndChart) {
    append("Ann", makeLeg({2026, 1, 2}, 501, 21, true, 40, 1));
    append("Ann", makeLeg({2026, 1, 3}, 420, 18));
    append("Ann", makeLeg({2026, 1, 4}, 501, 18, true, 121, 2));
    append("Ann", makeLeg({2026, 1, 5}, 301, 12, true, 60));
    append("Bot", makeLeg({2026, 1, 5}, 501, 24, true, 32));
    stats->show();
    choose("ComboBox1", "Ann");
    QStringList nine;
    for (int n = 9; n <= 17; ++n) {
        nine << figure(n);
    }
    EXPECT_EQ(nine, (QStringList{"24.97", "24.97", QString::asprintf("%.2f", 1303.0 / 51.0), "4",
                                 "3", "1", "3", "121", "18"}));
    EXPECT_EQ(stats->infoText(), "Loaded file: Ann.dat");
    EXPECT_EQ(picker(1)->minimumDate(), QDate(2026, 1, 2));
    EXPECT_EQ(picker(2)->maximumDate(), QDate(2026, 1, 5));
    EXPECT_EQ(picker(1)->date(), QDate(2026, 1, 2));
    EXPECT_EQ(picker(2)->date(), QDate(2026, 1, 5));
    ASSERT_TRUE(stats->chart().has_value());
    EXPECT_EQ(stats->chart()->xs.size(), 4u);

    // The chart's points are on the window, and stay there after a repaint.
    const auto& drawn = *stats->chart();
    QImage image = stats->grab().toImage();
    for (std::size_t i = 0; i < drawn.xs.size(); ++i) {
        EXPECT_EQ(image.pixelColor(drawn.xs[i], drawn.ys[i] - 2), QColor(255, 0, 0)) << i;
    }
    stats->update();
    QCoreApplication::processEvents();
    image = stats->grab().toImage();
    EXPECT_EQ(image.pixelColor(drawn.xs[0], drawn.ys[0] - 2), QColor(255, 0, 0));

    // A narrower range redraws the chart; the figures stay.
    picker(1)->setDate(QDate(2026, 1, 4));
    stats->Button3Click();
    settle();
    EXPECT_EQ(stats->chart()->xs.size(), 2u);
    EXPECT_EQ(figure(12), "4");

    choose("ComboBox2", "Bot");
    EXPECT_EQ(stats->findChild<QComboBox*>("ComboBox1")->currentIndex(), -1);
    EXPECT_EQ(figure(17), "24");
    EXPECT_EQ(figure(12), "1");
}

TEST_F(statsWindowTest, MissingEmptyCorruptAndShortFiles) {
    stats->show();
    choose("ComboBox1", "Nobody");
    EXPECT_EQ(stats->systemInfoText(), "File not found: Nobody.dat");
    EXPECT_EQ(stats->infoText(), "Failed to read statistics");
    EXPECT_EQ(figure(9), "-");
    EXPECT_EQ(sounds.played.back(), "INVALID");

    writeBytes(dir / "Empty.dat", {});
    choose("ComboBox1", "Empty");
    EXPECT_EQ(figure(9), "0.00");
    EXPECT_EQ(figure(17), "-");
    EXPECT_EQ(stats->infoText(), "No data found in statistics file");
    EXPECT_FALSE(stats->chart().has_value());

    append("Broken", makeLeg({2026, 1, 2}, 501, 21, true, 40));
    append("Broken", makeLeg({1899, 1, 2}, 501, 21, true, 40));
    choose("ComboBox1", "Broken");
    EXPECT_EQ(figure(9), "-");
    EXPECT_FALSE(picker(1)->isEnabled() || stats->findChild<QPushButton*>("Button3")->isEnabled());
    EXPECT_EQ(stats->systemInfoText(), "Warning: Data corrupted in: Broken.dat");
    EXPECT_EQ(stats->infoText(), "Failed to read statistics");

    append("Short", makeLeg({2026, 1, 2}, 501, 21, true, 40));
    append("Short", makeLeg({2026, 1, 3}, 301, 21, true, 40));
    auto bytes = readBytes(dir / "Short.dat");
    bytes.resize(40, 0);
    writeBytes(dir / "Short.dat", bytes);
    choose("ComboBox1", "Short");
    EXPECT_EQ(figure(9), "-");
    EXPECT_EQ(stats->findChild<QProgressBar*>("ProgressBar1")->maximum(), 2);
    EXPECT_EQ(stats->systemInfoText(), "Warning: Data corrupted in: Short.dat");
    EXPECT_FALSE(stats->chart().has_value());
}

TEST_F(statsWindowTest, OneRecordLimitsBothPickersToItsDay) {
    append("Ann", makeLeg({2026, 12, 5}, 501, 15, true, 100));
    stats->show();
    choose("ComboBox1", "Ann");
    EXPECT_EQ(picker(1)->minimumDate(), QDate(2026, 12, 5));
    EXPECT_EQ(picker(1)->maximumDate(), QDate(2026, 12, 5));
    EXPECT_EQ(picker(2)->date(), QDate(2026, 12, 5));
    ASSERT_TRUE(stats->chart().has_value());
    EXPECT_EQ(stats->chart()->xs[0], stats->chart()->x0);
    EXPECT_EQ(stats->chart()->ys[0], stats->chart()->y0 - 327);
}

TEST_F(statsWindowTest, ReopeningStartsCleanAndRestoringKeepsWhatIsShown) {
    for (int i = 0; i < 3; ++i) {
        append("Ann", makeLeg({2026, 1, 2 + i}, 501, 21, true, 40));
    }
    window->Statistics1Click();
    choose("ComboBox1", "Ann");
    ASSERT_TRUE(stats->chart().has_value());

    stats->showMinimized();
    stats->showNormal();
    EXPECT_TRUE(stats->chart().has_value());
    EXPECT_EQ(figure(12), "3");
    EXPECT_TRUE(picker(1)->isEnabled());
    EXPECT_EQ(stats->findChild<QComboBox*>("ComboBox1")->currentText(), "Ann");

    stats->close();
    window->Statistics1Click();
    EXPECT_FALSE(stats->chart().has_value());
    EXPECT_EQ(figure(12), "-");
    EXPECT_FALSE(stats->findChild<QPushButton*>("Button3")->isEnabled());
    EXPECT_FALSE(picker(1)->isEnabled() || picker(2)->isEnabled());

    // Screen readers list it as a window, by its title.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(stats);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Window);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Statistics");
}

TEST_F(statsWindowTest, EmptyFileStillBarAndTenDigitCountsFitTheirLabels) {
    writeBytes(dir / "Empty.dat", {});
    stats->show();
    choose("ComboBox1", "Empty");
    const auto* bar = stats->findChild<QProgressBar*>("ProgressBar1");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 1);  // 0..0 would be a busy indicator
    EXPECT_EQ(bar->value(), 0);
    // A 40 GiB file is counted in units that fit the bar's int; up to 2^31 - 1 bytes in bytes.
    constexpr std::int64_t fits = INT32_MAX;
    EXPECT_EQ(progressShift(0), 0);
    EXPECT_EQ(progressShift(fits), 0);
    EXPECT_EQ(progressShift(fits + 1), 1);
    EXPECT_EQ(progressShift(40LL << 30), 5);  // 40 GiB / 32 = 1.25 G units

    for (int label = 9; label <= 17; ++label) {
        auto* value = stats->findChild<QLabel*>(QStringLiteral("Label%1").arg(label));
        value->setText(QStringLiteral("1004118000"));
        EXPECT_LE(value->fontMetrics().horizontalAdvance(value->text()),
                  value->contentsRect().width())
            << label;
    }
}

TEST_F(statsWindowTest, ChartMenuExportsLegsAndTheChartAndReportsAFailedWrite) {
    append("Ann", makeLeg({2026, 1, 2}, 501, 18, true, 40, 1));
    append("Ann", makeLeg({2026, 1, 3}, 420, 21));
    stats->show();
    QAction* csv = stats->chartMenu()->findChild<QAction*>("ExportLegsCsv");
    QAction* png = stats->chartMenu()->findChild<QAction*>("SaveChartPng");
    EXPECT_FALSE(csv->isEnabled());  // no player, no chart
    choose("ComboBox1", "Ann");
    stats->chartMenu();
    ASSERT_TRUE(csv->isEnabled());
    ASSERT_TRUE(png->isEnabled());

    tempDir out;
    const auto path = [&out](const char* name) {
        return QString::fromStdString((out / name).string());
    };
    picker(2)->setDate(QDate(2026, 1, 2));  // the pickers' range, not the whole file
    prompts.saveAnswers = {path("ann")};    // the suffix is added
    csv->trigger();
    EXPECT_EQ(prompts.saveCaptions.back(), "Export legs as CSV");
    const std::string expected =
        "date,darts,points,won,180s,finish,ppd,first9,darts_at_double,doubles_hit\r\n"
        "2026-01-02,18,501,1,1,40,27.83,,,\r\n";
    auto bytes = readBytes(out / "ann.csv");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);
    EXPECT_EQ(stats->infoText(), "Exported legs to " + path("ann.csv"));
    EXPECT_TRUE(prompts.asked.empty());  // a new file: nothing to confirm

    // An existing file is replaced only when the user says so.
    writeBytes(out / "ann.csv", {'o', 'l', 'd'});
    prompts.saveAnswers = {path("ann.csv")};
    csv->trigger();
    EXPECT_EQ(prompts.asked.back(),
              path("ann.csv") + " already exists. Do you want to replace it?");
    EXPECT_EQ(readBytes(out / "ann.csv"), (std::vector<unsigned char>{'o', 'l', 'd'}));
    prompts.confirmAnswers = {true};
    prompts.saveAnswers = {path("ann.csv")};
    csv->trigger();
    bytes = readBytes(out / "ann.csv");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);

    prompts.saveAnswers = {path("chart")};
    png->trigger();
    const QImage saved(path("chart.png"));
    EXPECT_EQ(stats->infoText(), "Saved the chart to " + path("chart.png"));
    ASSERT_EQ(saved.size(), QSize(761, 377));  // the chart frame, as the window shows it
    const auto& drawn = *stats->chart();
    EXPECT_EQ(saved.pixelColor(drawn.xs[0] - TForm4::chartLeft, drawn.ys[0] - 2 - TForm4::chartTop),
              QColor(255, 0, 0));

    // The game's own files are never written: the history, the INI file, any other .dat.
    const auto history = readBytes(dir / "Ann.dat");
    const auto settings = readBytes(store.iniPath());
    for (QAction* action : {csv, png}) {
        for (const std::string target : {"Ann.dat", "quivermark.INI", "Other.DAT", "games.sqlite",
                                         "quivermark-darts.sqlite-wal", ".quivermark.INI.lock"}) {
            sounds.played.clear();
            prompts.confirmAnswers = {true, true};
            prompts.saveAnswers = {QString::fromStdString((dir / target).string())};
            action->trigger();
            EXPECT_EQ(stats->systemInfoText(),
                      "Not exported: " + QString::fromStdString((dir / target).string()) +
                          " is one of the game's own files (statistics or settings)");
            EXPECT_EQ(sounds.played, (std::vector<std::string>{"INVALID"}));
        }
    }
    EXPECT_EQ(readBytes(dir / "Ann.dat"), history);
    EXPECT_EQ(readBytes(store.iniPath()), settings);
    EXPECT_FALSE(std::filesystem::exists(dir / "Other.DAT"));
    prompts.saveAnswers = {QString::fromStdString((dir / "quivermark.csv").string())};
    csv->trigger();  // a file of the user's own beside them is written
    EXPECT_TRUE(std::filesystem::exists(dir / "quivermark.csv"));

    sounds.played.clear();
    const QString nowhere = path("missing/x.csv");
    prompts.saveAnswers = {nowhere};
    csv->trigger();
    EXPECT_TRUE(stats->systemInfoText().startsWith("Could not export to " + nowhere + ": "));
    EXPECT_EQ(sounds.played, (std::vector<std::string>{"INVALID"}));
    prompts.saveAnswers = {path("missing/x.png")};
    png->trigger();
    EXPECT_TRUE(stats->systemInfoText().startsWith("Could not save the chart to "));

    // A full disk (here, a file-size limit): the old file stays whole and no half file is left.
    struct rlimit before {};
    ::getrlimit(RLIMIT_FSIZE, &before);
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tight = before;
    tight.rlim_cur = 40;
    writeBytes(out / "full.csv", {'o', 'l', 'd'});
    prompts.confirmAnswers = {true};
    prompts.saveAnswers = {path("full.csv")};
    ::setrlimit(RLIMIT_FSIZE, &tight);
    csv->trigger();
    ::setrlimit(RLIMIT_FSIZE, &before);
    EXPECT_TRUE(stats->systemInfoText().startsWith("Could not export to " + path("full.csv")));
    EXPECT_EQ(readBytes(out / "full.csv"), (std::vector<unsigned char>{'o', 'l', 'd'}));
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(out.path())) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"ann.csv", "chart.png", "full.csv"}));

    prompts.saveAnswers = {QString()};  // cancelled: nothing written, nothing said
    csv->trigger();
    EXPECT_TRUE(stats->systemInfoText().startsWith("Could not export to "));
}

TEST_F(statsWindowTest, DartFiguresOfTheChartsRange) {
    append("Ann", makeLeg({2026, 1, 2}, 501, 21, true, 40, 1));
    append("Ann", makeLeg({2026, 1, 5}, 301, 12, true, 60));
    const auto dart = [](int visit, int order, int type, int number, int left) {
        dartRecordS d;
        d.visit = visit, d.order = order, d.type = type, d.number = number;
        d.remainingBefore = left;
        return d;
    };
    {
        dartHistoryC history(dir / dartHistoryFileName);
        // 40 on D20 at once; then a leg of three darts at 40, 20 and 10 that does not finish;
        // then a leg after the range.
        const auto kept = [](civilDate day, bool won, std::vector<dartRecordS> darts) {
            legDartsS leg{"Ann", day, 40, won, std::move(darts), {}, std::nullopt};
            leg.figures = legFigures(leg.darts);
            return std::vector<legDartsS>{leg};
        };
        ASSERT_TRUE(history.write(kept({2026, 1, 2}, true, {dart(1, 1, 2, 20, 40)})));
        ASSERT_TRUE(history.write(
            kept({2026, 1, 5}, false,
                 {dart(1, 1, 1, 20, 40), dart(1, 2, 1, 10, 20), dart(1, 3, 0, 0, 10)})));
        ASSERT_TRUE(history.write(kept({2026, 1, 6}, true, {dart(1, 1, 2, 20, 40)})));
    }
    stats->show();
    const auto shown = [this] {
        return stats->findChild<QLabel*>(QStringLiteral("DartFigures"))->text();
    };
    EXPECT_EQ(shown(), "");
    choose("ComboBox1", "Ann");
    EXPECT_EQ(shown(), "First 9 75.00 (2 legs)\nCheckout 25.0% (1/4)");
    // Two lines in the small type that fits them beneath the player boxes.
    EXPECT_EQ(stats->findChild<QLabel*>(QStringLiteral("DartFigures"))->font().pixelSize(), 10);
    picker(1)->setDate(QDate(2026, 1, 3));
    stats->Button3Click();
    EXPECT_FALSE(stats->chart().has_value());  // the old chart goes while the new one is read
    settle();
    EXPECT_EQ(shown(), "First 9 30.00 (1 leg)\nCheckout 0.0% (0/3)");
    EXPECT_TRUE(stats->findChild<QLabel*>(QStringLiteral("DartFigures"))
                    ->toolTip()
                    .startsWith("1 leg with every dart known, from 03-01-2026 to 05-01-2026"));
    // A history the window cannot read says so and the nine figures stay.
    std::filesystem::remove(dir / dartHistoryFileName);
    std::filesystem::create_directory(dir / dartHistoryFileName);
    stats->Button3Click();
    settle();
    EXPECT_EQ(shown(), "No dart figures");
    EXPECT_EQ(figure(12), "2");
}
