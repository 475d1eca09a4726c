#include "ui/dartsUsedDialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/radioGroupFocus.h"
#include "ui/soundPlayer.h"

namespace qm {

TForm3::TForm3(soundPlayer& sounds, QWidget* parent) : QDialog(parent), sounds_(sounds) {
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("Darts used"));
    setModal(true);

    RadioGroup1 = new QGroupBox(QStringLiteral("Darts used"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    choices_ = new QButtonGroup(this);
    auto* items = new QVBoxLayout(RadioGroup1);
    for (int darts = 1; darts <= 3; ++darts) {
        auto* item = new QRadioButton(QString::number(darts), RadioGroup1);
        item->setObjectName(QStringLiteral("RadioGroup1Item%1").arg(darts));
        choices_->addButton(item, darts);
        items->addWidget(item);
    }
    choices_->button(3)->setChecked(true);
    makeOneTabStop(choices_);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addWidget(Button1);
    setFixedSize(sizeHint().expandedTo(QSize(180, 0)));
}

int TForm3::selectedDarts() const {
    const int id = choices_->checkedId();
    return id >= 1 && id <= 3 ? id : 3;
}

void TForm3::setSelectedDarts(int darts) {
    if (auto* item = choices_->button(darts)) {
        item->setChecked(true);
    }
}

void TForm3::allowFrom(int fewest) {
    for (int darts = 1; darts <= 3; ++darts) {
        choices_->button(darts)->setEnabled(darts >= fewest);
    }
    if (selectedDarts() < fewest) {
        setSelectedDarts(fewest);
    }
}

void TForm3::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Space must keep the preselected choice, never the first item.
    focusCheckedButton(choices_);
}

void TForm3::Button1Click() {
    accept();
}

void TForm3::done(int result) {
    QDialog::done(result);
    sounds_.play("OPEN");  // however the dialog was closed
}

}  // namespace qm
