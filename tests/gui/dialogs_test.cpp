#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <fstream>

#include "ui/aboutWindow.h"
#include "ui/dartsUsedDialog.h"
#include "ui/gameSettings.h"
#include "ui/promptService.h"
#include "windowFixture.h"

using namespace qm;

namespace {

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class settingsDialogTest : public windowTest {
  protected:
    void SetUp() override {
        windowTest::SetUp();
        dialog = window->settingsDialog();
        dialog->show();
    }
    template <typename T>
    T* child(const char* name) const {
        T* found = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QComboBox* nameBox(int p) const { return child<QComboBox>(p == 0 ? "ComboBox1" : "ComboBox2"); }
    QCheckBox* computer(int p) const {
        return child<QCheckBox>(p == 0 ? "CheckBox1" : "CheckBox2");
    }
    QSlider* strength(int p) const { return child<QSlider>(p == 0 ? "TrackBar1" : "TrackBar2"); }
    bool checked(const char* item) const { return child<QRadioButton>(item)->isChecked(); }
    void press(const char* button) { child<QPushButton>(button)->click(); }

    TForm2* dialog = nullptr;
};

}  // namespace

TEST_F(settingsDialogTest, FirstShowingWithoutAnIniFile) {
    EXPECT_EQ(strength(0)->value(), 20);
    EXPECT_EQ(child<QLabel>("Label4")->text(), "20");
    EXPECT_TRUE(child<QLabel>("Label3")->isVisible());
    EXPECT_TRUE(child<QCheckBox>("CheckBox3")->isEnabled());
    EXPECT_TRUE(checked("RadioGroup3Item2"));  // 501
    EXPECT_TRUE(checked("RadioGroup1Item2"));  // best of 5 legs
    EXPECT_TRUE(checked("RadioGroup2Item0"));  // best of 1 set
    // Each player's controls in a row of their own, left to right, player 2 below player 1.
    const auto* grid = qobject_cast<QGridLayout*>(nameBox(0)->parentWidget()->layout());
    ASSERT_NE(grid, nullptr);
    const auto cell = [grid](QWidget* widget) {
        std::array<int, 4> at{-1, -1, 0, 0};
        grid->getItemPosition(grid->indexOf(widget), &at[0], &at[1], &at[2], &at[3]);
        return at;
    };
    EXPECT_EQ(cell(child<QLabel>("Label3")), (std::array<int, 4>{0, 3, 1, 3}));  // over strength
    const char* names[] = {"Label", "ComboBox",        "CheckBox", "TrackBar",
                           "Label", "StrengthAverage", "TwinBox"};
    for (int p = 0; p < 2; ++p) {
        EXPECT_EQ(nameBox(p)->currentText(), QStringLiteral("Player %1").arg(p + 1));
        EXPECT_TRUE(computer(p)->isChecked());
        EXPECT_EQ(strength(p)->minimumWidth(), 120);
        for (int column = 0; column < 7; ++column) {
            const std::string name = names[column] + std::to_string(p + (column == 4 ? 4 : 1));
            EXPECT_EQ(cell(child<QWidget>(name.c_str())), (std::array<int, 4>{p + 1, column, 1, 1}))
                << name;
        }
    }
}

TEST_F(settingsDialogTest, StrengthShowsTheAverageItScores) {
    auto* average = child<QLabel>("StrengthAverage1");
    strength(0)->setValue(40);
    EXPECT_EQ(average->text(), QStringLiteral("\u2248 96 avg"));  // 95.86 in the shipped table
    EXPECT_EQ(strength(0)->toolTip(), "Strength 40: about 95.9 points per three darts");
    strength(0)->setValue(1);
    EXPECT_EQ(average->text(), QStringLiteral("\u2248 1 avg"));
    strength(0)->setValue(60);
    EXPECT_EQ(average->text(), QStringLiteral("\u2248 123 avg"));
    computer(0)->click();  // a human has no strength
    EXPECT_FALSE(average->isVisible());
}

TEST_F(settingsDialogTest, KindsSteerStrengthAndSpeedMode) {
    auto* speed = child<QCheckBox>("CheckBox3");
    speed->setChecked(true);
    computer(0)->click();  // player 1 becomes human
    EXPECT_FALSE(strength(0)->isVisible());
    EXPECT_FALSE(speed->isEnabled());
    EXPECT_FALSE(speed->isChecked());
    computer(1)->click();
    EXPECT_FALSE(child<QLabel>("Label3")->isVisible());
    computer(0)->click();
    computer(1)->click();
    EXPECT_TRUE(speed->isEnabled());
    EXPECT_FALSE(speed->isChecked());
}

TEST_F(settingsDialogTest, SavingAPairWritesTheIniAndHandsItOver) {
    nameBox(0)->setEditText("Bot");
    strength(0)->setValue(35);
    nameBox(1)->setEditText("Ann");
    computer(1)->click();
    child<QRadioButton>("RadioGroup3Item4")->setChecked(true);  // 1001
    child<QRadioButton>("RadioGroup2Item1")->setChecked(true);  // best of 3 sets
    press("Button2");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(sounds.played.back(), "OPEN");
    EXPECT_EQ(message(), "Menu Game/Start to start the game");
    EXPECT_EQ(window->activeSettings().names[0], "Bot");
    EXPECT_EQ(window->activeSettings().startScore, 1001);
    EXPECT_EQ(window->activeSettings().bestOfSets, 3);
    EXPECT_EQ(window->activeSettings().strengths[0], 35);
    const std::string ini = fileText(store.iniPath());
    EXPECT_NE(ini.find("[AI]\nBot=35\n"), std::string::npos);
    EXPECT_NE(ini.find("[Players]\nAnn=0\n"), std::string::npos);
    EXPECT_NE(ini.find("Player1=Bot\nPlayer2=Ann\nKind1=1\nKind2=0\n"), std::string::npos);

    // Shown again: the pair from the file, the format from the defaults.
    dialog->show();
    EXPECT_EQ(nameBox(0)->currentText(), "Bot");
    EXPECT_FALSE(computer(1)->isChecked());
    EXPECT_TRUE(checked("RadioGroup3Item2"));
    EXPECT_TRUE(checked("RadioGroup2Item0"));

    // A computer may be a known human's twin, shown only for a computer; saved in its section.
    auto* twin = child<QComboBox>("TwinBox1");
    EXPECT_TRUE(twin->isVisibleTo(dialog));
    EXPECT_FALSE(child<QComboBox>("TwinBox2")->isVisibleTo(dialog));
    EXPECT_EQ(twin->currentText(), "No twin");
    twin->setCurrentIndex(twin->findText("Twin of Ann"));
    press("Button2");
    EXPECT_EQ(window->activeSettings().twinOf, (std::array<std::string, 2>{"Ann", ""}));
    EXPECT_NE(fileText(store.iniPath()).find("[Twins]\nBot=Ann\n"), std::string::npos);
    dialog->show();

    // A known computer picked from the list brings its strength and twin along.
    strength(0)->setValue(50);
    twin->setCurrentIndex(0);
    nameBox(0)->setCurrentIndex(nameBox(0)->findText("Bot"));
    Q_EMIT nameBox(0)->activated(nameBox(0)->currentIndex());
    EXPECT_EQ(strength(0)->value(), 35);
    EXPECT_EQ(twin->currentText(), "Twin of Ann");

    press("Button1");  // Start Game
    ASSERT_NE(window->game(), nullptr);
    EXPECT_EQ(message(), "New game created: Bot to throw first");
}

TEST_F(settingsDialogTest, NamesOfTheOtherKindAndUnusableNamesAreRefused) {
    nameBox(0)->setEditText("Bot");
    nameBox(1)->setEditText("Ann");
    computer(1)->click();
    press("Button2");
    const std::string before = fileText(store.iniPath());

    dialog->show();
    nameBox(1)->setEditText("Bot");  // a human with a computer's name
    press("Button1");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->statusText(),
              "Bot is already in use by an AI player, please choose an other name");
    EXPECT_EQ(window->game(), nullptr);
    EXPECT_NE(nameBox(1)->styleSheet(), QString());
    QFocusEvent focusIn(QEvent::FocusIn);
    QCoreApplication::sendEvent(nameBox(1)->lineEdit(), &focusIn);
    EXPECT_EQ(nameBox(1)->styleSheet(), QString());

