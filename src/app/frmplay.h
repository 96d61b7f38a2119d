#pragma once
// "Top Scores": shows the three score tables and both banks, and is where the
// rummy stake is chosen. Changes nothing but prfWager, and that only on Close.
#include <QDialog>
#include <array>

#include "store/prefs.h"
#include "store/scores.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace dm {

class frmPlay : public QDialog {
public:
    frmPlay(Prefs& prefs, const TopScores& scores, QWidget* parent = nullptr);

private:
    QWidget* rummyPage();
    QWidget* pokerPage();
    QGroupBox* scoreTable(const QString& heading, int first);
    QPushButton* closeButton(const char* name);

    void Form_Load();
    void opOne_Click() { stakeClicked(opOne); }
    void opFive_Click() { stakeClicked(opFive); }
    void opTen_Click() { stakeClicked(opTen); }
    void stakeClicked(QRadioButton* clicked);
    void cmdOk_Click();
    void Command1_Click() { cmdOk_Click(); }

    Prefs& prefs_;
    const TopScores scores_;  // a copy: the dialog shows the tables as they were when it opened

    QTabWidget* SSTab1 = nullptr;
    QRadioButton* opOne = nullptr;
    QRadioButton* opFive = nullptr;
    QRadioButton* opTen = nullptr;
    QLabel* lblPlayerBank = nullptr;
    QLabel* lblComputerBank = nullptr;
    std::array<QLabel*, kScoreEntries> lblTopNames{};
    std::array<QLabel*, kScoreEntries> lblTopScores{};
    QPushButton* cmdOk = nullptr;
    QPushButton* Command1 = nullptr;
};

}  // namespace dm
