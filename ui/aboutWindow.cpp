#include "ui/aboutWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/soundPlayer.h"

namespace qm {

TForm5::TForm5(soundPlayer& sounds, QWidget* parent) : QDialog(parent), sounds_(sounds) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("About Quivermark"));
    setModal(true);

    auto* layout = new QGridLayout(this);
    const std::pair<const char*, const char*> rows[] = {{"Version", "0.5 beta"},
                                                        {"Date", "17-Dec-2003"},
                                                        {"Production", "Vek"},
                                                        {"Name", "Quivermark"}};
    int number = 1;
    int row = 0;
    for (const auto& [caption, value] : rows) {
        auto* left = new QLabel(QLatin1String(caption), this);
        left->setObjectName(QStringLiteral("Label%1").arg(number++));
        auto* right = new QLabel(QLatin1String(value), this);
        right->setObjectName(QStringLiteral("Label%1").arg(number++));
        layout->addWidget(left, row, 0);
        layout->addWidget(right, row, 1);
        ++row;
    }
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("Button1"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, row, 0, 1, 2, Qt::AlignCenter);

    setFixedSize(223, 241);
    move(295, 204);
}

void TForm5::done(int result) {
    QDialog::done(result);
    sounds_.play("OPEN");
}

}  // namespace qm
