#pragma once
// The "Preferences" dialog: general, video poker and card back settings, edited
// straight in the main window's variables.
#include <QColor>
#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace dm {

class frmMain;

class frmPreferences : public QDialog {
    Q_OBJECT
public:
    explicit frmPreferences(frmMain& main, QWidget* parent = nullptr);

    // The colour chooser; an invalid colour means the user cancelled. Replaceable in tests.
    std::function<QColor(const QColor& initial)> chooseColour;
    // Plain message boxes (OK button); replaceable in tests.
    std::function<void(const QString& text)> showMessage;

    // Event handlers, public so tests and the main window can drive them.
    void Form_Activate();
    void Combo1_Click();
    void HScroll1_Change();
    void txtSpacer_KeyPress();
    void cmdChangeColor_Click();
    void cmdSave_Click();
    void cmdCancel_Click();

    QTabWidget* SSTab1 = nullptr;
    QCheckBox* ckAutoSort = nullptr;
    QCheckBox* ckTolvaScores = nullptr;
    QCheckBox* ckSounds = nullptr;
    QCheckBox* ckAnimation = nullptr;
    QLineEdit* txtSpacer = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QLabel* Label4 = nullptr;
    QCheckBox* ckprfAutoDeal = nullptr;
    QRadioButton* opAlwaysShow = nullptr;
    QRadioButton* opShowOnError = nullptr;
    QComboBox* Combo1 = nullptr;
    QLabel* picBacks = nullptr;
    QPushButton* cmdChangeColor = nullptr;
    QLabel* lblColor = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* generalPage();
    QWidget* pokerPage();
    QWidget* backsPage();

    bool spacingAccepted();  // false: refused, the dialog stays open
    void applyBack();
    void showColour(QColor c);
    void guarded(const char* name, const std::function<void()>& body);

    frmMain& main_;
    bool activated_ = false;
};

// 0x00BBGGRR as the settings keep it, and back.
QColor colourFromBgr(int32_t bgr);
int32_t bgrFromColour(const QColor& c);

}  // namespace dm
