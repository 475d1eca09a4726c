// Where the windows' controls stand: the places and sizes the windows have always had.
#include <QWidget>

#include "ui/statsWindow.h"
#include "windowFixture.h"

using namespace qm;

TEST_F(windowTest, ControlsStandWhereTheyAlwaysHave) {
    struct placeS {
        QWidget* top;
        const char* name;
        QRect at;
    };
    QWidget* stats = window->statisticsWindow();
    const std::vector<placeS> places{
        {window.get(), "Panel1", {360, 388, 212, 82}},
        {window.get(), "Panel2", {577, 388, 100, 60}},
        {window.get(), "MaskEdit1", {25, 558, 120, 24}},
        {window.get(), "PageControl1", {300, 474, 378, 116}},
        {window.get(), "CheckoutHint", {152, 558, 144, 24}},
        {window.get(), "MatchOdds", {12, 476, 284, 20}},
        {window.get(), "VisitDarts", {12, 498, 284, 22}},
        {window.get(), "DartsEdit", {152, 530, 144, 24}},
        {stats, "ComboBox1", {16, 48, 140, 24}},
        {stats, "ComboBox2", {16, 82, 140, 24}},
        {stats, "Label20", {16, 152, 40, 22}},
        {stats, "DateTimePicker1", {56, 150, 110, 26}},
        {stats, "Label21", {180, 152, 26, 22}},
        {stats, "DateTimePicker2", {206, 150, 110, 26}},
        {stats, "Button3", {330, 150, 100, 26}},
        {stats, "ProgressBar1", {444, 152, 220, 22}},
        {stats, "Button1", {680, 150, 97, 26}},
    };
    for (const placeS& p : places) {
        const auto* control = p.top->findChild<QWidget*>(QLatin1String(p.name));
        ASSERT_NE(control, nullptr) << p.name;
        EXPECT_EQ(control->geometry(), p.at) << p.name;
    }
}
