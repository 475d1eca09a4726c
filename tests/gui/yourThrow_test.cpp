// A player's own throw in the window: the "Your throw" window's figures and routes, the hint's
// personal routes, the odds by the fitted scatter, and a twin's darts.
#include <QAction>
#include <QComboBox>
#include <QTableWidget>
#include <random>

#include "computer/checkoutRoute.h"
#include "computer/throwFit.h"
#include "game/personalRoutes.h"
#include "stats/dartHistoryC.h"
#include "ui/practiceDialog.h"
#include "ui/yourThrowWindow.h"
#include "windowFixture.h"

using namespace qm;

namespace {

class yourThrowTest : public windowTest {
  protected:
    // 90 practice darts of Ann's at T20 and 20 at D16, landing around their aim points.
    void SetUp() override {
        windowTest::SetUp();
        ASSERT_TRUE(store.savePlayer(0, {"Ann", "Bob"}, {false, false}, 20, false).ok);
        std::mt19937 random(3);
        std::normal_distribution<double> normal;
        drillRecordS drill{"Ann", {2026, 12, 1}, 4, 0, true, 30.0, 110, 20, {}};
        for (int i = 0; i < 110; ++i) {
            const dartS target = i < 90 ? dartS{3, 20} : dartS{2, 16};
            const boardPointS aim = vBoard.getCoordinates(target.type, target.number);
            const float x = aim.x + static_cast<float>(2.0 + 9.0 * normal(random));
            const float y = aim.y + static_cast<float>(-3.0 + 14.0 * normal(random));
            const dartS hit = vBoard.getHit({x, y});
            drill.thrown.push_back({i / 3 + 1, i % 3 + 1, hit.type, hit.number, 0, dartPointS{x, y},
                                    target.type, target.number});
            fitted.push_back({target, {x, y}});
        }
        dartHistoryC history(dir / dartHistoryFileName);
        ASSERT_TRUE(history.writeDrills({drill}));
    }
    std::vector<fitDartS> fitted;
};

}  // namespace

TEST_F(yourThrowTest, TheWindowShowsTheFitTheBestAimAndTheRoutes) {
    window->findChild<QAction*>(QStringLiteral("YourThrow1"))->trigger();
    auto* shown = window->findChild<yourThrowWindow*>(QStringLiteral("YourThrow"));
    ASSERT_NE(shown, nullptr);
    ASSERT_TRUE(shown->isVisible());
    auto* player = shown->findChild<QComboBox*>(QStringLiteral("ThrowPlayer"));
    EXPECT_EQ(player->currentText(), "Ann");
    // The choosers stand beside the board, not over it.
    auto* board = shown->findChild<QWidget*>(QStringLiteral("ThrowBoard"));
    EXPECT_GT(player->mapTo(shown, QPoint()).x(),
              board->mapTo(shown, QPoint()).x() + board->width());
    const throwFitS fit = fitThrow(fitted, vBoard);
    const normalScatterS& trebles = fit.of(aimKind::trebles).scatter;
    const bestAimS best =
        bestAim(scatterChancesC(trebles, vBoard), expectedPointsMap(trebles), vBoard);
    const QString figures = shown->figuresText();
    EXPECT_TRUE(figures.startsWith(
        "Trebles: fitted from 90 darts\nBias: " + QString::number(trebles.biasX, 'f', 1) +
        " across, " + QString::number(trebles.biasY, 'f', 1) + " up"))
        << figures.toStdString();
    for (const double points : {best.points, best.treble20, best.treble19}) {
        EXPECT_TRUE(figures.contains(QString::number(points, 'f', 2) + " points a dart"));
    }
    EXPECT_TRUE(figures.contains(
        QStringLiteral("Best aim for points: (%1, %2)").arg(best.aim.x).arg(best.aim.y)));
    EXPECT_TRUE(
        figures.contains("Colours: the points one dart scores on average aimed at each "
                         "point (red most)"));
    EXPECT_EQ(board->accessibleName(), "Expected points at every aim point");
    // Each dart a white dot, and the best aim a white cross of six pixels each way.
    const QImage image = board->grab().toImage();
    const auto white = [&image](double x, double y) {
        const QColor c = image.pixelColor(QPointF(200 + 1.1 * x, 200 - 1.1 * y).toPoint());
        return std::min({c.red(), c.green(), c.blue()}) > 190;
    };
    EXPECT_GT(std::count_if(fitted.begin(), fitted.end(),
                            [&](const fitDartS& d) { return white(d.landing.x, d.landing.y); }),
              50);  // most: some dots only part-cover the pixel read
    for (const double x : {1.0, -1.0}) {
        for (const double y : {1.0, -1.0}) {
            EXPECT_TRUE(white(best.aim.x + 6 * x / 1.1, best.aim.y + 6 * y / 1.1)) << x << y;
            EXPECT_FALSE(white(best.aim.x + 7 * x / 1.1, best.aim.y + 7 * y / 1.1)) << x << y;
        }
    }

    auto* kind = shown->findChild<QComboBox*>(QStringLiteral("ThrowKind"));
    kind->setCurrentIndex(kind->findText("Doubles"));
    EXPECT_TRUE(shown->figuresText().startsWith(
        "Doubles: 20 darts with a known target and landing point: not enough darts yet (30 "
        "wanted)."));
    kind->setCurrentIndex(kind->findText("All darts"));
    EXPECT_TRUE(shown->figuresText().startsWith("All darts: fitted from 110 darts"));

    // The routes: every score from 170 down, three darts in hand to one.
    auto* routes = shown->findChild<QTableWidget*>(QStringLiteral("RoutesTable"));
    ASSERT_EQ(routes->rowCount(), 169 * 3);
    fittedChancesC outcomes(fit, vBoard);
    const personalRoutesC table(outcomes, chart);
    for (const int row : {0, 3 * (170 - 40) + 2, routes->rowCount() - 1}) {
        const int score = 170 - row / 3;
        const int inHand = 3 - row % 3;
        const personalRouteS& r = table.at(score, inHand);
        EXPECT_EQ(routes->item(row, 0)->text(), QString::number(score));
        EXPECT_EQ(routes->item(row, 1)->text(), QString::number(inHand));
        EXPECT_EQ(routes->item(row, 2)->text().toStdString(), routeText(r.route));
        EXPECT_EQ(routes->item(row, 3)->text(), QString::number(r.chance * 100, 'f', 1) + "%");
        EXPECT_EQ(routes->item(row, 4)->text().toStdString(), routeText(r.chartRoute));
        EXPECT_EQ(routes->item(row, 5)->text(), QString::number(r.chartChance * 100, 'f', 1) + "%");
    }
    player->setCurrentIndex(player->findText("Bob"));  // no darts at all
    EXPECT_TRUE(shown->figuresText().startsWith("All darts: 0 darts"));
    EXPECT_EQ(routes->rowCount(), 0);
}

