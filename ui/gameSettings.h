#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>

#include "settings/settingsStoreC.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class QStatusBar;

namespace qm {

class soundPlayer;

// "Game settings": the two players, their kinds and strengths, and the match format. Each
// showing starts from the INI file; the buttons hand the settings to the main window.
class TForm2 : public QDialog {
    Q_OBJECT
  public:
    // gameInProgress tells whether the main window would refuse settings now: the dialog is
    // not modal, so a game may have begun since it was opened.
    TForm2(settingsStoreC& store, soundPlayer& sounds, std::function<bool()> gameInProgress,
           QWidget* parent = nullptr);

    void done(int result) override;

    // The message panel of the dialog's status bar.
    [[nodiscard]] QString statusText() const;

  Q_SIGNALS:
    void settingsTransferred(const qm::gameSettingsS& settings, bool start);
    // The INI file could not be written; the settings were handed over all the same.
    void settingsNotSaved(const QString& message);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    void CheckBoxClick(int player);
    void ComboBoxSelect(int player);
    void TrackBarChange(int player);
    void Button1Click();
    void Button2Click();
    void Button3Click();

    void saveAndTransfer(bool start);
    enum class saveResult { saved, refused, notWritten };
    saveResult saveSettings();
    void collectSettings();
    void showInfo(const QString& text);
    void updateStrengthVisibility();
    void refuse(int player, const QString& message);
    void showTwinOf(int player, const std::string& human);

    settingsStoreC& store_;
    soundPlayer& sounds_;
    std::function<bool()> gameInProgress_;
    QString writeFailure_;
    QStringList humanNames;
    QStringList aiNames;

    std::array<QLabel*, 2> nameLabel_{};
    std::array<QComboBox*, 2> nameBox_{};
    std::array<QCheckBox*, 2> computerBox_{};
    std::array<QSlider*, 2> trackBar_{};
    std::array<QLabel*, 2> strengthLabel_{};
    std::array<QLabel*, 2> averageLabel_{};  // what the strength scores, from the shipped table
    // A computer player may be a human's twin, throwing by the human's fitted scatter.
    std::array<QComboBox*, 2> twinBox_{};
    QLabel* Label3 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QButtonGroup* gameType_ = nullptr;
    QButtonGroup* bestOfLegs_ = nullptr;
    QButtonGroup* bestOfSets_ = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* infoPanel_ = nullptr;
    QLabel* messagePanel_ = nullptr;
};

}  // namespace qm
