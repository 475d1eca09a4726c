#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "ui/dartsUsedDialog.h"
#include "ui/promptService.h"

// Answers the game's modal boxes from a script and remembers what they said.
class scriptedPrompts final : public qm::promptService {
  public:
    void information(QWidget*, const QString& text) override {
        informed.push_back(text);
        if (whileBoxOpen) {
            whileBoxOpen();
        }
    }
    bool confirm(QWidget*, const QString& text) override {
        asked.push_back(text);
        const bool answer = confirmAnswers.empty() ? false : confirmAnswers.front();
        if (!confirmAnswers.empty()) {
            confirmAnswers.pop_front();
        }
        return answer;
    }
    int askDartsUsed(qm::TForm3& dialog) override {
        preselected.push_back(dialog.selectedDarts());
        if (whileBoxOpen) {
            whileBoxOpen();
        }
        if (!dartsAnswers.empty()) {
            dialog.setSelectedDarts(dartsAnswers.front());
            dartsAnswers.pop_front();
        }
        return dialog.selectedDarts();
    }

    QString askSaveFileName(QWidget*, const QString& caption, const QString&,
                            const QString&) override {
        saveCaptions.push_back(caption);
        const QString answer = saveAnswers.empty() ? QString() : saveAnswers.front();
        if (!saveAnswers.empty()) {
            saveAnswers.pop_front();
        }
        return answer;
    }

    std::vector<QString> informed;
    std::vector<QString> saveCaptions;
    std::deque<QString> saveAnswers;
    std::vector<QString> asked;
    std::vector<int> preselected;
    std::deque<bool> confirmAnswers;
    std::deque<int> dartsAnswers;
    // Runs while a box is "open", as timer ticks would.
    std::function<void()> whileBoxOpen;
};
