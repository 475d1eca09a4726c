#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace qm {

class soundPlayer;

// "Darts used": asked after a human checkout. The choice is kept between checkouts.
class TForm3 : public QDialog {
    Q_OBJECT
  public:
    TForm3(soundPlayer& sounds, QWidget* parent = nullptr);

    // 1 to 3: the item chosen now, which is also the answer when the dialog is closed without OK.
    [[nodiscard]] int selectedDarts() const;
    void setSelectedDarts(int darts);
    // Only counts from `fewest` to 3 can be chosen; a remembered choice below them moves up to
    // the fewest.
    void allowFrom(int fewest);

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Button1Click();

    soundPlayer& sounds_;
    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* choices_ = nullptr;
    QPushButton* Button1 = nullptr;
};

}  // namespace qm
