#include "ui/statsWindow.h"

#include <QCloseEvent>

#include "settings/settingsStoreC.h"
#include "ui/soundPlayer.h"

namespace qm {

TForm4::TForm4(settingsStoreC& store, soundPlayer& sounds, std::filesystem::path dataDir,
               QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store), sounds_(sounds), dataDir_(std::move(dataDir)) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Statistics"));
    move(0, 0);
}

void TForm4::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    sounds_.play("OPEN");
}

}  // namespace qm
