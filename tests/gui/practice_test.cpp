// Practice in the window: the dialog, Bob's 27 clicked on the board, and a human against a
// computer to the drill's end, with the rows kept in the dart history.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QSpinBox>

#include "stats/dartHistoryC.h"
#include "ui/practiceDialog.h"
#include "ui/practicePanel.h"
#include "ui/practiceView.h"
#include "ui/statsWindow.h"
#include "windowFixture.h"

using namespace qm;

namespace {

class practiceTest : public windowTest {
  protected:
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
    QStringList drills;
    for (int i = 0; i < dialog->findChild<QComboBox*>("PracticeDrill")->count(); ++i) {
        drills << dialog->findChild<QComboBox*>("PracticeDrill")->itemText(i);
    }
    EXPECT_EQ(drills, QStringList({"Around the Clock", "Bob's 27", "Checkout 121", "Doubles",
                                   "Scoring", "Finishes"}));
    dialog->findChild<QComboBox*>("PracticeDrill")->setCurrentIndex(1);  // Bob's 27
    dialog->findChild<QSpinBox*>("PracticePlayers")->setValue(2);
    auto* second = dialog->findChild<QComboBox*>("PracticeName2");
    EXPECT_EQ(second->currentText(), "Bot");  // past the known players: the last of them
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
    const practiceC* running = window->practice();  // nor a second drill
    window->startPractice({{drillKind::scoring}, {{"Bot", true, 45}}});
    EXPECT_EQ(window->practice(), running);
    EXPECT_EQ(window->practice()->drill(0).setup().kind, drillKind::bobs27);
}

TEST_F(practiceTest, BobsTwentySevenClickedAgainstAComputerToTheEnd) {
    auto s = humans();
    s.speedMode = true;
    window->transferSettings(s, false);
    window->startPractice({{drillKind::bobs27}, {{"Ann"}, {"Bot", true, 60}}});
    EXPECT_EQ(text("Practice11"), "* Ann");
    QTest::keyClick(field(), Qt::Key_Return);  // the score field takes no visit in a drill
    EXPECT_EQ(message(), "In a drill, enter each dart: click the board or type T20 D16");
    QTest::keyClick(field(), Qt::Key_5);
    EXPECT_EQ(message(), "Game not started yet, go to menu Game/Start");
    window->Redo1Click();  // nothing yet to bring back
    EXPECT_EQ(message(), "Nothing to redo, enter your darts");
    // Ann: D1, a miss beside the board's edge and D1 again: 31 points.
    click(2, 1);
    QTest::keyClicks(find<QLineEdit>("DartsEdit"), "Miss D1");
    QTest::keyClick(find<QLineEdit>("DartsEdit"), Qt::Key_Return);
    EXPECT_EQ(window->practice()->drill(0).score().value, 31);
    EXPECT_EQ(text("Practice12") + ", " + text("Practice13"), "Round D2, 31 points");
    EXPECT_EQ(find<QLineEdit>("DartsEdit")->text(), "");  // the line taken
    EXPECT_EQ(text("Practice21"), "* Bot [ai]");
    EXPECT_EQ(text("StatusBar1Panel1"), "Bot");  // whose visit it is now
    ASSERT_NE(timer("practiceTimer"), nullptr);
    EXPECT_TRUE(timer("practiceTimer")->isActive());  // the computer's darts come paced
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

// What the practice tab says of each drill part-way: where it stands, and its score so far.
TEST(PracticeTexts, EachDrillSaysItsProgressAndScore) {
    const std::vector<std::tuple<drillSetupS, std::vector<dartS>, const char*, const char*>> drills{
        {{drillKind::aroundTheClock}, {{1, 1}, {2, 2}}, "Next: 3", "2 darts"},
        {{drillKind::aroundTheClock}, {{1, 1}}, "Next: 2", "1 dart"},
        {{drillKind::checkout121}, {{3, 20}}, "121: 61 left, 8 darts", "Highest 0, 0 of 10"},
        {{drillKind::doubles, 20}, {{2, 20}, {1, 20}}, "D20: 2 of 30 darts", "50.0% hit"},
        {{drillKind::scoring, 20}, {{3, 20}, {1, 20}}, "T20: 2 of 99 darts", "120.00 average"},
        {{drillKind::finishes}, {}, nullptr, "0 of 10 made"}};
    for (const auto& [setup, darts, progress, score] : drills) {
        drillC drill(setup);
        for (const dartS& dart : darts) {
            drill.dart(dart);
        }
        if (progress != nullptr) {
            EXPECT_EQ(drillProgressText(drill), progress);
        }
        EXPECT_EQ(drillScoreText(drill), score);
    }
}

// A dart taken back is gone from the drill; terminating a drill, or quitting in its middle,
// keeps its darts with no result.
TEST_F(practiceTest, QuittingMidDrillKeepsItsDarts) {
    prompts.confirmAnswers = {true, true};
    for (int time = 1; time <= 2; ++time) {  // by Game/Terminate, then by closing the window
        window->startPractice({{drillKind::bobs27}, {{"Ann"}}});
        click(2, 1);
        click(2, 1, Qt::RightButton);  // taken back
        click(2, 1);
        click(2, 1);
        click(1, 20);
        EXPECT_EQ(text("Practice13"), "31 points");
        click(1, 20, Qt::RightButton);  // nothing entered: the visit's marks stay
        EXPECT_EQ(window->boardMarks().darts.size(), 3u);
        time == 1 ? window->Stop1Click() : (void)window->close();
        const auto ann = kept("Ann");
        ASSERT_EQ(ann.size(), static_cast<std::size_t>(time));
        EXPECT_FALSE(ann.back().finished);
        EXPECT_EQ(ann.back().thrown.size(), 3u);
    }
}

// The practice page: the finished drills of a player, drill and variant in the days chosen,
// their best (the fewest darts in Around the Clock) and average, and the strength that is.
TEST_F(practiceTest, ThePracticePageSumsUpAPlayersDrills) {
    ASSERT_TRUE(store.addComputerPlayer("Bot", 45).ok);
    {
        dartHistoryC history(dir / dartHistoryFileName);
        const auto bob = static_cast<std::int32_t>(drillKind::bobs27);
        const auto clock = static_cast<std::int32_t>(drillKind::aroundTheClock);
        const auto scoring = static_cast<std::int32_t>(drillKind::scoring);
        ASSERT_TRUE(history.writeDrills({
            {"Bot", {2026, 12, 1}, bob, 0, true, 301.0, 63, 20, {}},
            {"Bot", {2026, 12, 2}, bob, 0, true, 499.0, 63, 30, {}},
            {"Bot", {2026, 12, 3}, bob, 0, false, 0.0, 12, 1, {}},  // abandoned: no result
            {"Bot", {2026, 12, 3}, clock, 1, true, 60.0, 60, 21, {}},
            {"Bot", {2026, 12, 4}, clock, 1, true, 48.0, 48, 21, {}},
            {"Bot", {2026, 12, 4}, clock, 0, true, 22.0, 22, 21, {}},  // another variant
            {"Bot", {2026, 12, 2}, scoring, 20, true, 21.5, 99, 40, {}},
        }));
    }
    window->findChild<QAction*>(QStringLiteral("PracticeStatistics1"))->trigger();
    auto* page = window->statisticsWindow()->practicePage();
    ASSERT_NE(page, nullptr);
    page->findChild<QDateEdit*>("PracticeViewFrom")->setDate({2026, 11, 1});
    page->findChild<QDateEdit*>("PracticeViewTo")->setDate({2026, 12, 31});
    page->findChild<QComboBox*>("PracticeViewPlayer")->setCurrentText("Bot");
    const auto summary = [page] { return page->findChild<QLabel*>("PracticeViewSummary")->text(); };
    auto* drill = page->findChild<QComboBox*>("PracticeViewDrill");
    auto* variant = page->findChild<QComboBox*>("PracticeViewVariant");
    drill->setCurrentIndex(1);  // Bob's 27
    const QString bob = summary();
    EXPECT_TRUE(bob.startsWith("2 results: best 499, average 400.00 (\u2248 strength "))
        << bob.toStdString();
    const int strength = bob.section(' ', -1).chopped(1).toInt();
    EXPECT_EQ(nearestStrength(400.0, drillMeans(drillKind::bobs27, 0)), strength);
    drill->setCurrentIndex(0);    // Around the Clock
    variant->setCurrentIndex(1);  // doubles
    EXPECT_TRUE(summary().startsWith("2 results: best 48, average 54.00"));
    page->findChild<QDateEdit*>("PracticeViewTo")->setDate({2026, 12, 3});
    EXPECT_TRUE(summary().startsWith("1 result: best 60"));
    drill->setCurrentIndex(4);  // Scoring, to two places
    variant->setCurrentIndex(variant->findData(20));
    EXPECT_TRUE(summary().startsWith("1 result: best 21.50, average 21.50"));
    drill->setCurrentIndex(5);
    EXPECT_EQ(summary(), "No Finishes results in these days");
}
