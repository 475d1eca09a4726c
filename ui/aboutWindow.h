#pragma once

#include <QDialog>

namespace qm {

class soundPlayer;

// "About Quivermark": name, version, date and maker.
class TForm5 : public QDialog {
    Q_OBJECT
  public:
    TForm5(soundPlayer& sounds, QWidget* parent = nullptr);
    void done(int result) override;

  private:
    soundPlayer& sounds_;
};

}  // namespace qm
