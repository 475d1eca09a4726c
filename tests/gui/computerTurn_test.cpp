#include <QRegularExpression>
#include <QTimer>

#include <QAction>

#include "game/callerPhrases.h"
#include "ui/boardWidget.h"
#include "ui/gameSettings.h"
#include "windowFixture.h"

using namespace qm;

namespace {

class computerTurnTest : public windowTest {
  protected:
    // Runs the computer's turns until a human is to type or the game is over.
    void runComputer() {
        for (int guard = 0; guard < 100000 && step(); ++guard) {
        }
    }
    static gameSettingsS versus(bool computer1, bool computer2, int start = 501, int legs = 1) {
        auto s = humans(legs);
        s.isComputer = {computer1, computer2};
        s.strengths = {45, 45};
        s.startScore = start;
        return s;
    }
    static dartS parseHit(const QString& text) {
        static const QRegularExpression got(QStringLiteral("^Got (\\d) x (\\d+)$"));
        const auto match = got.match(text);
        EXPECT_TRUE(match.hasMatch()) << text.toStdString();
        return {match.captured(1).toInt(), match.captured(2).toInt()};
    }
    std::vector<int> intervals() const {
        std::vector<int> out;
        for (const char* name : {"aiTimer", "dart1Timer", "dart2Timer", "dart3Timer"}) {
            out.push_back(timer(name)->interval());
        }
        return out;
    }
    int dartSounds() const {
        return static_cast<int>(std::count(sounds.played.begin(), sounds.played.end(), "DART"));
    }
};

}  // namespace

TEST_F(computerTurnTest, AVisitDartByDart) {
    window->transferSettings(versus(false, true), true);
    EXPECT_EQ(timer("aiTimer")->interval(), 500);
    EXPECT_EQ(timer("dart1Timer")->interval(), 1500);
    enter("60");
    EXPECT_EQ(message(), "Bob to throw");
    ASSERT_TRUE(timer("aiTimer")->isActive());

    window->aiTimerTimer();
    EXPECT_EQ(text("Label3"), "Aiming at 3 x 20");
    EXPECT_EQ(text("Label6"), "");
    EXPECT_TRUE(timer("dart1Timer")->isActive());
    EXPECT_FALSE(timer("aiTimer")->isActive());

    window->dart1TimerTimer();
    const dartS first = parseHit(text("Label6"));
    EXPECT_EQ(sounds.played.back(), "DART");
    const int left = 501 - first.score();
    EXPECT_EQ(text("Label4"), QStringLiteral("Aiming at %1 x %2")
                                  .arg(chart.secondDartCheck(left, false).type)
                                  .arg(chart.secondDartCheck(left, false).number));
    window->dart2TimerTimer();
    const dartS second = parseHit(text("Label7"));
    window->dart3TimerTimer();
    const dartS third = parseHit(text("Label8"));
    EXPECT_EQ(dartSounds(), 3);
    EXPECT_EQ(window->game()->board(1).remaining(),
              501 - first.score() - second.score() - third.score());
    EXPECT_EQ(window->game()->currentPlayer(), 0);
    EXPECT_EQ(message(), "Ann enter your score");
    EXPECT_EQ(text("StatusBar1Panel1"), "Info");
    for (QTimer* t :
         {timer("aiTimer"), timer("dart1Timer"), timer("dart2Timer"), timer("dart3Timer")}) {
        EXPECT_FALSE(t->isActive());
    }
}

// Plays many visits of a computer against a human who scores nothing, and checks every visit
// the window completes against the rules: a checkout needs a double, finishing on anything else
// scores nothing, overshooting or leaving 1 is a bust, a dart off the board scores nothing.
TEST_F(computerTurnTest, EveryVisitEndsByTheRules) {
    auto s = versus(false, true, 101, 11);
    s.bestOfSets = 11;
    s.strengths = {20, 12};
    window->transferSettings(s, true);
    int checkoutsOnDart1 = 0, offBoard = 0, visits = 0;
    int finishedOnASingle = 0, overshot = 0, leftOne = 0;
    while (window->game() && visits < 4000) {
        enter("0");
        if (!window->game()) {
            break;
        }
        const int before = window->game()->board(1).remaining();
        // Legs won by the computer over the whole match: six to a set.
        auto legsWon = [this] {
            return window->game()->gboard().legs(1) + 6 * window->game()->gboard().sets(1);
        };
        const int legsBefore = legsWon();
        runComputerVisit();
        ++visits;
        int left = before;
        int total = 0;
        int darts = 0;
        bool checkedOut = false;
        for (const char* label : {"Label6", "Label7", "Label8"}) {
            if (text(label).isEmpty()) {
                break;
            }
            const dartS hit = parseHit(text(label));
            ++darts;
            offBoard += hit.type == 0 ? 1 : 0;
            left -= hit.score();
            total += hit.score();
            if (left < 2) {
                checkedOut = left == 0 && hit.type == 2;
                break;
            }
        }
        if (checkedOut) {
            checkoutsOnDart1 += darts == 1 ? 1 : 0;
            // The fanfare for the match only, and only when its third dart won it.
            EXPECT_EQ(std::count(sounds.played.begin(), sounds.played.end(), "WON"),
                      !window->game() && darts == 3 ? 1 : 0);
            if (window->game()) {
                EXPECT_EQ(legsWon(), legsBefore + 1);
            }
            continue;
        }
        ASSERT_NE(window->game(), nullptr);
        if (left < 2) {
            finishedOnASingle += left == 0 ? 1 : 0;
            overshot += left < 0 ? 1 : 0;
            leftOne += left == 1 ? 1 : 0;
            EXPECT_EQ(window->game()->board(1).remaining(), before);
        } else {
            EXPECT_EQ(window->game()->board(1).remaining(), before - total);
        }
    }
    EXPECT_GT(checkoutsOnDart1, 0);
    EXPECT_GT(finishedOnASingle, 0);
    EXPECT_GT(overshot, 0);
    EXPECT_GT(leftOne, 0);
    EXPECT_GT(offBoard, 0);
}

