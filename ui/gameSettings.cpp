#include "ui/gameSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/playerName.h"
#include "ui/radioGroupFocus.h"
#include "ui/soundPlayer.h"
#include "ui/strengthTable.h"

namespace qm {

namespace {

QStringList toQt(const std::vector<std::string>& names) {
    QStringList list;
    for (const auto& name : names) {
        list << QString::fromStdString(name);
    }
    return list;
}

// A radio group as a box of exclusive buttons whose ids are the values they stand for.
QGroupBox* radioGroup(QWidget* parent, const char* name, const QString& caption, const auto& values,
                      QButtonGroup*& group) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    group = new QButtonGroup(box);
    auto* layout = new QHBoxLayout(box);
    int index = 0;
    for (const auto value : values) {
        auto* item = new QRadioButton(QString::number(value), box);
        item->setObjectName(QStringLiteral("%1Item%2").arg(QLatin1String(name)).arg(index++));
        group->addButton(item, value);
        layout->addWidget(item);
    }
    makeOneTabStop(group);
    return box;
}

void select(QButtonGroup* group, int value) {
    if (auto* item = group->button(value)) {
        item->setChecked(true);
    }
}

int selected(const QButtonGroup* group, int none) {
    const int id = group->checkedId();
    return id == -1 ? none : id;
}

}  // namespace

