#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "game/MatchC.h"
#include "game/matchOdds.h"
#include "game/personalRoutes.h"
#include "game/playerModel.h"
#include "game/practiceC.h"
#include "settings/settingsStoreC.h"
#include "ui/boardWidget.h"
#include "ui/modePanel.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTabWidget;
class QStatusBar;

namespace qm {

class yourThrowWindow;

class promptService;
class soundPlayer;
class oddsWorker;
class legRecorderC;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class practiceDialog;
struct practiceChoiceS;

// What the main window works with, handed in by main() or by a test.
struct mainWindowContext {
    soundPlayer* sounds = nullptr;
    promptService* prompts = nullptr;
    settingsStoreC* settings = nullptr;
    const vPlayerC* chart = nullptr;
    const virtualBoardC* vBoard = nullptr;
    std::filesystem::path dataDir;           // leg records go here
    std::optional<std::uint32_t> fixedSeed;  // tests: seed once, never from the clock
    std::function<civilDate()> today = localToday;
    bool openSettingsOnFirstShow = true;
};

// The main window: the score sheets, the board on which the computer throws, the menu and the
// status bar. The rules live in MatchC; the window turns events into calls on it, paces the
// computer's darts with its timers, and redraws from the game's state.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(mainWindowContext context, QWidget* parent = nullptr);
    ~TForm1() override;

    // Settings from the settings dialog; with start set a game begins at once.
    void transferSettings(const gameSettingsS& settings, bool start);
    bool createGame();
    bool endGame();

    // Menu commands.
    void Start1Click();
    // Game / Practice...: the practice dialog, and a drill started from it (mainWindowPractice).
    void Practice1Click();
    void startPractice(const practiceChoiceS& choice);
    void Stop1Click();
    void Exit1Click();
    void Undo1Click();
    void Redo1Click();
    void Settings1Click();
    void Statistics1Click();
    // Options / Practice statistics: the statistics window's practice page.
    void PracticeStatistics1Click();
    void About1Click();
    // Options / Checkout hints: shows or hides the route and remembers the choice.
    void CheckoutHints1Click(bool on);
    void MatchOdds1Click(bool on);
    // Options / Caller: turns the caller on and off and remembers the choice.
    void Caller1Click(bool on);

    // The score entry field's key handling; true when the key was consumed.
    bool MaskEdit1KeyDown(int key);
    // Darts entered one at a time (mainWindowDarts.cpp): a click on the board (a right click
    // takes the last dart back), the notation field's keys, and the visit's end.
    // A left click on the board: a dart for the human to throw.
    void BoardClick(boardPointS point, dartS hit);
    bool DartsEditKeyDown(int key);
    void FormMouseMove(int x, int y);

    // Timer ticks.
    void aiTimerTimer();
    void dart1TimerTimer();
    void dart2TimerTimer();
    void dart3TimerTimer();
    void termTimerTimer();
    void wonTimerTimer();

    // Display routines.
    void refreshScoreList(int player);
    void refreshScores();
    void clearAimLines();
    // The checkout route of the score left, beside the score field, while a human is to throw.
    void showCheckoutHint();
    // Asks for the match odds of the state on the board (or shows them at once where they
    // need no working out); the figure follows when it is ready.
    void showOdds();
    // A figure is being worked out (for tests, which wait for it).
    [[nodiscard]] bool oddsPending() const;
    void showInfoText(const QString& text);
    void showMessageText(const QString& text);
    void reportError(const QString& text);
    // A refused command or input: the "INVALID" sound and one line in the message panel.
    void refuse(const QString& message);

    [[nodiscard]] const MatchC* game() const { return game_.get(); }
    [[nodiscard]] const practiceC* practice() const { return practice_.get(); }
    [[nodiscard]] practiceDialog* practiceChooser() const { return practiceDialog_; }
    // Waits at most `timeout` until the darts of every finished leg are in the history (or it
    // has failed); true when none is waiting. For tests, which read the history behind it.
    bool dartsWritten(std::chrono::milliseconds timeout);
    [[nodiscard]] const gameSettingsS& activeSettings() const { return activeSettings_; }
    [[nodiscard]] bool terminatePending() const { return terminatePending_; }
    [[nodiscard]] TForm2* settingsDialog() const { return settingsDialog_; }
    [[nodiscard]] TForm3* dartsUsedDialog() const { return dartsUsedDialog_; }
    [[nodiscard]] TForm4* statisticsWindow() const { return statisticsWindow_; }

