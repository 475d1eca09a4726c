// The game without a mouse: menus, shortcuts and the dialogs' keys, sent as real key events.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "ui/dartsUsedDialog.h"
#include "ui/gameSettings.h"
#include "ui/radioGroupFocus.h"
#include "ui/statsWindow.h"
#include "windowFixture.h"

using namespace qm;

namespace {

class keyboardTest : public windowTest {
  protected:
    void SetUp() override {
        windowTest::SetUp();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QAction* action(const char* name) const { return find<QAction>(name); }
    // A dialog counts as active with its parent; the keys need it to be the active window.
    bool activate(QWidget* dialog) {
        dialog->activateWindow();
        return runUntil([dialog] { return QApplication::activeWindow() == dialog; }, 2000);
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
};

}  // namespace

TEST_F(keyboardTest, MenusOpenWithAltAndF10AndEveryCommandShowsItsShortcut) {
    for (const char* name :
         {"Start1", "Stop1", "Exit1", "Undo1", "Redo1", "Settings1", "Statistics1"}) {
        EXPECT_FALSE(action(name)->shortcut().isEmpty()) << name;
    }
    EXPECT_EQ(action("Undo1")->shortcut(), QKeySequence(QKeySequence::Undo));
    // The visible captions stay as they were; "&" only marks the letter.
    EXPECT_EQ(action("Start1")->text().remove(QLatin1Char('&')), "Start");
    EXPECT_EQ(action("Statistics1")->text().remove(QLatin1Char('&')), "Statistics");

    const QList<QAction*> titles = window->menuBar()->actions();
    const char* letters = "GEO";
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(window.get(), Qt::Key(letters[i]), Qt::AltModifier);
        ASSERT_TRUE(runUntil([&] { return titles[i]->menu()->isVisible(); }, 2000)) << i;
        titles[i]->menu()->close();
    }
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_EQ(window->menuBar()->activeAction(), titles[0]);
}

TEST_F(keyboardTest, ShortcutsStartUndoAndRedoFromTheScoreField) {
    window->transferSettings(humans(), false);
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    ASSERT_NE(window->game(), nullptr);
    ASSERT_EQ(focused(), field());
    enter("60");
    ASSERT_EQ(window->game()->board(0).remaining(), 441);
    // The field has undo of its own; in the game the keys take back and restore the visit.
    QTest::keySequence(field(), QKeySequence::Undo);
    EXPECT_EQ(window->game()->board(0).remaining(), 501);
    QTest::keySequence(field(), QKeySequence::Redo);
    EXPECT_EQ(window->game()->board(0).remaining(), 441);
    // Ctrl+Y redoes on every desktop, not only where it is the platform's Redo.
    EXPECT_TRUE(action("Redo1")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    QTest::keySequence(field(), QKeySequence::Undo);
    QTest::keyClick(field(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window->game()->board(0).remaining(), 441);
    // A command's key that the field has a use of its own for (Ctrl+E is "end of line" on
    // many desktops; Ctrl+A selects all everywhere) still reaches the command.
    action("Stop1")->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_E), QKeySequence(Qt::CTRL | Qt::Key_A)});
    QTest::keyClick(field(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(prompts.asked.size(), 1u);
    prompts.confirmAnswers = {true};
    QTest::keyClick(field(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(window->game(), nullptr);
}

TEST_F(keyboardTest, FocusComesBackToTheScoreFieldAfterMenusAndTheStatisticsWindow) {
    window->transferSettings(humans(), true);
    auto* tabs = find<QWidget>("PageControl1");
    // Leaving a menu with Escape.
    tabs->setFocus();
    QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
    QMenu* gameMenu = window->menuBar()->actions().constFirst()->menu();
    ASSERT_TRUE(runUntil([&] { return gameMenu->isVisible(); }, 2000));
    QTest::keyClick(gameMenu, Qt::Key_Escape);
    QTest::keyClick(window->menuBar(), Qt::Key_Escape);
    EXPECT_TRUE(runUntil([&] { return window->focusWidget() == field(); }, 2000));

    // The statistics window closes with Escape, its chart menu opens with the Menu key and
    // Shift+F10, and back in the main window the totals go to the field again.
    ASSERT_TRUE(activate(window.get()));
    tabs->setFocus();
    QTest::keyClick(tabs, Qt::Key_T, Qt::ControlModifier);
    QWidget* stats = window->statisticsWindow();
    ASSERT_TRUE(activate(stats));
    for (const auto& [key, modifier] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        QTest::keyClick(stats, key, modifier);
        auto* menu = stats->findChild<QMenu*>();
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(runUntil([&] { return menu->isVisible(); }, 2000)) << key;
        menu->close();
    }
    QTest::keyClick(stats, Qt::Key_Escape);
    EXPECT_FALSE(stats->isVisible());
    ASSERT_TRUE(activate(window.get()));
    EXPECT_TRUE(runUntil([&] { return focused() == field(); }, 2000));
    QTest::keyClicks(focused(), QStringLiteral("60"));
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(window->game()->board(0).remaining(), 441);
}

TEST_F(keyboardTest, QuittingAMatchAsksFirst) {
    window->transferSettings(humans(), true);
    action("Exit1")->trigger();  // answered No
    ASSERT_EQ(prompts.asked,
              (std::vector<QString>{"A match is in progress. Are you sure you want to quit?"}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_NE(window->game(), nullptr);
    prompts.confirmAnswers = {true};
    QTest::keyClick(field(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->game(), nullptr);
    // Without a game the window closes at once.
    window->show();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(prompts.asked.size(), 2u);
}

TEST_F(keyboardTest, SettingsDialogReturnStartsAndEachRadioGroupIsOneTabStop) {
    TForm2* dialog = window->settingsDialog();
    dialog->show();
    ASSERT_TRUE(activate(dialog));
    auto* speed = dialog->findChild<QCheckBox*>("CheckBox3");
    auto* item501 = dialog->findChild<QRadioButton*>("RadioGroup3Item2");
    auto* item701 = dialog->findChild<QRadioButton*>("RadioGroup3Item3");
    auto* legs5 = dialog->findChild<QRadioButton*>("RadioGroup1Item2");

    // Tab from the box before the groups lands on the checked choice, then on the next group's.
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_Tab);
    EXPECT_EQ(focused(), item501);
    QTest::keyClick(item501, Qt::Key_Right);
    EXPECT_TRUE(item701->isChecked());
    EXPECT_EQ(focused(), item701);
    QTest::keyClick(item701, Qt::Key_Tab);
    EXPECT_EQ(focused(), legs5);

    // Space on a "Computer Player" box changes the kind as a click does.
    auto* computer1 = dialog->findChild<QCheckBox*>("CheckBox1");
    auto* strength1 = dialog->findChild<QSlider*>("TrackBar1");
    computer1->setFocus();
    QTest::keyClick(computer1, Qt::Key_Space);
    EXPECT_FALSE(computer1->isChecked());
    EXPECT_FALSE(strength1->isVisible());
    EXPECT_FALSE(speed->isEnabled());
    // Assistive technology sets the state directly.
    computer1->setChecked(true);
    EXPECT_TRUE(strength1->isVisible());
    EXPECT_TRUE(speed->isEnabled());

    auto* name1 = dialog->findChild<QComboBox*>("ComboBox1");
    QTest::keyClick(name1->lineEdit(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_NE(window->game(), nullptr);
    EXPECT_EQ(window->activeSettings().startScore, 701);
}

TEST(RadioGroupFocus, WithNothingCheckedEveryChoiceIsATabStop) {
    QButtonGroup group;
    QRadioButton first, second;
    group.addButton(&first);
    group.addButton(&second);
    makeOneTabStop(&group);
    const auto policies = [&] { return std::pair(first.focusPolicy(), second.focusPolicy()); };
    EXPECT_EQ(policies(), std::pair(Qt::StrongFocus, Qt::StrongFocus));
    second.setChecked(true);
    EXPECT_EQ(policies(), std::pair(Qt::ClickFocus, Qt::StrongFocus));
}

TEST_F(keyboardTest, DartsUsedDialogFocusesThePreselectedChoice) {
    TForm3* dialog = window->dartsUsedDialog();
    for (const int preselected : {3, 2}) {
        dialog->setSelectedDarts(preselected);
        dialog->show();
        ASSERT_TRUE(activate(dialog));
        ASSERT_EQ(focused(), dialog->findChild<QRadioButton*>(
                                 QStringLiteral("RadioGroup1Item%1").arg(preselected)));
        QTest::keyClick(focused(), Qt::Key_Space);
        EXPECT_EQ(dialog->selectedDarts(), preselected);
        QTest::keyClick(focused(), Qt::Key_Up);
        EXPECT_EQ(dialog->selectedDarts(), preselected - 1);
        QTest::keyClick(focused(), Qt::Key_Return);
        EXPECT_FALSE(dialog->isVisible());
    }
}
