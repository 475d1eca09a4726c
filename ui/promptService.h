#pragma once

#include <QString>

class QWidget;

namespace qm {

class TForm3;

// Every modal box the game opens goes through here: real Qt dialogs in the program, scripted
// answers in tests. A caller must check afterwards that its game still exists, since timers
// keep ticking while a box is open.
class promptService {
  public:
    virtual ~promptService() = default;
    // The leg-won and match-won boxes, and a picture that could not be loaded.
    virtual void information(QWidget* parent, const QString& text) = 0;
    // A Yes/No question; true only for Yes.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // Shows the darts-used dialog modally; returns its answer, 1 to 3. A dialog closed without
    // OK answers with the choice it shows.
    virtual int askDartsUsed(TForm3& dialog) = 0;
    // A file to save to, chosen in the standard dialog; empty when cancelled. The dialog does
    // not ask about replacing a file: the caller does, with the name it will really write.
    virtual QString askSaveFileName(QWidget* parent, const QString& caption,
                                    const QString& suggested, const QString& filter) = 0;
};

// The program's own boxes.
class qtPromptService final : public promptService {
  public:
    void information(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    int askDartsUsed(TForm3& dialog) override;
    QString askSaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                            const QString& filter) override;
};

}  // namespace qm