TEST_F(yourThrowTest, HintOddsAndATwinFollowTheFit) {
    // Ann's hint gives her own route when asked for, the chart's otherwise.
    ASSERT_TRUE(store.savePersonalRoutes(false));
    window->transferSettings(humans(), true);
    for (int i = 0; i < 10; ++i) {
        enter("60");
    }
    // A score whose best route for Ann is not the chart's.
    fittedChancesC outcomes(fitThrow(fitted, vBoard), vBoard);
    const personalRoutesC table(outcomes, chart);
    int left = 100;
    while (table.at(left, 3).route == checkoutRoute(chart, left, 3)) {
        ASSERT_GT(--left, 40);
    }
    enter(QString::number(201 - left));
    enter("5");  // Bob; Ann to throw
    EXPECT_EQ(text("CheckoutHint").toStdString(), routeText(checkoutRoute(chart, left, 3)));
    window->findChild<QAction*>(QStringLiteral("PersonalRoutes1"))->trigger();
    EXPECT_TRUE(store.readPersonalRoutes());
    EXPECT_EQ(text("CheckoutHint").toStdString(), routeText(table.at(left, 3).route));
    EXPECT_TRUE(
        find<QLabel>("MatchOdds")
            ->toolTip()
            .startsWith(
                "Ann: modelled by their own scatter, fitted from 110 practice darts\nBob:"));
    window->Stop1Click();

    // Bot as Ann's twin: the same darts from the same seed, not those of its strength.
    const auto firstVisit = [this](const std::string& twin) {
        window->endGame();
        gameSettingsS s = humans();
        s.names = {"Bot", "Bob"};
        s.isComputer = {true, false};
        s.twinOf = {twin, ""};
        window->transferSettings(s, true);
        runComputerVisit();
        return window->game()->board(0).remaining();
    };
    const int twin = firstVisit("Ann");
    EXPECT_EQ(firstVisit("Ann"), twin);
    EXPECT_NE(firstVisit(""), twin);
    window->endGame();
    gameSettingsS untwinned = humans();
    untwinned.names = {"Bot", "Bob"};
    untwinned.isComputer = {true, false};
    untwinned.twinOf = {"Bob", ""};  // no darts of Bob's: Bot throws at its strength
    window->transferSettings(untwinned, true);
    EXPECT_TRUE(
        find<QLabel>("MatchOdds")
            ->toolTip()
            .startsWith(
                "Bot: computer player of strength 20 (no twin of Bob yet: not enough darts)\n"));
    EXPECT_TRUE(find<QLabel>("MatchOdds")->toolTip().startsWith("Bot: computer player"));
    firstVisit("Ann");
    EXPECT_TRUE(find<QLabel>("MatchOdds")
                    ->toolTip()
                    .startsWith("Bot: modelled by a human's own scatter, fitted from 110 "
                                "practice darts"));

    // In a drill too: a computer on the list that is Ann's twin throws by her fit.
    window->endGame();
    ASSERT_TRUE(store.addComputerPlayer("Bot", 20).ok);
    ASSERT_TRUE(store.saveTwinOf("Bot", "Ann"));
    practiceChoiceS choice;
    choice.setup.kind = drillKind::bobs27;
    choice.players = {{"Bot", true, 20}, {"Cy", true, 20}};
    window->startPractice(choice);
    ASSERT_NE(window->practice(), nullptr);
    ASSERT_TRUE(window->practice()->player(0).twin.has_value());
    const scatterFitS& pooled = window->practice()->player(0).twin->of(aimKind::all);
    EXPECT_EQ(pooled.darts, 110);
    EXPECT_NEAR(pooled.scatter.sigmaY, fitThrow(fitted, vBoard).of(aimKind::all).scatter.sigmaY,
                0.01);  // the history keeps a point to a few hundredths
    EXPECT_FALSE(window->practice()->player(1).twin.has_value());
}
