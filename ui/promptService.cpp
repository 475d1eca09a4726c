#include "ui/promptService.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

#include "ui/dartsUsedDialog.h"

namespace qm {

void qtPromptService::information(QWidget* parent, const QString& text) {
    QPointer<QMessageBox> box = new QMessageBox(
        QMessageBox::Information, QStringLiteral("Quivermark"), text, QMessageBox::Ok, parent);
    box->exec();
    delete box;  // a null QPointer when the parent went away meanwhile
}

bool qtPromptService::confirm(QWidget* parent, const QString& text) {
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Question, QStringLiteral("Quivermark"),
                                                text, QMessageBox::Yes | QMessageBox::No, parent);
    box->setDefaultButton(QMessageBox::No);
    const int answer = box->exec();
    delete box;
    return answer == QMessageBox::Yes;
}

int qtPromptService::askDartsUsed(TForm3& dialog) {
    QPointer<TForm3> guard(&dialog);
    dialog.exec();
    return guard ? guard->selectedDarts() : 3;
}

QString qtPromptService::askSaveFileName(QWidget* parent, const QString& caption,
                                         const QString& suggested, const QString& filter) {
    QPointer<QFileDialog> dialog = new QFileDialog(parent, caption, suggested, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QString chosen = accepted && dialog && !dialog->selectedFiles().isEmpty()
                               ? dialog->selectedFiles().first()
                               : QString();
    delete dialog;
    return chosen;
}

}  // namespace qm