// However settings reach the window (handed over, or the settings dialog opened and closed
// with its close box, or none at all), a game plays at the pace its speed mode sets.
TEST_F(computerTurnTest, ThePaceFollowsTheSpeedModeWhicheverWayTheSettingsCame) {
    const std::vector<int> normal{500, 1500, 1500, 1500};
    const std::vector<int> speed{250, 10, 50, 90};
    EXPECT_EQ(intervals(), normal);
    for (const bool speedMode : {true, false}) {
        auto s = versus(true, true);
        s.speedMode = speedMode;
        store.storedSettings = s;
        window->Settings1Click();
        window->settingsDialog()->close();
        window->Start1Click();
        ASSERT_NE(window->game(), nullptr);
        EXPECT_EQ(intervals(), speedMode ? speed : normal) << speedMode;
        window->endGame();
    }
}

TEST_F(computerTurnTest, TwoComputersInSpeedModePlayAMatchWithoutBoxes) {
    auto s = versus(true, true, 501, 3);
    s.speedMode = true;
    window->findChild<QAction*>(QStringLiteral("Caller1"))->trigger();  // silent in speed mode
    window->transferSettings(s, true);
    EXPECT_EQ(intervals(), (std::vector<int>{250, 10, 50, 90}));
    runComputer();
    EXPECT_EQ(window->game(), nullptr);
    ASSERT_EQ(prompts.informed.size(), 1u);
    EXPECT_TRUE(prompts.informed[0].startsWith(message() + ", Last leg won in "));
    EXPECT_TRUE(message().startsWith("Game won by "));
    static const QRegularExpression lastLeg(QStringLiteral("Last leg won in (\\d+) darts"));
    const int lastLegDarts = lastLeg.match(prompts.informed[0]).captured(1).toInt();
    EXPECT_EQ(std::count(sounds.played.begin(), sounds.played.end(), "WON"),
              lastLegDarts % 3 == 0 ? 1 : 0);
    const auto legs = records("Ann").size();
    EXPECT_GE(legs, 2u);
    EXPECT_EQ(records("Bob").size(), legs);
    EXPECT_EQ(std::count(sounds.played.begin(), sounds.played.end(), "OPEN"),
              static_cast<long>(legs) - 1);
    EXPECT_TRUE(sounds.said.empty());
}

TEST_F(computerTurnTest, SpeedModeRunsOnTheRealTimers) {
    auto s = versus(true, true, 101, 1);
    s.strengths = {60, 60};
    s.speedMode = true;
    window->transferSettings(s, true);
    EXPECT_TRUE(runUntil([&] { return window->game() == nullptr; }, 60000));
    EXPECT_TRUE(message().startsWith("Game won by "));
    EXPECT_EQ(records("Ann").size(), 1u);
}

TEST_F(computerTurnTest, UndoRedoAndTheReplayAgainstAHuman) {
    window->transferSettings(versus(false, true), true);
    enter("60");
    window->Undo1Click();
    EXPECT_EQ(message(), "Unable to undo current ai player");
    window->Redo1Click();
    EXPECT_EQ(message(), "Unable to redo current ai player");
    window->findChild<QAction*>(QStringLiteral("Caller1"))->trigger();
    runComputer();
    const visitS computerVisit = window->game()->board(1).lastThrow();
    // The computer's visit is called as a human's is (Ann's 441 needs more than three darts).
    EXPECT_EQ(sounds.said,
              (std::vector<std::vector<std::string>>{{scoreCall(computerVisit.points)}}));

    window->Undo1Click();
    EXPECT_EQ(message(), "undo: 60,3");
    EXPECT_EQ(window->game()->currentPlayer(), 0);
    EXPECT_EQ(window->game()->board(1).remaining(), 501);
    EXPECT_FALSE(timer("aiTimer")->isActive());

    enter("85");
    window->aiTimerTimer();
    EXPECT_EQ(text("Label3"), QStringLiteral("From stack: %1").arg(computerVisit.points));
    EXPECT_EQ(sounds.played.back(), "REDO");
    EXPECT_EQ(text("StatusBar1Panel1"), "Ann");
    EXPECT_EQ(window->game()->currentPlayer(), 0);
    EXPECT_EQ(window->game()->board(1).remaining(), 501 - computerVisit.points);
    EXPECT_FALSE(timer("dart1Timer")->isActive());
}

