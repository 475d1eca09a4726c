#include <QAction>
#include <QRegularExpression>
#include <QTimer>

#include "windowFixture.h"

using namespace qm;

namespace {

class matchOddsTest : public windowTest {
  protected:
    void waitForOdds() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !window->oddsPending(); }, 10000));
    }
    QString odds() const { return text("MatchOdds"); }
    QString oddsTip() const { return find<QLabel>("MatchOdds")->toolTip(); }
    static gameSettingsS annAgainstBob() {
        auto s = humans(3);
        s.isComputer = {false, true};
        s.strengths = {20, 45};
        return s;
    }
    // Ann's visits, each answered by the computer's, with the figure waited for after it;
    // what the computer has left after each of its visits.
    QStringList playAgainstComputer(const std::vector<QString>& visits) {
        QStringList left;
        for (const QString& visit : visits) {
            // The figure for the state after Ann's visit is still being worked out (or
            // cancelled) while the computer throws; waiting here would let the computer's own
            // timers tick in the event loop.
            enter(visit);
            runComputerVisit();
            waitForOdds();
            left << text("Label48");
        }
        return left;
    }
};

}  // namespace

TEST_F(matchOddsTest, TheFigureFollowsTheGameAndTheModelOfEachPlayer) {
    window->transferSettings(annAgainstBob(), true);
    // Ann has no darts and no history: an even chance until there is something to model.
    EXPECT_EQ(odds(), QString::fromUtf8("Ann 50% \u00b7 Bob 50%"));
    EXPECT_TRUE(oddsTip().contains("Ann: nothing to model yet")) << oddsTip().toStdString();
    playAgainstComputer({"60", "60"});
    EXPECT_EQ(odds(), QString::fromUtf8("Ann 50% \u00b7 Bob 50%"));  // 6 darts: not yet

    playAgainstComputer({"26"});
    // Ann averages 48.67 over 9 darts, far below a strength 45 computer leading the leg; the
    // match is not over, so it is not shown as 0 and 100.
    EXPECT_EQ(odds(), QString::fromUtf8("Ann <1% \u00b7 Bob >99%"));
    static const QRegularExpression figure(
        QString::fromUtf8("^Ann (<1|\\d+)% \u00b7 Bob (>99|\\d+)%$"));
    EXPECT_TRUE(
        oddsTip().contains(QRegularExpression("Ann: modelled as strength \\d+ from 9 darts "
                                              "this game")))
        << oddsTip().toStdString();
    EXPECT_TRUE(oddsTip().contains("Bob: computer player of strength 45"));
    EXPECT_TRUE(oddsTip().contains("Worked out exactly"));

    // Turned off: nothing shown, and remembered in a section of its own.
    QAction* item = window->findChild<QAction*>(QStringLiteral("MatchOdds1"));
    ASSERT_TRUE(item->isChecked());
    item->trigger();
    EXPECT_EQ(odds(), "");
    EXPECT_FALSE(store.readMatchOdds());
    enter("60");
    EXPECT_EQ(odds(), "");
    item->trigger();
    waitForOdds();
    EXPECT_TRUE(figure.match(odds()).hasMatch());
    EXPECT_TRUE(store.readMatchOdds());
}

// Each dart a human enters moves the figure; taking it back brings the figure back.
TEST_F(matchOddsTest, TheFigureFollowsEachDartEntered) {
    window->transferSettings(humans(3), true);
    for (int visit = 0; visit < 6; ++visit) {
        enter("60");  // nine darts each: both modelled alike
    }
    waitForOdds();
    const QString before = odds();
    auto* darts = find<QLineEdit>("DartsEdit");
    QTest::keyClicks(darts, "T20");
    QTest::keyClick(darts, Qt::Key_Return);
    waitForOdds();
    EXPECT_NE(odds(), before);
    QTest::keyClick(darts, Qt::Key_Escape);
    waitForOdds();
    EXPECT_EQ(odds(), before);
}

TEST_F(matchOddsTest, AFinishedMatchIsAllOrNothing) {
    auto s = humans(1);
    s.startScore = 101;
    window->transferSettings(s, true);
    enter("60");
    enter("60");
    prompts.dartsAnswers = {2};
    enter("41");
    EXPECT_EQ(odds(), QString::fromUtf8("Ann 100% \u00b7 Bob 0%"));
}

// The odds play on with generators of their own: a seeded game throws the very same darts
// with them on as with them off.
TEST_F(matchOddsTest, TheGamesDartsAreTheSameWithTheOddsOnOrOff) {
    const std::vector<QString> visits{"60", "45", "26", "41"};
    window->transferSettings(annAgainstBob(), true);
    const QStringList withOdds = playAgainstComputer(visits);
    window->endGame();
    window->findChild<QAction*>(QStringLiteral("MatchOdds1"))->trigger();
    window->transferSettings(annAgainstBob(), true);
    const QStringList withoutOdds = playAgainstComputer(visits);
    EXPECT_EQ(withOdds.size(), static_cast<qsizetype>(visits.size()));
    EXPECT_EQ(withOdds, withoutOdds);
}
