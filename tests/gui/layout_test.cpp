// Where the windows' controls stand and what their captions say: the places, sizes and texts
// the windows have always had.
#include <QAction>
#include <QLineEdit>
#include <QWidget>

#include "ui/practiceView.h"
#include "ui/statsWindow.h"
#include "windowFixture.h"

using namespace qm;

TEST_F(windowTest, ControlsStandWhereTheyAlwaysHaveWithTheirCaptions) {
    struct placeS {
        QWidget* top;
        std::string name;
        QRect at;
        const char* text = nullptr;  // nullptr: a text of the moment, not a caption
    };
    QWidget* w = window.get();
    QWidget* stats = window->statisticsWindow();
    window->findChild<QAction*>(QStringLiteral("PracticeStatistics1"))->trigger();
    QWidget* practice = window->statisticsWindow()->practicePage();
    std::vector<placeS> places{
        {w, "Board", {341, 10, 357, 357}, nullptr},
        {w, "Panel1", {360, 388, 212, 82}, nullptr},
        {w, "Panel2", {577, 388, 100, 60}, nullptr},
        {w, "MaskEdit1", {25, 558, 120, 24}, "Game/start"},
        {w, "PageControl1", {300, 474, 378, 116}, nullptr},
        {w, "CheckoutHint", {152, 558, 144, 24}, nullptr},
        {w, "MatchOdds", {12, 476, 284, 20}, nullptr},
        {w, "VisitDarts", {12, 498, 284, 22}, nullptr},
        {w, "DartsEdit", {152, 530, 144, 24}, ""},
        {w, "Label9", {8, 2, 300, 18}, nullptr},
        {w, "Label10", {210, 22, 40, 18}, "Sets"},
        {w, "Label11", {250, 22, 40, 18}, "Legs"},
        {w, "Label26", {4, 2, 120, 18}, "Statistics"},
        {w, "Label27", {140, 22, 44, 18}, "PPD"},
        {w, "Label28", {190, 22, 44, 18}, "100+"},
        {w, "Label29", {225, 22, 44, 18}, "120+"},
        {w, "Label30", {260, 22, 44, 18}, "140+"},
        {w, "Label31", {295, 22, 44, 18}, "180"},
        {w, "Label32", {328, 22, 44, 18}, "Finish"},
        {stats, "ComboBox1", {16, 48, 140, 24}, nullptr},
        {stats, "ComboBox2", {16, 82, 140, 24}, nullptr},
        {stats, "Label20", {16, 152, 40, 22}, "From:"},
        {stats, "DateTimePicker1", {56, 150, 110, 26}, nullptr},
        {stats, "Label21", {180, 152, 26, 22}, "To:"},
        {stats, "DateTimePicker2", {206, 150, 110, 26}, nullptr},
        {stats, "Button3", {330, 150, 100, 26}, "PPD Chart"},
        {stats, "ProgressBar1", {444, 152, 220, 22}, nullptr},
        {stats, "Button1", {680, 150, 97, 26}, "Close"},
        {stats, "StatusBar1", {0, stats->height() - 22, stats->width(), 22}},
        {practice, "PracticeViewPlayer", {16, 16, 160, 24}},
        {practice, "PracticeViewDrill", {190, 16, 160, 24}},
        {practice, "PracticeViewVariant", {364, 16, 160, 24}},
        {practice, "PracticeViewFrom", {538, 16, 110, 24}},
        {practice, "PracticeViewTo", {662, 16, 110, 24}},
        {practice, "PracticeViewSummary", {16, 56, 760, 48}},
    };
    // Each player's row, player 2 one row (or one column) on: the labels are numbered in pairs.
    const int columns[] = {140, 190, 225, 260, 295, 328};
    for (int p = 0; p < 2; ++p) {
        const auto label = [p](int first) { return "Label" + std::to_string(first + p); };
        const int y = 42 + 20 * p;
        for (const placeS& one : std::vector<placeS>{
                 {w, "ListBox" + std::to_string(1 + p), {22 + 144 * p, 30, 117, 389}, nullptr},
                 {w, label(1), {22 + 144 * p, 2, 117, 16}, nullptr},
                 {w, label(47), {12 + 144 * p, 432, 137, 40}, nullptr},
                 {w, label(22), {4, y, 12, 18}, nullptr},
                 {w, label(12), {16, y, 190, 18}, nullptr},
                 {w, label(14), {210, y, 36, 18}, nullptr},
                 {w, label(16), {250, y, 36, 18}, nullptr},
                 {w, label(18), {290, y, 40, 18}, nullptr},
                 {w, label(20), {332, y, 40, 18}, nullptr},
                 {w, label(33), {4, y, 134, 18}, nullptr}}) {
            places.push_back(one);
        }
        for (int c = 0; c < 6; ++c) {
            places.push_back({w, label(35 + 2 * c), {columns[c], y, 44, 18}, nullptr});
        }
        const int dartColumns[] = {140, 190, 290, 340};
        const int dartWidths[] = {48, 98, 48, 34};
        const char* dartHeads[] = {"First 9", "Checkout", "At double", "Legs"};
        for (int c = 0; c < 4; ++c) {
            const std::string at = std::to_string(c + 1);
            places.push_back({w,
                              "DartFigure" + std::to_string(p + 1) + at,
                              {dartColumns[c], y, dartWidths[c], 18}});
            places.push_back(
                {w, "DartHead" + at, {dartColumns[c], 22, dartWidths[c], 18}, dartHeads[c]});
        }
    }
    // The practice tab's rows: name, progress and score.
    places.push_back({w, "PracticeDrillName", {4, 2, 360, 16}});
    const int practiceColumns[] = {4, 120, 270};
    const int practiceWidths[] = {114, 148, 100};
    for (int row = 0; row < 4; ++row) {
        for (int c = 0; c < 3; ++c) {
            places.push_back({w,
                              "Practice" + std::to_string(row + 1) + std::to_string(c + 1),
                              {practiceColumns[c], 18 + 16 * row, practiceWidths[c], 16}});
        }
    }
    // The statistics window's three frames of three captions each.
    const char* captions[] = {"PPD (overall)",   "PPD (last 10 legs)", "PPD (last 10 legs won)",
                              "Legs played",     "Legs  won",          "Legs lost",
                              "Number of 180's", "Best finish",        "Best leg (501 in X darts)"};
    const int captionNumbers[] = {1, 2, 3, 4, 5, 6, 7, 8, 18};
    for (int f = 0; f < 3; ++f) {
        places.push_back(
            {stats, "Bevel" + std::to_string(f + 1), {168 + 208 * f, 42, f == 2 ? 193 : 200, 100}});
        for (int r = 0; r < 3; ++r) {
            places.push_back({stats,
                              "Label" + std::to_string(captionNumbers[3 * f + r]),
                              {174 + 208 * f, 50 + 30 * r, 150, 20},
                              captions[3 * f + r]});
        }
    }
    EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("DartsEdit"))->placeholderText(),
              "Darts: T20 T19 D12");
    for (const char* big : {"Label47", "Label48"}) {  // the score left, large beneath the lists
        const QFont font = w->findChild<QWidget*>(QLatin1String(big))->font();
        EXPECT_EQ(std::pair(font.pixelSize(), font.bold()), std::pair(30, true)) << big;
    }
    for (const placeS& p : places) {
        const auto* control = p.top->findChild<QWidget*>(QString::fromStdString(p.name));
        ASSERT_NE(control, nullptr) << p.name;
        EXPECT_EQ(control->geometry(), p.at) << p.name;
        if (p.text != nullptr) {
            EXPECT_EQ(control->property("text").toString(), QLatin1String(p.text)) << p.name;
        }
    }
}
