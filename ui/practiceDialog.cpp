#include "ui/practiceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <set>

namespace qm {

namespace {

constexpr const auto& drills = drillKinds;

}  // namespace

std::vector<std::pair<QString, int>> drillVariants(drillKind kind) {
    switch (kind) {
        case drillKind::aroundTheClock:
            return {{QStringLiteral("Any"), 0},
                    {QStringLiteral("Doubles"), 1},
                    {QStringLiteral("Trebles"), 2}};
        case drillKind::doubles: {
            std::vector<std::pair<QString, int>> out{{QStringLiteral("Round the board"), 0}};
            for (int n = 1; n <= 20; ++n) {
                out.emplace_back(QStringLiteral("D%1").arg(n), n);
            }
            out.emplace_back(QStringLiteral("Bull"), 25);
            return out;
        }
        case drillKind::scoring:
            return {{QStringLiteral("T20"), 20},
                    {QStringLiteral("T19"), 19},
                    {QStringLiteral("T18"), 18},
                    {QStringLiteral("Bull"), 25}};
        case drillKind::finishes:
            return {{QString::fromUtf8("2\u201340 (3 darts)"), 0},
                    {QString::fromUtf8("41\u2013100 (6 darts)"), 1},
                    {QString::fromUtf8("101\u2013170 (9 darts)"), 2}};
        case drillKind::bobs27:
        case drillKind::checkout121:
            break;
    }
    return {};
}

practiceDialog::practiceDialog(const settingsStoreC& store, QWidget* parent)
    : QDialog(parent), store_(store) {
    setObjectName(QStringLiteral("PracticeDialog"));
    setWindowTitle(QStringLiteral("Practice"));
    auto* form = new QFormLayout;
    drill_ = new QComboBox(this);
    drill_->setObjectName(QStringLiteral("PracticeDrill"));
    for (const drillKind kind : drills) {
        drill_->addItem(QString::fromUtf8(drillName(kind)));
    }
    form->addRow(QStringLiteral("&Drill"), drill_);
    variant_ = new QComboBox(this);
    variant_->setObjectName(QStringLiteral("PracticeVariant"));
    form->addRow(QStringLiteral("&Variant or target"), variant_);
    darts_ = new QComboBox(this);
    darts_->setObjectName(QStringLiteral("PracticeDarts"));
    for (const int n : {30, 60, 99}) {
        darts_->addItem(QString::number(n), n);
    }
    form->addRow(QStringLiteral("D&arts"), darts_);
    count_ = new QSpinBox(this);
    count_->setObjectName(QStringLiteral("PracticePlayers"));
    count_->setRange(1, mostPlayers);
    form->addRow(QStringLiteral("&Players"), count_);

    auto* grid = new QGridLayout;
    for (int row = 0; row < mostPlayers; ++row) {
        names_[row] = new QComboBox(this);
        names_[row]->setObjectName(QStringLiteral("PracticeName%1").arg(row + 1));
        names_[row]->setAccessibleName(QStringLiteral("Player %1").arg(row + 1));
        computers_[row] = new QCheckBox(QStringLiteral("Computer"), this);
        computers_[row]->setObjectName(QStringLiteral("PracticeComputer%1").arg(row + 1));
        strengths_[row] = new QSpinBox(this);
        strengths_[row]->setObjectName(QStringLiteral("PracticeStrength%1").arg(row + 1));
        strengths_[row]->setRange(minStrength, maxStrength);
        strengths_[row]->setAccessibleName(QStringLiteral("Strength of player %1").arg(row + 1));
        grid->addWidget(new QLabel(QStringLiteral("Player %1").arg(row + 1), this), row, 0);
        grid->addWidget(names_[row], row, 1);
        grid->addWidget(computers_[row], row, 2);
        grid->addWidget(strengths_[row], row, 3);
        connect(names_[row], &QComboBox::currentIndexChanged, this,
                [this, row] { playerChosen(row); });
        connect(computers_[row], &QCheckBox::toggled, strengths_[row], &QWidget::setEnabled);
    }
    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("PracticeProblem"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Start"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("PracticeStart"));
    connect(buttons, &QDialogButtonBox::accepted, this, &practiceDialog::tryAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(grid);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    connect(drill_, &QComboBox::currentIndexChanged, this, &practiceDialog::drillChanged);
    connect(count_, &QSpinBox::valueChanged, this, &practiceDialog::playersChanged);
    drillChanged();
    refreshPlayers();
}

void practiceDialog::refreshPlayers() {
    known_ = store_.readPlayerLists();
    for (int row = 0; row < mostPlayers; ++row) {
        const QString was = names_[row]->currentText();
        names_[row]->blockSignals(true);
        names_[row]->clear();
        for (const auto& name : known_.humans) {
            names_[row]->addItem(QString::fromStdString(name));
        }
        for (const auto& name : known_.computers) {
            names_[row]->addItem(QString::fromStdString(name));
        }
        const int at = names_[row]->findText(was);
        names_[row]->setCurrentIndex(at >= 0 ? at : std::min(row, names_[row]->count() - 1));
        names_[row]->blockSignals(false);
        playerChosen(row);
    }
    playersChanged();
}

void practiceDialog::playerChosen(int row) {
    // A player of the INI file's computer list plays as a computer of its strength.
    const std::string name = names_[row]->currentText().toStdString();
    const bool computer =
        std::find(known_.computers.begin(), known_.computers.end(), name) != known_.computers.end();
    computers_[row]->setChecked(computer);
    strengths_[row]->setEnabled(computer);
    if (computer) {
        strengths_[row]->setValue(store_.readStrength(name));
    }
}

void practiceDialog::drillChanged() {
    const drillKind kind = drills.at(static_cast<std::size_t>(std::max(0, drill_->currentIndex())));
    variant_->clear();
    for (const auto& [text, value] : drillVariants(kind)) {
        variant_->addItem(text, value);
    }
    variant_->setEnabled(variant_->count() > 0);
    darts_->setEnabled(kind == drillKind::doubles);
}

void practiceDialog::playersChanged() {
    for (int row = 0; row < mostPlayers; ++row) {
        const bool shown = row < count_->value();
        names_[row]->setEnabled(shown);
        computers_[row]->setEnabled(shown);
        strengths_[row]->setEnabled(shown && computers_[row]->isChecked());
    }
}

practiceChoiceS practiceDialog::choice() const {
    practiceChoiceS choice;
    choice.setup.kind = drills.at(static_cast<std::size_t>(std::max(0, drill_->currentIndex())));
    choice.setup.variant = variant_->count() > 0 ? variant_->currentData().toInt() : 0;
    choice.setup.darts =
        choice.setup.kind == drillKind::scoring ? 99 : darts_->currentData().toInt();
    for (int row = 0; row < count_->value(); ++row) {
        choice.players.push_back({names_[row]->currentText().toStdString(),
                                  computers_[row]->isChecked(), strengths_[row]->value()});
    }
    return choice;
}

void practiceDialog::tryAccept() {
    const practiceChoiceS chosen = choice();
    std::set<std::string> names;
    for (const practicePlayerS& p : chosen.players) {
        if (p.name.empty()) {
            problem_->setText(QStringLiteral("Add players in Options / Settings first"));
            return;
        }
        if (!names.insert(p.name).second) {
            problem_->setText(
                QStringLiteral("%1 is chosen twice").arg(QString::fromStdString(p.name)));
            return;
        }
    }
    problem_->clear();
    accept();
}

}  // namespace qm