    // Painting: the pictures, the aim mark and the marks of the last computer visit.
    void FormPaint(QPainter& painter) const;
    // What the board's marks show now.
    [[nodiscard]] boardWidget::marksS boardMarks() const;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct picture {
        QPixmap pixmap;
        QPoint at;
    };

    void buildControls();
    void buildMenu();
    // Puts the focus back on the score field once the event in hand is done, if a human is to
    // throw.
    void focusScoreFieldSoon();
    void buildHints(QWidget* area, QMenu* options);
    // The match odds (mainWindowOdds.cpp).
    void buildOdds(QWidget* area, QMenu* options);
    struct oddsModelS {
        std::optional<int> strength;        // none: nothing yet to model the player by
        QString how;                        // what the tooltip says of it
        std::optional<throwFitS> fitted{};  // their own scatter, in place of the strength
    };
    oddsModelS oddsModel(int p);
    std::optional<recentAverageS> historyAverage(int p);
    void showOddsFigure(const oddsS& odds);
    void buildCaller(QMenu* options);
    // Offers the caller if the sound player has a voice; says why not otherwise.
    void offerCaller();
    void call(const std::vector<std::string>& phrases);
    void callVisit(int player);
    void callGameShot(const visitOutcomeS& outcome);
    void callGameOn();
    void buildTimers();
    void buildComputerPanels(QWidget* area);
    void loadPictures();
    // The settings the next game uses, and the computer's pace that goes with them: every
    // way settings reach the window goes through here.
    void setActiveSettings(const gameSettingsS& settings);
    void setComputerIntervals(bool speedMode);

    void humanCompletion(const visitOutcomeS& outcome, const QString& typed);
    void buildDartEntry(QWidget* area);
    [[nodiscard]] bool humanToThrow() const;
    // Enters one dart; what came of it (DartEntered while the visit goes on).
    VisitResult enterDart(const enteredDartS& dart);
    void visitDone(const visitOutcomeS& outcome, const std::vector<enteredDartS>& visit);
    void completeEnteredDarts();
    void takeBackDart();
    // Shows the visit after its last dart was taken back (Backspace, a right click, Undo).
    void takeBackDartShown();
    // Clears "Last visit: ..." once undo or redo may have changed which visit was last.
    void forgetLastVisit();
    void clearEnteredDarts();
    void showEnteredDarts();
    void announceDarts();
    void showDartFigures();
    // What the recorder says of the dart history, from its own thread: shown once it is back
    // on the window's.
    void historyReport(int kind, const std::string& text);
    void completeVisit();
    void announceTurn();
    // The boxes and sounds of a won leg or match; false when the game ended meanwhile.
    bool finishLegOrMatch(const visitOutcomeS& outcome, bool human);
    bool stillPlaying(std::uint64_t serial) const;
    void terminateNow();
    // The names above the score lists and on the score tab, as the active settings have them.
    void showPlayerNames();

    void aimDart(int k);
    bool throwDart(int k);
    // Darts 1 and 2: throw, then aim the next dart or complete an ended visit.
    void dartTick(int k);
    void playSound(const char* name);
    // Practice (mainWindowPractice.cpp): the drill under way takes the darts entered, undo,
    // redo and Terminate while it lasts.
    [[nodiscard]] bool practising() const { return practice_ && !practice_->gameOver(); }
    void buildPractice(QMenu* game);
    void practiceDart(const enteredDartS& dart);
    void practiceStepDone(practiceStep step);
    void practiceComputerTick();
    void practiceUndo();
    // Undo refused, for a computer game or a computer to throw: said, and true.
    bool undoRefused(const undoResultS& result);
    void practiceRedo();
    void practiceTakeBack(bool all);
    // The notation field's line for the drill: its darts, until one ends the visit.
    void practiceTyped();
    void endPractice(bool abandoned);
    void showPractice();
    void paintPracticeTargets(QPainter& painter) const;
    [[nodiscard]] modePanelC& panel(std::string_view mode) const;
    // A player's own throw (mainWindowThrow.cpp): the "Your throw" window, the personal
    // checkout routes, and the scatters fitted for this game's players.
    void buildThrow(QMenu* options);
    void YourThrow1Click();
    void PersonalRoutes1Click(bool on);
    // Reads the fits of the active settings' players: a human's own, a twin's human's.
    void fitPlayers();
    // A player's fit where they have one (none for no name).
    [[nodiscard]] std::optional<throwFitS> fitOf(const std::string& human) const;
    // The personal route for the player to throw, where that is asked for and they have a fit.
    [[nodiscard]] std::optional<std::vector<dartS>> personalRoute(int player, int left, int inHand);
    QString playerName(int player) const;

