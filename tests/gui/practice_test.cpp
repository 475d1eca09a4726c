// Practice in the window: the dialog, Bob's 27 clicked on the board, and a human against a
// computer to the drill's end, with the rows kept in the dart history.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

#include "stats/dartHistoryC.h"
#include "ui/boardWidget.h"
#include "ui/practiceDialog.h"
#include "windowFixture.h"

using namespace qm;

namespace {

class practiceTest : public windowTest {
  protected:
    void click(int type, int number) {
        const windowPointS at = boardWidget::boardToWindow(vBoard.getCoordinates(type, number));
        auto* board = find<QWidget>("Board");
        QTest::mouseClick(board, Qt::LeftButton, {},
                          QPoint(static_cast<int>(at.x), static_cast<int>(at.y)) - board->pos());
    }
    std::vector<drillRecordS> kept(const std::string& player) {
        dartHistoryC history(dir / dartHistoryFileName, dartHistoryC::mode::readOnly);
        return history.drillsOf(player, static_cast<int>(drillKind::bobs27), {2026, 1, 1},
                                {2026, 12, 31}, true);
    }
};

}  // namespace

TEST_F(practiceTest, TheDialogStartsADrillOfKnownPlayers) {
    ASSERT_TRUE(store.addComputerPlayer("Bot", 45).ok);
    window->findChild<QAction*>(QStringLiteral("Practice1"))->trigger();
    auto* dialog = window->practiceChooser();
    ASSERT_TRUE(dialog->isVisible());
    dialog->findChild<QComboBox*>("PracticeDrill")->setCurrentIndex(1);  // Bob's 27
    dialog->findChild<QSpinBox*>("PracticePlayers")->setValue(2);
    auto* second = dialog->findChild<QComboBox*>("PracticeName2");
    second->setCurrentIndex(second->findText("Bot"));
    EXPECT_TRUE(dialog->findChild<QCheckBox*>("PracticeComputer2")->isChecked());
    EXPECT_EQ(dialog->findChild<QSpinBox*>("PracticeStrength2")->value(), 45);
    auto* first = dialog->findChild<QComboBox*>("PracticeName1");
    first->setCurrentIndex(first->findText("Bot"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("PracticeStart"), Qt::LeftButton);
    EXPECT_EQ(dialog->findChild<QLabel*>("PracticeProblem")->text(), "Bot is chosen twice");
    EXPECT_EQ(window->practice(), nullptr);
    dialog->findChild<QSpinBox*>("PracticePlayers")->setValue(1);
    QTest::mouseClick(dialog->findChild<QPushButton*>("PracticeStart"), Qt::LeftButton);
    ASSERT_NE(window->practice(), nullptr);
    EXPECT_EQ(window->practice()->drill(0).setup().kind, drillKind::bobs27);
    EXPECT_TRUE(window->practice()->player(0).computer);
    window->findChild<QAction*>(QStringLiteral("Start1"))->trigger();  // no match meanwhile
    EXPECT_EQ(window->game(), nullptr);
}

TEST_F(practiceTest, BobsTwentySevenClickedAgainstAComputerToTheEnd) {
    auto s = humans();
    s.speedMode = true;
    window->transferSettings(s, false);
    window->startPractice({{drillKind::bobs27}, {{"Ann"}, {"Bot", true, 60}}});
    EXPECT_EQ(text("Practice11"), "* Ann");
    // Ann: D1, a miss beside the board's edge and D1 again: 31 points.
    click(2, 1);
    QTest::keyClicks(find<QLineEdit>("DartsEdit"), "Miss D1");
    QTest::keyClick(find<QLineEdit>("DartsEdit"), Qt::Key_Return);
    EXPECT_EQ(window->practice()->drill(0).score().value, 31);
    EXPECT_EQ(text("Practice13"), "31 points");
    EXPECT_EQ(text("Practice21"), "* Bot [ai]");
    ASSERT_TRUE(runUntil([this] { return window->practice()->toThrow() == 0; }));
    // Then five rounds missed, D2 to D6: 31 - 4 - 6 - 8 - 10 = 3 after D5, and -9 after D6.
    for (int round = 2; round <= 6; ++round) {
        for (int dart = 0; dart < 3; ++dart) {
            click(1, 20);
        }
        if (round < 6) {
            ASSERT_TRUE(runUntil([this] { return window->practice()->toThrow() == 0; }));
        }
    }
    EXPECT_EQ(text("Practice13"), "Lost in round 6");
    ASSERT_TRUE(runUntil([this] { return window->practice()->gameOver(); }));
    const auto ann = kept("Ann");
    ASSERT_EQ(ann.size(), 1u);
    EXPECT_TRUE(ann[0].finished);
    EXPECT_EQ(ann[0].score, -9.0);
    EXPECT_EQ(ann[0].darts, 18);
    EXPECT_EQ(ann[0].thrown[0].targetNumber, 1);
    EXPECT_TRUE(ann[0].thrown[0].point.has_value());   // clicked
    EXPECT_FALSE(ann[0].thrown[1].point.has_value());  // typed
    EXPECT_EQ(ann[0].thrown[1].type, 0);
    const auto bot = kept("Bot");
    ASSERT_EQ(bot.size(), 1u);
    EXPECT_EQ(bot[0].score, window->practice()->drill(1).score().value);
    EXPECT_TRUE(bot[0].thrown.back().point.has_value());
    EXPECT_EQ(sounds.played.back(), "WON");
}