    nameBox(1)->setEditText("");
    press("Button2");
    EXPECT_EQ(dialog->statusText(), "Please enter a player name");
    nameBox(1)->setEditText("a=b");
    press("Button2");
    EXPECT_EQ(dialog->statusText(), "A player name cannot contain \"=\"");
    EXPECT_EQ(fileText(store.iniPath()), before);

    // The INI file knows no letter case: "BOT" would be Bot's entry with another file.
    nameBox(1)->setEditText("BOT");
    press("Button2");
    EXPECT_EQ(dialog->statusText(),
              "BOT differs from the player Bot only in letter case, please choose an other name");
    EXPECT_EQ(fileText(store.iniPath()), before);
    nameBox(1)->setEditText("Bo");
    press("Button2");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(settingsDialogTest, CancelHandsOverTheLoadedSettingsAndWritesNothing) {
    nameBox(0)->setEditText("Somebody");
    press("Button3");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->activeSettings().names[0], "Player 1");
    EXPECT_FALSE(std::filesystem::exists(store.iniPath()));
}

TEST_F(settingsDialogTest, AnUnwritableIniIsReportedOnceAndPlayGoesOn) {
    // A folder in the INI file's place: every write of it fails, for root too.
    std::filesystem::create_directory(store.iniPath());
    nameBox(0)->setEditText("Ann");
    computer(0)->click();
    nameBox(1)->setEditText("Bot");
    strength(1)->setValue(33);
    press("Button1");
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_NE(window->game(), nullptr);
    EXPECT_EQ(window->activeSettings().names, (std::array<std::string, 2>{"Ann", "Bot"}));
    EXPECT_EQ(window->activeSettings().strengths[1], 33);
    EXPECT_EQ(text("StatusBar1Panel3"),
              QString::fromStdString("Unable to write the settings file " +
                                     store.iniPath().string() + ": it is not a regular file"));
    EXPECT_EQ(std::count(sounds.played.begin(), sounds.played.end(), "INVALID"), 1);
}