    mainWindowContext context_;
    gameSettingsS activeSettings_;
    std::unique_ptr<MatchC> game_;
    std::unique_ptr<practiceC> practice_;           // the drill under way, or the last one shown
    std::vector<practiceResultS> practiceResults_;  // handed over by the drill, to be kept
    practiceDialog* practiceDialog_ = nullptr;
    QTimer* practiceTimer_ = nullptr;
    std::uint64_t gameSerial_ = 0;
    bool terminatePending_ = false;
    bool firstShow_ = true;

    // What the board shows of the computer's visit; it stays until the next visit begins.
    std::optional<boardPointS> aimMark_;
    std::vector<boardPointS> dartMarks_;

    std::vector<picture> pictures_;

    QWidget* clientArea_ = nullptr;
    boardWidget* board_ = nullptr;
    // The labels that show one player, by what they show; their object names are the
    // "Label<n>" the window has always had (1 and 2 headings, 47 and 48 the large scores, ...).
    // Each mode's scores and figures beside the board, by the mode's id.
    std::map<std::string, std::unique_ptr<modePanelC>, std::less<>> panels_;
    std::array<QLabel*, 3> aimLabel_{};  // the computer's visit: "Aiming at" per dart
    std::array<QLabel*, 3> hitLabel_{};  // and "Got" per dart
    QLabel* coordinatesLabel_ = nullptr;
    QLabel* resultLabel_ = nullptr;
    QLineEdit* MaskEdit1 = nullptr;
    QLabel* checkoutHint_ = nullptr;
    QLabel* visitDarts_ = nullptr;  // the darts of the visit being entered, or of the last
    QLineEdit* dartsEdit_ = nullptr;
    std::array<QLabel*, 2> dartFigureName_{};
    std::array<std::array<QLabel*, 4>, 2> dartFigureLabels_{};
    // Every finished leg's records and darts; the darts are written on a thread of its own.
    std::unique_ptr<legRecorderC> recorder_;
    QAction* checkoutHints_ = nullptr;
    QAction* personalRoutes_ = nullptr;
    yourThrowWindow* yourThrow_ = nullptr;
    std::array<std::optional<throwFitS>, 2> fits_;  // this game's players, where they have one
    std::array<QString, 2> twinNotes_;              // a twin without a fit, for the odds' tooltip
    std::array<std::unique_ptr<personalRoutesC>, 2> routes_;  // worked out at the first hint
    QLabel* matchOdds_ = nullptr;
    QAction* matchOddsOn_ = nullptr;
    oddsWorker* oddsWorker_ = nullptr;
    std::optional<oddsQuestionS> oddsAsked_;  // the question the figure shown (or coming) answers
    QString oddsTip_;
    std::array<std::optional<recentAverageS>, 2> history_{};
    std::uint64_t historyFor_ = 0;  // the game whose players' histories were read
    QAction* caller_ = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 3> statusPanel_{};

    QTimer* aiTimer = nullptr;
    QTimer* dart1Timer = nullptr;
    QTimer* dart2Timer = nullptr;
    QTimer* dart3Timer = nullptr;
    QTimer* termTimer = nullptr;
    QTimer* wonTimer = nullptr;

    TForm2* settingsDialog_ = nullptr;
    TForm3* dartsUsedDialog_ = nullptr;
    TForm4* statisticsWindow_ = nullptr;
    TForm5* aboutBox_ = nullptr;
};

}  // namespace qm
