#include "ui/promptService.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
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
    // The caller asks before replacing a file, once the name is final (a suffix may be added).
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    QString chosen = accepted && dialog && !dialog->selectedFiles().isEmpty()
                         ? dialog->selectedFiles().first()
                         : QString();
    // Qt's own dialog reads double quotes in the name field as a list of files, so
    // 'my "q".csv' would become 'q' in another folder: take the name as typed.
    if (accepted && dialog) {
        if (const auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            name != nullptr && name->text().contains(QLatin1Char('"'))) {
            chosen = QDir(dialog->directory()).absoluteFilePath(name->text());
        }
    }
    delete dialog;
    return chosen;
}

}  // namespace qm