TEST_F(settingsDialogTest, AHandOverRefusedByARunningGameWritesNothingAndCancelJustCloses) {
    // The dialog was opened before the game began.
    window->transferSettings(humans(), true);
    ASSERT_NE(window->game(), nullptr);
    nameBox(0)->setEditText("Newcomer");
    press("Button1");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->statusText(), "Game already in progress, terminate current game first");
    EXPECT_FALSE(std::filesystem::exists(store.iniPath()));
    EXPECT_EQ(window->activeSettings().names[0], "Ann");
    sounds.played.clear();
    press("Button3");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(sounds.played, (std::vector<std::string>{"OPEN"}));
    EXPECT_NE(window->game(), nullptr);
}

// The first showing of the window opens the settings (once the window is on screen); later
// showings do not.
TEST_F(windowTest, TheSettingsComeFirstOnTheFirstShowingOnly) {
    const auto first = makeWindow(true);
    int opened = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        opened += first->settingsDialog()->isVisible() ? 1 : 0;
        first->settingsDialog()->reject();
    });
    closer.start(5);
    for (int showing = 0; showing < 2; ++showing) {
        first->hide();
        first->show();
        QTest::qWait(50);
    }
    EXPECT_EQ(opened, 1);
}

TEST_F(windowTest, DartsUsedDialogRemembersItsChoiceAndSoundsOnClose) {
    TForm3* dialog = window->dartsUsedDialog();
    EXPECT_EQ(dialog->selectedDarts(), 3);
    dialog->setSelectedDarts(2);
    dialog->show();
    dialog->findChild<QPushButton*>("Button1")->click();
    EXPECT_EQ(dialog->selectedDarts(), 2);
    EXPECT_EQ(sounds.played, (std::vector<std::string>{"OPEN"}));
    dialog->show();
    dialog->close();
    EXPECT_EQ(sounds.played.size(), 2u);
}

TEST_F(windowTest, AboutBoxTextsAndSounds) {
    TForm5 about(sounds);
    EXPECT_EQ(about.windowTitle(), "About Quivermark");
    const char* texts[] = {"Version",    "0.5 beta", "Date", "17-Dec-2003",
                           "Production", "Vek",      "Name", "Quivermark"};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("Label%1").arg(k + 1))->text(), texts[k]);
    }
    EXPECT_EQ(about.size(), QSize(223, 241));
    about.show();
    // The button stands centred beneath both columns, at its own size.
    const auto* close = about.findChild<QPushButton*>("Button1");
    EXPECT_LE(std::abs(close->geometry().center().x() - about.rect().center().x()), 1);
    EXPECT_EQ(close->size(), close->sizeHint());
    about.close();
    EXPECT_EQ(sounds.played, (std::vector<std::string>{"OPEN"}));
}

TEST(SaveFileDialog, TakesANameWithDoubleQuotesAsTyped) {
    tempDir folder;
    qm::qtPromptService prompts;
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("my \"q\".csv"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    const QString folderName = QString::fromStdString(folder.path().string());
    const QString chosen =
        prompts.askSaveFileName(nullptr, QStringLiteral("Export"), folderName + "/legs.csv",
                                QStringLiteral("CSV files (*.csv)"));
    EXPECT_EQ(chosen, folderName + "/my \"q\".csv");
}
