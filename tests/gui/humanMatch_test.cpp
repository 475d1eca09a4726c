#include <QAction>
#include <QFontMetrics>
#include <QRegularExpressionValidator>
#include <fstream>

#include "ui/scoreListFormat.h"
#include "windowFixture.h"

using namespace qm;

namespace {

std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST_F(windowTest, WholeHumanMatchBestOfThreeLegs) {
    window->transferSettings(humans(), true);
    EXPECT_EQ(message(), "New game created: Ann to throw first");
    EXPECT_EQ(text("Label9"), "Best of 3 legs (501)");
    EXPECT_EQ(text("Label22"), "*");

    // Leg 1, Ann starts; Bob's impossible 179 is refused and he keeps the turn.
    enter("100");
    EXPECT_EQ(lines(0), (QStringList{" 501      100", " 401"}));
    EXPECT_EQ(message(), "Bob enter your score");
    enter("179");
    EXPECT_EQ(message(), "Warning: 179 invalid input");
    EXPECT_EQ(window->game()->currentPlayer(), 1);
    for (const char* total : {"60", "100", "60", "100", "60", "100", "60", "61", "60"}) {
        enter(total);
    }
    EXPECT_EQ(text("Label47"), "40");
    prompts.dartsAnswers = {1};
    std::vector<QString> shownWhileBoxesOpen;
    prompts.whileBoxOpen = [&] { shownWhileBoxesOpen.push_back(message()); };
    enter("40");
    prompts.whileBoxOpen = nullptr;
    // The correction is on the status bar while the leg-won box is open.
    ASSERT_EQ(shownWhileBoxesOpen.size(), 2u);
    EXPECT_EQ(shownWhileBoxesOpen[1], "Darts used to check: 1 Total darts: 16");
    EXPECT_EQ(text("Label18"), "(0)");
    EXPECT_EQ(prompts.preselected, (std::vector<int>{3}));
    EXPECT_EQ(prompts.informed.back(), "Leg won by Ann, in 16 darts (ppd: 31.31)");
    // The next leg is under way: the other player begins, the lists start afresh.
    EXPECT_EQ(window->game()->currentPlayer(), 1);
    EXPECT_EQ(lines(0) + lines(1), (QStringList{" 501", " 501"}));
    EXPECT_EQ(text("Label16"), "1");
    EXPECT_EQ(text("Label18"), "(0)");

    // Leg 2, Bob starts and needs all three darts of his last visit.
    prompts.dartsAnswers = {3};
    for (const char* total : {"180", "", "180", "", "101", "", "40"}) {
        enter(total);
    }
    EXPECT_EQ(prompts.preselected.back(), 1);  // the last answer is remembered
    EXPECT_EQ(prompts.informed.back(), "Leg won by Bob, in 12 darts (ppd: 41.75)");
    EXPECT_EQ(window->game()->currentPlayer(), 0);

    // Leg 3 decides the match. 141 takes three darts: fewer cannot be chosen, and an answer
    // of 2 is held to 3.
    prompts.dartsAnswers = {2};
    for (const char* total : {"180", "", "180", ""}) {
        enter(total);
    }
    std::vector<bool> enabled;
    prompts.whileBoxOpen = [&] {
        for (int d = 1; d <= 3 && enabled.size() < 3; ++d) {
            enabled.push_back(window->dartsUsedDialog()
                                  ->findChild<QWidget*>(QStringLiteral("RadioGroup1Item%1").arg(d))
                                  ->isEnabled());
        }
    };
    enter("141");
    prompts.whileBoxOpen = nullptr;
    EXPECT_EQ(enabled, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(prompts.preselected.back(), 3);  // the remembered 1 cannot make 141
    EXPECT_EQ(message(), "Game won by Ann");
    EXPECT_EQ(prompts.informed.back(),
              QStringLiteral("Game won by Ann, Last leg won in 9 darts (ppd: %1)")
                  .arg(QString::asprintf("%.2f", 501.0 / 9.0)));
    EXPECT_EQ(window->game(), nullptr);
    EXPECT_EQ(field()->text(), "141");  // the winning entry stays
    EXPECT_EQ(text("Label47"), "0");
    EXPECT_TRUE(runUntil([&] { return !sounds.played.empty() && sounds.played.back() == "WON"; }));
    EXPECT_EQ(sounds.played, (std::vector<std::string>{"INVALID", "OPEN", "OPEN", "OPEN", "WON"}));

    const auto ann = records("Ann");
    const auto bob = records("Bob");
    ASSERT_EQ(ann.size(), 3u);
    ASSERT_EQ(bob.size(), 3u);
    EXPECT_TRUE(ann[0].isWon());
    EXPECT_EQ(ann[0].darts, 16);
    EXPECT_EQ(ann[0].finish, 40);
    EXPECT_EQ(bob[0].points, 300);
    EXPECT_EQ(bob[0].darts, 15);
    EXPECT_TRUE(bob[1].isWon());
    EXPECT_EQ(bob[1].darts, 12);
    EXPECT_EQ(ann[2].darts, 9);
    EXPECT_EQ(ann[2].finish, 141);
    EXPECT_EQ(ann[2].date(), (civilDate{2026, 12, 6}));
}

TEST_F(windowTest, StatisticsTabAndComputerNames) {
    auto s = humans();
    s.isComputer[1] = true;
    window->transferSettings(s, true);
    EXPECT_EQ(text("Label13"), "Bob [ai]");
    EXPECT_EQ(text("Label34"), "Bob [ai]");
    EXPECT_EQ(text("Label2"), "Bob");
    enter("140");
    EXPECT_EQ(text("Label35"), "46.67");
    EXPECT_EQ(text("Label41"), "1");
    EXPECT_EQ(message(), "Bob to throw");
    window->endGame();

    // Every figure of both rows, each with a value of its own.
    auto classes = humans();
    classes.startScore = 1001;
    window->transferSettings(classes, true);
    const int ann[] = {100, 120, 120, 140, 140, 140};
    const int bob[] = {100, 100, 100, 101, 180, 180};
    for (int i = 0; i < 6; ++i) {
        enter(QString::number(ann[i]));
        enter(QString::number(bob[i]));
    }
    const char* expected[][2] = {{"42.22", "42.28"}, {"1", "4"}, {"2", "0"},
                                 {"3", "0"},         {"0", "2"}, {"0", "0"}};
    for (int row = 0; row < 6; ++row) {
        for (int p = 0; p < 2; ++p) {
            const std::string label = "Label" + std::to_string(35 + 2 * row + p);
            EXPECT_EQ(text(label.c_str()), expected[row][p]) << label;
        }
    }
    window->endGame();

    auto sets = humans(5, 3);
    window->transferSettings(sets, true);
    EXPECT_EQ(text("Label9"), "Best of 3 Sets, 5 legs (501)");
}

TEST_F(windowTest, ScoreFieldTakesUpToThreeDigits) {
    window->transferSettings(humans(), true);
    for (const char* refused : {"a", "-", "+", " ", "x1"}) {
        field()->clear();
        type(refused);
        EXPECT_EQ(field()->text(), refused == std::string("x1") ? "1" : "") << refused;
    }
    field()->clear();
    type("1005");
    EXPECT_EQ(field()->text(), "100");
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(window->game()->board(0).remaining(), 401);

    // Enter on an empty field, and after one or two digits, is a visit.
    field()->clear();
    QTest::keyClick(field(), Qt::Key_Enter);
    EXPECT_EQ(window->game()->board(1).darts(), 3);
    enter("7");
    EXPECT_EQ(window->game()->board(0).remaining(), 394);
    enter("45");
    EXPECT_EQ(window->game()->board(1).remaining(), 456);
    EXPECT_EQ(field()->text(), "");
}

TEST_F(windowTest, KeysWithoutAGameAreRefused) {
    EXPECT_EQ(field()->text(), "Game/start");
    QTest::keyClick(field(), Qt::Key_5);
    EXPECT_EQ(message(), "Game not started yet, go to menu Game/Start");
    EXPECT_EQ(sounds.played, (std::vector<std::string>{"INVALID"}));
    window->Undo1Click();
    EXPECT_EQ(message(), "No game in progress, unable to undo");
    window->Redo1Click();
    EXPECT_EQ(message(), "No game in progress, unable to redo");
    window->Stop1Click();
    EXPECT_EQ(message(), "No game in progress, unable to terminate game");
    QTest::mouseClick(find<QWidget>("Board"), Qt::LeftButton, {}, QPoint(178, 178));
    EXPECT_EQ(message(), "Game not started yet, go to menu Game/Start");
}

TEST_F(windowTest, StartWithoutSettingsUsesTheStoredOnes) {
    window->Start1Click();
    ASSERT_NE(window->game(), nullptr);
    EXPECT_EQ(window->game()->board(0).remaining(), 501);
    EXPECT_EQ(window->activeSettings().names[0], "Player 1");
    window->Start1Click();
    EXPECT_EQ(message(), "Unable to create game, game in progress");
    EXPECT_EQ(sounds.played.back(), "INVALID");
}

TEST_F(windowTest, TerminatingAHumanGame) {
    window->transferSettings(humans(), false);
    EXPECT_EQ(message(), "Menu Game/Start to start the game");
    EXPECT_EQ(window->game(), nullptr);
    window->Start1Click();
    prompts.confirmAnswers = {false, true};
    window->Stop1Click();
    EXPECT_NE(window->game(), nullptr);
    window->Stop1Click();
    EXPECT_EQ(window->game(), nullptr);
    EXPECT_EQ(message(), "Game terminated");
    EXPECT_EQ(prompts.asked.back(), "Are you sure you want to break off the current game");
}

TEST_F(windowTest, SettingsHandedOverDuringAGameAreRefused) {
    window->transferSettings(humans(), true);
    auto other = humans();
    other.names = {"Cy", "Di"};
    window->transferSettings(other, false);
    EXPECT_EQ(message(), "Game already in progress, terminate current game first");
    EXPECT_EQ(window->activeSettings().names[0], "Ann");
    window->Settings1Click();
    EXPECT_EQ(sounds.played.back(), "INVALID");
}

TEST_F(windowTest, UndoAndRedoBetweenTwoHumans) {
    window->transferSettings(humans(), true);
    window->Undo1Click();
    EXPECT_EQ(message(), "Nothing to undo");
    enter("60");
    enter("45");
    enter("100");
    window->Undo1Click();
    EXPECT_EQ(message(), "undo: 100,3");
    EXPECT_EQ(text("Label22"), "*");
    window->Undo1Click();
    EXPECT_EQ(message(), "undo: 45,3");
    window->Redo1Click();
    EXPECT_EQ(message(), "Redo from stack: 45");
    EXPECT_EQ(text("StatusBar1Panel1"), "Bob");
    EXPECT_EQ(sounds.played.back(), "REDO");
    enter("26");
    window->Redo1Click();
    EXPECT_EQ(message(), "Nothing to redo, enter your score");
}

TEST_F(windowTest, CheckoutHintFollowsTheTurnUndoRedoAndItsMenuItem) {
    window->transferSettings(humans(), true);
    enter("180");  // Ann 321
    enter("100");  // Bob 401
    EXPECT_EQ(text("CheckoutHint"), "");
    enter("180");  // Ann 141
    enter("60");   // Bob 341
    EXPECT_EQ(text("CheckoutHint"), "T20 T15 D18");
    window->Undo1Click();  // Bob to throw again, from 401
    EXPECT_EQ(text("CheckoutHint"), "");
    window->Redo1Click();
    EXPECT_EQ(text("CheckoutHint"), "T20 T15 D18");

    auto* item = find<QAction>("CheckoutHints1");
    ASSERT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_EQ(text("CheckoutHint"), "");
    EXPECT_FALSE(store.readCheckoutHints());
    EXPECT_NE(readText(store.iniPath()).find("[Hints]\nCheckoutHints=0"), std::string::npos);
    item->trigger();
    EXPECT_EQ(text("CheckoutHint"), "T20 T15 D18");
    EXPECT_EQ(find<QLabel>("CheckoutHint")->accessibleDescription(), "T20 T15 D18");
}

TEST_F(windowTest, DartsUsedDialogClosedWithoutOkKeepsItsChoice) {
    auto s = humans(3);
    s.startScore = 101;
    window->transferSettings(s, true);
    prompts.dartsAnswers.clear();  // the box is closed: its shown choice (3) is the answer
    enter("101");
    EXPECT_EQ(prompts.informed.back(), "Leg won by Ann, in 3 darts (ppd: 33.67)");
    EXPECT_EQ(records("Ann").back().darts, 3);
    EXPECT_EQ(window->game()->gstats(0).dartsThrown(), 3);
}

TEST_F(windowTest, MouseReadoutOverTheBoard) {
    window->FormMouseMove(515, 186);
    EXPECT_EQ(text("Label24"), "Coord (515,186)");
    EXPECT_EQ(text("Label25"), "2 x 25");
    window->FormMouseMove(515, 112);
    EXPECT_EQ(text("Label25"), "3 x 20");
    window->FormMouseMove(10, 186);
    EXPECT_EQ(text("Label25"), "0 x 11");
    window->FormMouseMove(771, 613);  // the widest readout is shown whole
    const QLabel* coordinates = find<QLabel>("Label24");
    EXPECT_LE(QFontMetrics(coordinates->font()).horizontalAdvance(coordinates->text()),
              coordinates->width());
}

TEST(ScoreList, LinesOfALegWithABust) {
    ScoreBoardC board(501);
    board.addScore(60, 3);
    board.addScore(100, 3);
    EXPECT_EQ(scoreListLines(board),
              (std::vector<std::string>{" 501        60", " 441      100", " 341"}));
    ScoreBoardC low(101);
    low.addScore(100, 3);  // would leave 1: a bust, listed with no points
    low.addScore(5, 3);
    EXPECT_EQ(scoreListLines(low),
              (std::vector<std::string>{" 101          0", " 101          5", "   96"}));
}

TEST_F(windowTest, TheCallerCallsScoresRequirementsGameShotAndGameOn) {
    QAction* caller = find<QAction>("Caller1");
    ASSERT_TRUE(caller->isEnabled());
    EXPECT_FALSE(caller->isChecked());  // off unless asked for
    auto s = humans(3);
    s.startScore = 101;
    window->transferSettings(s, true);
    enter("60");
    EXPECT_TRUE(sounds.said.empty());
    caller->trigger();
    EXPECT_TRUE(store.readCaller());
    enter("100");  // Bob: 1 left is a bust
    enter("20");   // Ann: 21 left
    prompts.dartsAnswers = {2};
    enter("101");  // Bob takes the first leg out
    using calls = std::vector<std::vector<std::string>>;
    EXPECT_EQ(sounds.said, (calls{{"no score", "Ann, you require 41"},
                                  {"twenty", "Bob, you require 101"},
                                  {"Game shot, and the first leg"},
                                  {"Game on"}}));
    sounds.said.clear();
    enter("180");  // Bob starts leg 2 and busts
    enter("101");  // Ann levels the match
    EXPECT_EQ(sounds.said, (calls{{"no score", "Ann, you require 101"},
                                  {"Game shot, and the second leg"},
                                  {"Game on"}}));
    caller->trigger();
    EXPECT_FALSE(store.readCaller());
    sounds.said.clear();
    enter("60");
    EXPECT_TRUE(sounds.said.empty());
}

TEST_F(windowTest, WithoutAVoiceTheCallerIsNotOffered) {
    sounds.voiceProblem = "libespeak-ng.so.1 could not be loaded";
    const auto silent = makeWindow();
    const QAction* caller = silent->findChild<QAction*>(QStringLiteral("Caller1"));
    EXPECT_FALSE(caller->isEnabled());
    EXPECT_EQ(silent->findChild<QLabel*>(QStringLiteral("StatusBar1Panel3"))->text(),
              "The caller is not available: libespeak-ng.so.1 could not be loaded");
}
