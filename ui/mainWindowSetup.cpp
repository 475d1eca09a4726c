// The main window's construction: controls, menu, timers, pictures, painting and the mouse.
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include "ui/aboutWindow.h"
#include "ui/boardWidget.h"
#include "ui/clientArea.h"
#include "ui/dartsUsedDialog.h"
#include "ui/gameModes.h"
#include "ui/gameSettings.h"
#include "ui/mainWindow.h"
#include "ui/numberedLabel.h"
#include "ui/promptService.h"
#include "ui/soundPlayer.h"
#include "ui/statsWindow.h"

namespace qm {

namespace {

// The platform's key for a standard command, or Ctrl with the given key where the platform
// has none (the offscreen platform of the tests, for one).
// The platform's keys for a command, and Ctrl with the fallback letter too: the README
// promises Ctrl+Y for Redo, which desktops with Ctrl+Shift+Z as their Redo do not give.
QList<QKeySequence> standardAnd(QKeySequence::StandardKey standard, Qt::Key fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    const QKeySequence plain(Qt::CTRL | fallback);
    if (!keys.contains(plain)) {
        keys.append(plain);
    }
    return keys;
}

constexpr int clientWidth = 772;
constexpr int clientHeight = 614;
constexpr int statusHeight = 22;

void fitFontTo(QLabel* label, const QString& widest) {
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(widest) > label->width() &&
           font.pointSizeF() > 6.0) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    label->setFont(font);
}

struct pictureSlot {
    const char* resource;
    const char* failure;
    QPoint at;
    std::optional<QPoint> keyPixel;  // none: the bottom-left pixel
};

}  // namespace

// The computer's visit, dart by dart (aim and hit), and the mouse readout of the board.
void TForm1::buildComputerPanels(QWidget* area) {
    auto* panel1 = new QWidget(area);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setGeometry(360, 388, 212, 82);
    for (int k = 0; k < 3; ++k) {
        aimLabel_[k] = makeLabel(panel1, 3 + k, QStringLiteral("Label%1").arg(3 + k),
                                 {4, 4 + 25 * k, 104, 20});
        hitLabel_[k] = makeLabel(panel1, 6 + k, QStringLiteral("Label%1").arg(6 + k),
                                 {110, 4 + 25 * k, 100, 20});
    }
    auto* panel2 = new QWidget(area);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setGeometry(577, 388, 100, 60);
    coordinatesLabel_ = makeLabel(panel2, 24, QStringLiteral("Coordinates"), {4, 6, 96, 20});
    // The panel keeps its size: the font shrinks until the widest readout fits.
    fitFontTo(coordinatesLabel_,
              QStringLiteral("Coord (%1,%2)").arg(clientWidth - 1).arg(clientHeight - 1));
    resultLabel_ = makeLabel(panel2, 25, QStringLiteral("Result"), {4, 32, 96, 20});
}

void TForm1::buildControls() {
    auto* area = new clientArea(this);
    clientArea_ = area;
    area->setObjectName(QStringLiteral("ClientArea"));
    area->setFixedSize(clientWidth, clientHeight);
    area->setAccessibleName(QStringLiteral("Dartboard"));
    area->setAccessibleDescription(
        QStringLiteral("The board on which computer players throw; click it to enter your "
                       "darts (a right click takes the last one back); the panel below it reads "
                       "out the target under the mouse"));
    area->onPaint = [this](QPainter& painter) { FormPaint(painter); };
    area->onMouseMove = [this](QPoint at) { FormMouseMove(at.x(), at.y()); };
    setCentralWidget(area);
    board_ = new boardWidget(*context_.vBoard, area);
    board_->marks = [this] { return boardMarks(); };
    board_->onDart = [this](boardPointS point, dartS hit) { BoardClick(point, hit); };
    board_->onTakeBack = [this] { takeBackDart(); };
    board_->onPointer = [this](QPoint at) { FormMouseMove(at.x(), at.y()); };

    MaskEdit1 = new QLineEdit(area);
    MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
    MaskEdit1->setGeometry(25, 558, 120, 24);
    // Up to three digits, none required; the initial hint is set as text and is not validated.
    MaskEdit1->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}")), MaskEdit1));
    MaskEdit1->setText(QStringLiteral("Game/start"));
    MaskEdit1->setAccessibleName(QStringLiteral("Visit total"));
    MaskEdit1->setAccessibleDescription(
        QStringLiteral("Type the total of your three darts and press Enter"));
    MaskEdit1->installEventFilter(this);

    buildComputerPanels(area);

    PageControl1 = new QTabWidget(area);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->setGeometry(300, 474, 378, 116);
    const modePanelPlaceS place{area, PageControl1, [this](int p) { return playerName(p); }};
    for (const gameModeEntryS& mode : gameModes()) {
        panels_.emplace(std::string(mode.id), mode.makePanel(place));
    }
    buildDartEntry(area);

    StatusBar1 = new QStatusBar(area);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, clientHeight - statusHeight, clientWidth, statusHeight);
    const QString initial[] = {QStringLiteral("Info"), QStringLiteral("."),
                               QStringLiteral("System info")};
    const int widths[] = {90, 380, 250};
    for (int i = 0; i < 3; ++i) {
        statusPanel_[i] = new QLabel(initial[i], StatusBar1);
        statusPanel_[i]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i + 1));
        statusPanel_[i]->setMinimumWidth(widths[i]);
        StatusBar1->addWidget(statusPanel_[i], i == 1 ? 1 : 0);
    }
}

