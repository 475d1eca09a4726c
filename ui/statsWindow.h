#pragma once

#include <QWidget>
#include <filesystem>

namespace qm {

class settingsStoreC;
class soundPlayer;

// "Statistics": a player's history of finished legs.
class TForm4 : public QWidget {
    Q_OBJECT
  public:
    TForm4(settingsStoreC& store, soundPlayer& sounds, std::filesystem::path dataDir,
           QWidget* parent = nullptr);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    settingsStoreC& store_;
    soundPlayer& sounds_;
    std::filesystem::path dataDir_;
};

}  // namespace qm
