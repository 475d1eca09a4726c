#include <QWidget>

#include "stats/dartHistoryC.h"
#include "ui/boardWidget.h"
#include "windowFixture.h"

using namespace qm;

namespace {

class dartEntryTest : public windowTest {
  protected:
    void typeDarts(const QString& darts) {
        auto* edit = find<QLineEdit>("DartsEdit");
        edit->setFocus();
        QTest::keyClicks(edit, darts);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void startAt(int score) {
        gameSettingsS s = humans(1);
        s.startScore = score;
        window->transferSettings(s, true);
    }
};

}  // namespace

// The board's place on the window: its pixels to board units and back, at the bull's row.
TEST(BoardWidget, WindowMappings) {
    const virtualBoardC board;
    const auto triple = boardWidget::windowToBoard(515, 112);
    EXPECT_FLOAT_EQ(triple.x, 0.0f);
    EXPECT_FLOAT_EQ(triple.y, 100.048f);
    EXPECT_EQ(board.getHit(triple), (dartS{3, 20}));
    const auto outside = boardWidget::windowToBoard(641, 186);
    EXPECT_FLOAT_EQ(outside.x, 170.352f);
    EXPECT_EQ(board.getHit(outside), (dartS{0, 6}));

    const auto window = boardWidget::boardToWindow({0.0f, 100.0f});
    EXPECT_DOUBLE_EQ(window.x, 515.0);
    EXPECT_NEAR(window.y, 186.0 - 100.0 * 125.0 / 169.0, 1e-9);
}

TEST_F(dartEntryTest, ALegEnteredDartByDartOnTheBoardAndByNotation) {
    startAt(101);
    click(3, 20);
    EXPECT_EQ(text("VisitDarts"), "Darts: T20");
    EXPECT_EQ(field()->text(), "60");
    EXPECT_EQ(sounds.played.back(), "DART");
    EXPECT_EQ(text("CheckoutHint"), "S17 D12");  // 41 with the two darts in hand
    // A right click takes the dart back; Backspace in the score field does the same.
    click(3, 20, Qt::RightButton);
    EXPECT_EQ(text("VisitDarts"), "");
    EXPECT_EQ(field()->text(), "");
    EXPECT_EQ(text("CheckoutHint"), "T20 S17 D12");  // three in hand again
    click(3, 20);
    click(1, 1);
    EXPECT_EQ(text("CheckoutHint"), "D20");
    QTest::keyClick(field(), Qt::Key_Backspace);
    EXPECT_EQ(text("VisitDarts"), "Darts: T20");
    EXPECT_EQ(find<QLabel>("VisitDarts")->accessibleDescription(), "Darts: T20");
    EXPECT_EQ(text("CheckoutHint"), "S17 D12");
    click(1, 2);  // 39 left with one dart: no finish to show
    EXPECT_EQ(text("CheckoutHint"), "");
    QTest::keyClick(field(), Qt::Key_Backspace);
    click(1, 1);
    // Beside the board is no dart; off the scoring ring on the picture is a miss.
    QTest::mouseClick(find<QWidget>("Board"), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(text("VisitDarts"), "Darts: T20 S1");
    click(1, 20);
    EXPECT_EQ(text("VisitDarts"), "Last visit: T20 S1 S20");
    EXPECT_EQ(lines(0).last().trimmed().split(' ', Qt::SkipEmptyParts).last(), "20");
    EXPECT_EQ(message(), "Bob enter your score");
    EXPECT_EQ(window->game()->board(0).remaining(), 20);

    // Bob by notation: a word that is no dart is refused and enters nothing.
    typeDarts(QStringLiteral("T19 T21"));
    EXPECT_EQ(message(), "Warning: 'T21' is not a dart (T20, D16, S5, 25, Bull, Miss)");
    EXPECT_EQ(sounds.played.back(), "INVALID");
    EXPECT_TRUE(window->game()->enteredDarts().empty());
    find<QLineEdit>("DartsEdit")->clear();
    typeDarts(QStringLiteral("t19 d10"));
    EXPECT_EQ(text("VisitDarts"), "Darts: T19 D10");
    typeDarts(QString());  // Enter on nothing: the third dart is a miss
    EXPECT_EQ(window->game()->board(1).remaining(), 24);
    EXPECT_EQ(text("VisitDarts"), "Last visit: T19 D10 Miss");

    // Undo and redo take Bob's visit back and put it back whole; "Last visit" no longer names
    // a visit that undo may have taken back.
    window->Undo1Click();
    EXPECT_EQ(text("VisitDarts"), "");
    EXPECT_EQ(window->game()->board(1).remaining(), 101);
    window->Redo1Click();
    EXPECT_EQ(window->game()->board(1).remaining(), 24);
    // With a dart entered, Undo takes back that dart only, as Backspace does.
    click(1, 5);
    EXPECT_TRUE(field()->isReadOnly());
    window->Undo1Click();
    EXPECT_TRUE(window->game()->enteredDarts().empty());
    EXPECT_EQ(text("VisitDarts"), "");
    EXPECT_FALSE(field()->isReadOnly());
    EXPECT_EQ(field()->text(), "");
    EXPECT_EQ(window->game()->board(1).remaining(), 24);
    // Ann's D10 checks out: the darts used are known, so no box asks for them.
    click(2, 10);
    EXPECT_TRUE(prompts.preselected.empty());
    ASSERT_FALSE(prompts.informed.empty());
    EXPECT_TRUE(prompts.informed.back().startsWith("Game won by Ann, Last leg won in 4 darts"));
    EXPECT_EQ(records("Ann").back().darts, 4);
    EXPECT_EQ(records("Bob").back().darts, 3);

    ASSERT_TRUE(window->dartsWritten(std::chrono::seconds(20)));
    dartHistoryC history(dir / dartHistoryFileName, dartHistoryC::mode::readOnly);
    const auto ann = history.legsOf("Ann");
    ASSERT_EQ(ann.size(), 1u);
    ASSERT_EQ(ann[0].darts.size(), 4u);
    EXPECT_TRUE(ann[0].won);
    for (const dartRecordS& dart : ann[0].darts) {
        ASSERT_TRUE(dart.point);  // clicked: where it landed is kept
        EXPECT_EQ(vBoard.getHit({dart.point->x, dart.point->y}), (dartS{dart.type, dart.number}));
    }
    EXPECT_EQ(ann[0].darts[3].type * 100 + ann[0].darts[3].number, 210);
    const auto bob = history.legsOf("Bob");
    ASSERT_EQ(bob.size(), 1u);
    ASSERT_EQ(bob[0].darts.size(), 3u);  // once, though undone and redone
    EXPECT_FALSE(bob[0].darts[0].point);
    EXPECT_EQ(bob[0].darts[2].type, 0);
}

TEST_F(dartEntryTest, TheGameFiguresAndAHistoryThatCannotBeWritten) {
    std::filesystem::create_directory(dir / dartHistoryFileName);  // a folder in its place
    gameSettingsS s = humans(3);
    s.startScore = 101;
    window->transferSettings(s, true);
    typeDarts(QStringLiteral("T20 S1 D20"));  // Ann's 101 in three
    const QString reported = "Unable to save the darts: cannot use the dart history " +
                             QString::fromStdString((dir / dartHistoryFileName).string()) +
                             ": not a regular file; 1 leg not kept";
    EXPECT_TRUE(runUntil([&] { return text("StatusBar1Panel3") == reported; }))
        << text("StatusBar1Panel3").toStdString();
    EXPECT_EQ(find<QLabel>("StatusBar1Panel3")->toolTip(), reported);  // the whole of it
    EXPECT_EQ(text("DartFigure11"), "101.00");
    EXPECT_EQ(text("DartFigure12"), "100.0% (1/1)");
    EXPECT_EQ(text("DartFigure13"), "1");
    EXPECT_EQ(text("DartFigure14"), "1");
    EXPECT_EQ(text("DartFigure24"), "0");  // Bob threw no dart
    find<QLabel>("StatusBar1Panel3")->setText(QString());
    // Bob begins the second leg: Escape clears what he entered, then he takes it too.
    typeDarts(QStringLiteral("S5"));
    QTest::keyClick(find<QLineEdit>("DartsEdit"), Qt::Key_Escape);
    EXPECT_TRUE(window->game()->enteredDarts().empty());
    EXPECT_EQ(text("VisitDarts"), "");
    typeDarts(QStringLiteral("T20 S1 D20"));
    EXPECT_FALSE(window->dartsWritten(std::chrono::seconds(20)));  // tried again, and failed
    QCoreApplication::processEvents();
    EXPECT_EQ(text("StatusBar1Panel3"), "");  // reported once only
    EXPECT_EQ(records("Ann").size(), 2u);     // the leg records are kept all the same
    EXPECT_EQ(records("Bob").size(), 2u);
    EXPECT_EQ(text("DartFigure24"), "1");
    EXPECT_TRUE(std::filesystem::is_directory(dir / dartHistoryFileName));
}

// A typed line's darts belong to the visit they were typed in: what a bust or a checkout leaves
// is not entered for the next player, and the message says which darts and why.
TEST_F(dartEntryTest, DartsTypedPastTheEndOfAVisitAreNotEntered) {
    gameSettingsS s = humans(3);
    s.startScore = 101;
    window->transferSettings(s, true);
    typeDarts(QStringLiteral("T20 T20 T20 T20"));
    EXPECT_EQ(message(), "Warning: a visit has three darts");
    EXPECT_TRUE(window->game()->enteredDarts().empty());
    find<QLineEdit>("DartsEdit")->clear();

    typeDarts(QStringLiteral("T20 T20 T20"));  // busts on the second dart
    EXPECT_EQ(message(), "Bust after T20 T20: T20 not entered");
    EXPECT_EQ(sounds.played.back(), "INVALID");
    EXPECT_EQ(text("VisitDarts"), "Last visit: T20 T20");
    EXPECT_EQ(window->game()->currentPlayer(), 1);
    EXPECT_TRUE(window->game()->enteredDarts().empty());
    EXPECT_EQ(window->game()->board(1).remaining(), 101);

    typeDarts(QStringLiteral("S1 S1 S1"));
    typeDarts(QStringLiteral("T19"));
    typeDarts(QString());  // Ann leaves 44
    typeDarts(QStringLiteral("S1 S1 S1"));
    typeDarts(QStringLiteral("S4 D20 T20"));  // checks out on the second dart
    EXPECT_EQ(message(), "Checkout after S4 D20: T20 not entered");
    // 101 in 8 darts is 12.625 a dart: shown as the records' readers and the export show it.
    EXPECT_EQ(prompts.informed.back(), "Leg won by Ann, in 8 darts (ppd: 12.62)");
    EXPECT_EQ(window->game()->gboard().legs(0), 1);
    EXPECT_EQ(window->game()->currentPlayer(), 1);  // Bob begins the second leg, with nothing
    EXPECT_TRUE(window->game()->enteredDarts().empty());
    EXPECT_EQ(window->game()->board(1).remaining(), 101);
    EXPECT_EQ(window->game()->board(1).darts(), 0);
    window->endGame();  // a checkout that wins the match leaves its spare dart as well
    s.bestOfLegs = 1;
    window->transferSettings(s, true);
    typeDarts(QStringLiteral("T17 Bull S1"));
    EXPECT_EQ(message(), "Checkout after T17 Bull: S1 not entered");
}