TEST_F(computerTurnTest, UndoWhenTheComputerBeganTheLegReplaysItsVisit) {
    window->transferSettings(versus(true, false), true);
    runComputer();
    ASSERT_EQ(window->game()->currentPlayer(), 1);
    window->Undo1Click();
    EXPECT_EQ(message(), "Nothing to undo");
    EXPECT_TRUE(timer("aiTimer")->isActive());
    window->aiTimerTimer();
    EXPECT_TRUE(text("Label3").startsWith("From stack: "));
    EXPECT_EQ(window->game()->currentPlayer(), 1);
}

TEST_F(computerTurnTest, TerminationBetweenDarts) {
    window->transferSettings(versus(false, true), true);
    enter("60");
    window->aiTimerTimer();
    prompts.confirmAnswers = {true};
    window->Stop1Click();
    EXPECT_EQ(message(), "Game will be terminated in less than 3 seconds");
    EXPECT_TRUE(window->terminatePending());
    window->termTimerTimer();
    EXPECT_EQ(window->game(), nullptr);
    EXPECT_EQ(message(), "Game terminated");
    EXPECT_FALSE(timer("dart1Timer")->isActive());
    window->dart1TimerTimer();  // a tick already on its way does nothing
    EXPECT_EQ(window->game(), nullptr);

    // The computer's next turn ends a pending termination too.
    window->transferSettings(versus(true, false), true);
    prompts.confirmAnswers = {true};
    window->Stop1Click();
    window->aiTimerTimer();
    EXPECT_EQ(window->game(), nullptr);
}

TEST_F(computerTurnTest, AGameEndedWhileABoxIsOpenIsLeftAlone) {
    auto s = versus(true, false, 101, 3);
    s.strengths = {60, 60};
    window->transferSettings(s, true);
    prompts.whileBoxOpen = [this] { window->endGame(); };
    for (int i = 0; i < 50 && window->game(); ++i) {
        runComputer();
        if (window->game()) {
            enter("0");
        }
    }
    EXPECT_EQ(window->game(), nullptr);
    EXPECT_EQ(prompts.informed.size(), 1u);
    // A match won on a third dart (as the tests' seed gives it) and ended while its box is open
    // has no fanfare after the box.
    s.bestOfLegs = 1;
    window->transferSettings(s, true);
    runComputer();
    EXPECT_TRUE(prompts.informed.back().contains("Last leg won in 3 darts"));
    EXPECT_EQ(std::count(sounds.played.begin(), sounds.played.end(), "WON"), 0);

    // The same for a human's darts-used dialog.
    auto h = humans();
    h.startScore = 101;
    window->transferSettings(h, true);
    enter("101");
    EXPECT_EQ(window->game(), nullptr);
    EXPECT_TRUE(records("Ann").size() <= 2u);
}

TEST_F(computerTurnTest, DartMarksSurviveARepaint) {
    window->transferSettings(versus(false, true), true);
    enter("60");
    auto* area = find<QWidget>("ClientArea");
    const QImage clean = area->grab().toImage();
    window->aiTimerTimer();
    // The aim's cross at T20 reaches 35 pixels each way, and no further.
    const auto aim = boardWidget::boardToWindow(vBoard.getCoordinates(3, 20));
    const QImage aimed = area->grab().toImage();
    for (const QPointF way : {QPointF(1, 0), QPointF(-1, 0), QPointF(0, 1), QPointF(0, -1)}) {
        const auto at = [&](double d) {
            return QPoint(static_cast<int>(aim.x + d * way.x()),
                          static_cast<int>(aim.y + d * way.y()));
        };
        EXPECT_EQ(aimed.pixelColor(at(35)), QColor(0, 255, 0)) << way.x() << way.y();
        EXPECT_EQ(aimed.pixelColor(at(36)), clean.pixelColor(at(36))) << way.x() << way.y();
    }
    window->dart1TimerTimer();
    ASSERT_TRUE(window->game()->computerVisit() != nullptr);
    const auto at = boardWidget::boardToWindow(window->game()->computerVisit()->dartPoint(1));
    const QPoint pixel(static_cast<int>(at.x), static_cast<int>(at.y));
    EXPECT_EQ(area->grab().toImage().pixelColor(pixel), QColor(255, 0, 0));
    area->update();
    QCoreApplication::processEvents();
    EXPECT_EQ(area->grab().toImage().pixelColor(pixel), QColor(255, 0, 0));
    EXPECT_FALSE(text("Label6").isEmpty());
}