TForm2::TForm2(settingsStoreC& store, soundPlayer& sounds, std::function<bool()> gameInProgress,
               QWidget* parent)
    : QDialog(parent), store_(store), sounds_(sounds), gameInProgress_(std::move(gameInProgress)) {
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Game settings"));

    auto* players = new QGroupBox(QStringLiteral("Player settings"), this);
    auto* grid = new QGridLayout(players);
    Label3 = new QLabel(QStringLiteral("Strength"), players);
    Label3->setObjectName(QStringLiteral("Label3"));
    grid->addWidget(Label3, 0, 3, 1, 3);
    for (int p = 0; p < 2; ++p) {
        const QString number = QString::number(p + 1);
        nameLabel_[p] = new QLabel(QStringLiteral("Player %1").arg(number), players);
        nameLabel_[p]->setObjectName(QStringLiteral("Label%1").arg(number));
        nameBox_[p] = new QComboBox(players);
        nameBox_[p]->setObjectName(QStringLiteral("ComboBox%1").arg(number));
        nameBox_[p]->setEditable(true);
        nameBox_[p]->setInsertPolicy(QComboBox::NoInsert);
        nameBox_[p]->setMinimumWidth(150);
        nameBox_[p]->lineEdit()->setAccessibleName(QStringLiteral("Name of player %1").arg(number));
        computerBox_[p] = new QCheckBox(QStringLiteral("Computer Player"), players);
        computerBox_[p]->setObjectName(QStringLiteral("CheckBox%1").arg(number));
        trackBar_[p] = new QSlider(Qt::Horizontal, players);
        trackBar_[p]->setObjectName(QStringLiteral("TrackBar%1").arg(number));
        trackBar_[p]->setRange(minStrength, maxStrength);
        trackBar_[p]->setSingleStep(1);
        trackBar_[p]->setMinimumWidth(120);
        trackBar_[p]->setAccessibleName(QStringLiteral("Strength of player %1").arg(number));
        strengthLabel_[p] = new QLabel(players);
        strengthLabel_[p]->setObjectName(QStringLiteral("Label%1").arg(p + 4));
        strengthLabel_[p]->setMinimumWidth(24);
        grid->addWidget(nameLabel_[p], p + 1, 0);
        grid->addWidget(nameBox_[p], p + 1, 1);
        grid->addWidget(computerBox_[p], p + 1, 2);
        grid->addWidget(trackBar_[p], p + 1, 3);
        grid->addWidget(strengthLabel_[p], p + 1, 4);
        averageLabel_[p] = new QLabel(players);
        averageLabel_[p]->setObjectName(QStringLiteral("StrengthAverage%1").arg(number));
        averageLabel_[p]->setMinimumWidth(
            averageLabel_[p]->fontMetrics().horizontalAdvance(QStringLiteral("\u2248 000 avg")));
        grid->addWidget(averageLabel_[p], p + 1, 5);
        twinBox_[p] = new QComboBox(players);
        twinBox_[p]->setObjectName(QStringLiteral("TwinBox%1").arg(number));
        twinBox_[p]->setAccessibleName(QStringLiteral("Twin of player %1").arg(number));
        twinBox_[p]->setToolTip(
            QStringLiteral("A twin throws by a human's own scatter, fitted from their practice "
                           "darts, in place of the strength"));
        grid->addWidget(twinBox_[p], p + 1, 6);

        // Toggled, not clicked: Space and assistive technology change the box too.
        connect(computerBox_[p], &QCheckBox::toggled, this, [this, p] { CheckBoxClick(p); });
        connect(nameBox_[p], &QComboBox::activated, this, [this, p] { ComboBoxSelect(p); });
        connect(trackBar_[p], &QSlider::valueChanged, this, [this, p] { TrackBarChange(p); });
        // Entering the name box again takes back the red of a refused save.
        nameBox_[p]->lineEdit()->installEventFilter(this);
    }
    CheckBox3 = new QCheckBox(QStringLiteral("Speed Mode (generate statistics)"), players);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    grid->addWidget(CheckBox3, 3, 0, 1, 6);

    auto* format = new QGroupBox(QStringLiteral("Game settings"), this);
    auto* formatLayout = new QVBoxLayout(format);
    formatLayout->addWidget(radioGroup(format, "RadioGroup3", QStringLiteral("Game type"),
                                       startScoreChoices, gameType_));
    formatLayout->addWidget(radioGroup(format, "RadioGroup1", QStringLiteral("Best of X legs"),
                                       bestOfChoices, bestOfLegs_));
    formatLayout->addWidget(radioGroup(format, "RadioGroup2", QStringLiteral("Best of Y sets"),
                                       bestOfChoices, bestOfSets_));

    auto* buttons = new QHBoxLayout;
    const std::pair<const char*, const char*> buttonTexts[] = {
        {"Button1", "Start Game"}, {"Button2", "Save and don't Start"}, {"Button3", "Cancel"}};
    std::array<QPushButton*, 3> made{};
    for (std::size_t i = 0; i < made.size(); ++i) {
        made[i] = new QPushButton(QLatin1String(buttonTexts[i].second), this);
        made[i]->setObjectName(QLatin1String(buttonTexts[i].first));
        made[i]->setAutoDefault(false);
        buttons->addWidget(made[i]);
    }
    made[0]->setDefault(true);  // Return starts the game
    connect(made[0], &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(made[1], &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(made[2], &QPushButton::clicked, this, &TForm2::Button3Click);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    infoPanel_ = new QLabel(QStringLiteral("Info"), StatusBar1);
    messagePanel_ = new QLabel(QStringLiteral("."), StatusBar1);
    messagePanel_->setObjectName(QStringLiteral("StatusBar1Panel2"));
    StatusBar1->addWidget(infoPanel_);
    StatusBar1->addWidget(messagePanel_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(players);
    layout->addWidget(format);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (QComboBox* box : nameBox_) {
            if (watched == box->lineEdit()) {
                box->setStyleSheet(QString());
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString TForm2::statusText() const {
    return messagePanel_->text();
}

void TForm2::showInfo(const QString& text) {
    messagePanel_->setText(text);
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TForm2::FormShow() {
    store_.loadSettings();
    const gameSettingsS& s = store_.storedSettings;
    CheckBox3->setEnabled(s.isComputer[0] && s.isComputer[1]);
    const playerListsS lists = store_.readPlayerLists();
    humanNames = toQt(lists.humans);
    aiNames = toQt(lists.computers);
    for (int p = 0; p < 2; ++p) {
        nameBox_[p]->clear();
        nameBox_[p]->addItems(s.isComputer[p] ? aiNames : humanNames);
        nameBox_[p]->setEditText(QString::fromStdString(s.names[p]));
        nameBox_[p]->setStyleSheet(QString());
        {
            // Loading is no change of kind: the lists and the speed box are set here.
            const QSignalBlocker quiet(computerBox_[p]);
            computerBox_[p]->setChecked(s.isComputer[p]);
        }
        trackBar_[p]->setValue(s.strengths[p]);
        TrackBarChange(p);
        showTwinOf(p, s.twinOf[p]);
    }
    updateStrengthVisibility();
    select(gameType_, s.startScore);
    select(bestOfLegs_, s.bestOfLegs);
    select(bestOfSets_, s.bestOfSets);
}

void TForm2::updateStrengthVisibility() {
    for (int p = 0; p < 2; ++p) {
        trackBar_[p]->setVisible(computerBox_[p]->isChecked());
        strengthLabel_[p]->setVisible(computerBox_[p]->isChecked());
        averageLabel_[p]->setVisible(computerBox_[p]->isChecked());
        twinBox_[p]->setVisible(computerBox_[p]->isChecked());
    }
    Label3->setVisible(computerBox_[0]->isChecked() || computerBox_[1]->isChecked());
}

void TForm2::CheckBoxClick(int player) {
    const bool computer = computerBox_[player]->isChecked();
    const QString text = nameBox_[player]->currentText();
    nameBox_[player]->clear();
    nameBox_[player]->addItems(computer ? aiNames : humanNames);
    nameBox_[player]->setEditText(text);
    updateStrengthVisibility();
    CheckBox3->setEnabled(computerBox_[0]->isChecked() && computerBox_[1]->isChecked());
    CheckBox3->setChecked(false);
}

void TForm2::ComboBoxSelect(int player) {
    if (computerBox_[player]->isChecked()) {
        const std::string name = nameBox_[player]->currentText().toStdString();
        trackBar_[player]->setValue(store_.readStrength(name));
        showTwinOf(player, store_.readTwinOf(name));
    }
}

void TForm2::showTwinOf(int player, const std::string& human) {
    QComboBox* box = twinBox_[player];
    box->clear();
    box->addItem(QStringLiteral("No twin"), QString());
    for (const QString& name : humanNames) {
        box->addItem(QStringLiteral("Twin of %1").arg(name), name);
    }
    const int at = box->findData(QString::fromStdString(human));
    box->setCurrentIndex(std::max(at, 0));
}

void TForm2::TrackBarChange(int player) {
    const int strength = trackBar_[player]->value();
    strengthLabel_[player]->setText(QString::number(strength));
    const std::optional<double> average = expectedAverage(strength);
    averageLabel_[player]->setText(
        average ? QStringLiteral("\u2248 %1 avg").arg(*average, 0, 'f', 0) : QString());
    trackBar_[player]->setToolTip(
        average ? QStringLiteral("Strength %1: about %2 points per three darts")
                      .arg(strength)
                      .arg(*average, 0, 'f', 1)
                : QStringLiteral("Strength %1").arg(strength));
}

void TForm2::refuse(int player, const QString& message) {
    nameBox_[player]->setStyleSheet(QStringLiteral("QComboBox { background-color: #ff0000; }"));
    showInfo(message);
    sounds_.play("INVALID");
}

TForm2::saveResult TForm2::saveSettings() {
    std::array<std::string, 2> names;
    std::array<bool, 2> kinds{};
    std::array<bool, 2> known{};
    for (int p = 0; p < 2; ++p) {
        names[p] = nameBox_[p]->currentText().toStdString();
        kinds[p] = computerBox_[p]->isChecked();
    }
    // Both players are checked before anything is written, so that a refused pair never
    // reaches the file.
    for (int p = 0; p < 2; ++p) {
        const QString name = nameBox_[p]->currentText();
        const bool isHuman = humanNames.contains(name, Qt::CaseSensitive);
        const bool isComputer = aiNames.contains(name, Qt::CaseSensitive);
        known[p] = isHuman || isComputer;
        if (isHuman && kinds[p]) {
            refuse(p, name + QStringLiteral(
                                 " is already in use by a player, please choose an other name"));
            return saveResult::refused;
        }
        if (isComputer && !kinds[p]) {
            refuse(p,
                   name + QStringLiteral(
                              " is already in use by an AI player, please choose an other name"));
            return saveResult::refused;
        }
        if (const std::string problem = playerNameProblem(names[p]); !problem.empty()) {
            refuse(p, QString::fromStdString(problem));
            return saveResult::refused;
        }
        if (const std::string problem = store_.caseTwinProblem(names[p], p == 1 ? names[0] : "");
            !problem.empty()) {
            refuse(p, QString::fromStdString(problem));
            return saveResult::refused;
        }
    }
    for (int p = 0; p < 2; ++p) {
        const saveOutcomeS outcome =
            store_.savePlayer(p, names, kinds, trackBar_[p]->value(), known[p]);
        if (outcome.writeFailed) {
            // The file is not worth a second try for player 2; the game goes on without it.
            writeFailure_ = QString::fromStdString(outcome.message);
            return saveResult::notWritten;
        }
        if (!outcome.ok) {
            refuse(p, QString::fromStdString(outcome.message));
            return saveResult::refused;
        }
        if (kinds[p] &&
            !store_.saveTwinOf(names[p], twinBox_[p]->currentData().toString().toStdString())) {
            writeFailure_ = QString::fromStdString(store_.writeFailureMessage());
            return saveResult::notWritten;
        }
    }
    return saveResult::saved;
}

void TForm2::collectSettings() {
    gameSettingsS& s = store_.storedSettings;
    for (int p = 0; p < 2; ++p) {
        s.names[p] = nameBox_[p]->currentText().toStdString();
        s.isComputer[p] = computerBox_[p]->isChecked();
        s.strengths[p] = trackBar_[p]->value();
        s.twinOf[p] =
            s.isComputer[p] ? twinBox_[p]->currentData().toString().toStdString() : std::string();
    }
    s.startScore = selected(gameType_, 501);
    s.bestOfLegs = selected(bestOfLegs_, 5);
    s.bestOfSets = selected(bestOfSets_, 1);
    s.speedMode = CheckBox3->isEnabled() && CheckBox3->isChecked();
}

void TForm2::Button1Click() {
    saveAndTransfer(true);
}

void TForm2::Button2Click() {
    saveAndTransfer(false);
}

void TForm2::saveAndTransfer(bool start) {
    if (gameInProgress_ && gameInProgress_()) {
        // Refused before anything is written: the running game keeps its settings.
        showInfo(QStringLiteral("Game already in progress, terminate current game first"));
        sounds_.play("INVALID");
        return;
    }
    const saveResult saved = saveSettings();
    if (saved == saveResult::refused) {
        return;  // the dialog stays open with the refusal shown
    }
    collectSettings();
    Q_EMIT settingsTransferred(store_.storedSettings, start);
    close();
    if (saved == saveResult::notWritten) {
        Q_EMIT settingsNotSaved(writeFailure_);
    }
}

void TForm2::Button3Click() {
    if (gameInProgress_ && gameInProgress_()) {
        close();  // nothing to hand over to a running game; Cancel just closes
        return;
    }
    // Hand over the settings as loaded, with a hand-edited strength brought into range.
    gameSettingsS loaded = store_.storedSettings;
    for (auto& strength : loaded.strengths) {
        strength = std::clamp(strength, minStrength, maxStrength);
    }
    Q_EMIT settingsTransferred(loaded, false);
    close();
}

void TForm2::done(int result) {
    QDialog::done(result);
    sounds_.play("OPEN");
}

}  // namespace qm