void TForm1::buildMenu() {
    // The captions are the menu's own; "&" only underlines the letter that Alt reaches.
    auto addItem = [this](QMenu* menu, const char* name, const QString& text,
                          const QList<QKeySequence>& shortcuts, auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcuts(shortcuts);
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu* game = menuBar()->addMenu(QStringLiteral("&Game"));
    addItem(game, "Start1", QStringLiteral("&Start"), {QKeySequence(Qt::CTRL | Qt::Key_N)},
            &TForm1::Start1Click);
    buildPractice(game);
    addItem(game, "Stop1", QStringLiteral("&Terminate"), {QKeySequence(Qt::CTRL | Qt::Key_E)},
            &TForm1::Stop1Click);
    addItem(game, "Exit1", QStringLiteral("E&xit"), standardAnd(QKeySequence::Quit, Qt::Key_Q),
            &TForm1::Exit1Click);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    addItem(edit, "Undo1", QStringLiteral("&Undo"), standardAnd(QKeySequence::Undo, Qt::Key_Z),
            &TForm1::Undo1Click);
    addItem(edit, "Redo1", QStringLiteral("&Redo"), standardAnd(QKeySequence::Redo, Qt::Key_Y),
            &TForm1::Redo1Click);
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    addItem(options, "Settings1", QStringLiteral("&Settings"),
            standardAnd(QKeySequence::Preferences, Qt::Key_Comma), &TForm1::Settings1Click);
    addItem(options, "Statistics1", QStringLiteral("S&tatistics"),
            {QKeySequence(Qt::CTRL | Qt::Key_T)}, &TForm1::Statistics1Click);
    addItem(options, "PracticeStatistics1", QStringLiteral("&Practice statistics\u2026"), {},
            &TForm1::PracticeStatistics1Click);
    buildHints(clientArea_, options);
    buildOdds(clientArea_, options);
    buildCaller(options);
    buildThrow(options);
    QAction* about = menuBar()->addAction(QStringLiteral("&About"));
    about->setObjectName(QStringLiteral("About1"));
    connect(about, &QAction::triggered, this, &TForm1::About1Click);

    for (QMenu* menu : {game, edit, options}) {
        connect(menu, &QMenu::aboutToHide, this, &TForm1::focusScoreFieldSoon);
    }

    // F10 opens the menu bar, as in other desktop programs.
    auto* openMenu = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(openMenu, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
}

void TForm1::buildTimers() {
    auto makeTimer = [this](QTimer*& timer, const char* name, int interval, auto handler) {
        timer = new QTimer(this);
        timer->setObjectName(QLatin1String(name));
        timer->setInterval(interval);
        connect(timer, &QTimer::timeout, this, handler);
    };
    // The computer's pace is set in one place, from the settings' speed mode.
    makeTimer(aiTimer, "aiTimer", 0, &TForm1::aiTimerTimer);
    makeTimer(dart1Timer, "dart1Timer", 0, &TForm1::dart1TimerTimer);
    makeTimer(dart2Timer, "dart2Timer", 0, &TForm1::dart2TimerTimer);
    makeTimer(dart3Timer, "dart3Timer", 0, &TForm1::dart3TimerTimer);
    setComputerIntervals(false);
    makeTimer(termTimer, "termTimer", 3000, &TForm1::termTimerTimer);
    makeTimer(wonTimer, "wonTimer", 100, &TForm1::wonTimerTimer);
}

void TForm1::loadPictures() {
    const pictureSlot placements[] = {
        {"BOARD", "Could not load or display board.bmp", {341, 10}, std::nullopt},
        {"QUIVERMARK", "Could not load or display quivermark.bmp", {680, 19}, QPoint(2, 2)},
        {"AI", "Could not load or display ai.bmp", {360, 355}, std::nullopt},
        {"INFO", "Could not load or display info.bmp", {577, 355}, std::nullopt},
        {"HUMAN", "Could not load or display human.bmp", {25, 525}, std::nullopt},
        {"FRAME", "Could not load or display frame.bmp", {12, 20}, QPoint(50, 50)},
        {"FRAME", "Could not load or display frame.bmp", {156, 20}, QPoint(50, 50)},
    };
    for (const auto& slot : placements) {
        const QImage image(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(slot.resource)));
        if (image.isNull()) {
            context_.prompts->information(this, QLatin1String(slot.failure));
            continue;
        }
        const QPoint keyAt = slot.keyPixel.value_or(QPoint(0, image.height() - 1));
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setMask(
            QBitmap::fromImage(image.createMaskFromColor(image.pixel(keyAt), Qt::MaskInColor)));
        pictures_.push_back({pixmap, slot.at});
    }
}

void TForm1::FormPaint(QPainter& painter) const {
    for (const auto& [pixmap, at] : pictures_) {
        painter.drawPixmap(at, pixmap);
    }
}

boardWidget::marksS TForm1::boardMarks() const {
    // A human visit being entered shows its darts; otherwise the last visit's stay, and the
    // aim of the computer's dart still to land.
    boardWidget::marksS marks{aimMark_, dartMarks_};
    if (game_ && !game_->enteredDarts().empty()) {
        marks.darts.clear();
        for (const enteredDartS& dart : game_->enteredDarts()) {
            if (dart.point) {
                marks.darts.push_back(*dart.point);
            }
        }
    }
    return marks;
}

void TForm1::FormMouseMove(int x, int y) {
    coordinatesLabel_->setText(QStringLiteral("Coord (%1,%2)").arg(x).arg(y));
    const dartS hit = context_.vBoard->getHit(boardWidget::windowToBoard(x, y));
    resultLabel_->setText(QStringLiteral("%1 x %2").arg(hit.type).arg(hit.number));
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShow_ && context_.openSettingsOnFirstShow) {
        firstShow_ = false;
        // After the window is on screen, the user chooses the settings before anything else.
        QTimer::singleShot(0, this, [this] { settingsDialog_->exec(); });
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Quitting in the middle of a match asks first, as Terminate does.
    if (game_) {
        const bool yes = context_.prompts->confirm(
            this, QStringLiteral("A match is in progress. Are you sure you want to quit?"));
        if (!yes) {
            event->ignore();
            return;
        }
    }
    if (practising()) {
        endPractice(true);  // the drill's darts are kept, with no result
    }
    endGame();
    QMainWindow::closeEvent(event);
}

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        focusScoreFieldSoon();
    }
}

void TForm1::focusScoreFieldSoon() {
    // After the menu bar or the window system has put the focus where it likes: typed totals
    // must reach the field, never a tab that drops them.
    QTimer::singleShot(0, this, [this] {
        if (game_ && game_->turn().what == turnS::waitingFor::humanVisit &&
            QApplication::activePopupWidget() == nullptr) {
            MaskEdit1->setFocus(Qt::OtherFocusReason);
        }
    });
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::Statistics1Click() {
    playSound("OPEN");
    if (statisticsWindow_->isMinimized()) {
        statisticsWindow_->showNormal();  // restored as it was left
    }
    statisticsWindow_->show();
    statisticsWindow_->raise();
    statisticsWindow_->activateWindow();
}

void TForm1::About1Click() {
    playSound("OPEN");
    aboutBox_->exec();
}

void TForm1::playSound(const char* name) {
    context_.sounds->play(name);
}

}  // namespace qm
