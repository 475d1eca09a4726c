#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <memory>

#include <QTimer>
#include "computer/vPlayerC.h"
#include "computer/virtualBoardC.h"
#include "recordingSoundPlayer.h"
#include "scriptedPrompts.h"
#include "settings/settingsStoreC.h"
#include "stats/legRecord.h"
#include "tempDir.h"

#include "ui/boardWidget.h"
#include "ui/mainWindow.h"

// A main window on a temporary data directory with recorded sounds and scripted boxes.
class windowTest : public testing::Test {
  protected:
    windowTest() : store(dir / "quivermark.INI") {}

    void SetUp() override {
        window = makeWindow();
        window->show();
    }
    std::unique_ptr<qm::TForm1> makeWindow(bool settingsFirst = false) {
        qm::mainWindowContext context;
        context.sounds = &sounds;
        context.prompts = &prompts;
        context.settings = &store;
        context.chart = &chart;
        context.vBoard = &vBoard;
        context.dataDir = dir.path();
        context.fixedSeed = 4242;
        context.today = [] { return qm::civilDate{2026, 12, 6}; };
        context.openSettingsOnFirstShow = settingsFirst;
        return std::make_unique<qm::TForm1>(context);
    }

    template <typename T = QLabel>
    T* find(const char* name) const {
        T* child = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QString text(const char* label) const { return find<QLabel>(label)->text(); }
    QString message() const { return text("StatusBar1Panel2"); }
    QLineEdit* field() const { return find<QLineEdit>("MaskEdit1"); }

    // Clicks the middle of a target on the drawn board.
    void click(int type, int number, Qt::MouseButton button = Qt::LeftButton) {
        const qm::windowPointS at =
            qm::boardWidget::boardToWindow(vBoard.getCoordinates(type, number));
        auto* board = find<QWidget>("Board");
        QTest::mouseClick(board, button, {},
                          QPoint(static_cast<int>(at.x), static_cast<int>(at.y)) - board->pos());
    }
    void type(const QString& keys) { QTest::keyClicks(field(), keys); }
    void enter(const QString& total) {
        field()->clear();
        type(total);
        QTest::keyClick(field(), Qt::Key_Return);
    }
    QStringList lines(int player) const {
        QStringList out;
        const auto* list = find<QListWidget>(player == 0 ? "ListBox1" : "ListBox2");
        for (int i = 0; i < list->count(); ++i) {
            out << list->item(i)->text();
        }
        return out;
    }

    static qm::gameSettingsS humans(int legs = 3, int sets = 1) {
        qm::gameSettingsS s;
        s.names = {"Ann", "Bob"};
        s.isComputer = {false, false};
        s.strengths = {20, 20};
        s.startScore = 501;
        s.bestOfLegs = legs;
        s.bestOfSets = sets;
        return s;
    }

    std::vector<qm::legRecordS> records(const std::string& name) const {
        const auto bytes = readBytes(dir / (name + ".dat"));
        std::vector<qm::legRecordS> out;
        for (std::size_t i = 0; i + 16 <= bytes.size(); i += 16) {
            out.push_back(qm::decodeLegRecord(bytes.data() + i));
        }
        return out;
    }

    QTimer* timer(const char* name) const {
        return window->findChild<QTimer*>(QLatin1String(name));
    }

    // Performs the step of whichever computer timer is running; false when none is.
    bool step() {
        if (timer("aiTimer")->isActive()) {
            window->aiTimerTimer();
        } else if (timer("dart1Timer")->isActive()) {
            window->dart1TimerTimer();
        } else if (timer("dart2Timer")->isActive()) {
            window->dart2TimerTimer();
        } else if (timer("dart3Timer")->isActive()) {
            window->dart3TimerTimer();
        } else {
            return false;
        }
        return true;
    }
    // Runs one computer visit from its aiTimer tick to its completion.
    void runComputerVisit() {
        if (!timer("aiTimer")->isActive()) {
            return;
        }
        window->aiTimerTimer();
        while (timer("dart1Timer")->isActive() || timer("dart2Timer")->isActive() ||
               timer("dart3Timer")->isActive()) {
            step();
        }
    }
    // Runs the event loop until the condition holds or the time is up.
    template <typename Condition>
    bool runUntil(Condition condition, int milliseconds = 20000) {
        QElapsedTimer clock;
        clock.start();
        while (!condition() && clock.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return condition();
    }

    tempDir dir;
    recordingSoundPlayer sounds;
    scriptedPrompts prompts;
    qm::settingsStoreC store;
    const qm::vPlayerC chart;
    const qm::virtualBoardC vBoard;
    std::unique_ptr<qm::TForm1> window;
};
