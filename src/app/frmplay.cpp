#include "app/frmplay.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "store/qt/highscores.h"

namespace dm {

namespace {

QLabel* namedLabel(const QString& objectName, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(objectName);
    return l;
}

}  // namespace

frmPlay::frmPlay(Prefs& prefs, const TopScores& scores, QWidget* parent)
    : QDialog(parent), prefs_(prefs), scores_(scores)
{
    setObjectName(QStringLiteral("frmPlay"));
    setWindowTitle(QStringLiteral("Top Scores"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(rummyPage(), QStringLiteral("Tolva-Rummy"));
    SSTab1->addTab(pokerPage(), QStringLiteral("Video Poker"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);

    Form_Load();
}

QWidget* frmPlay::rummyPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabRummy"));

    // Each stake sits in a frame of its own, so no automatic exclusivity applies;
    // stakeClicked keeps them exclusive, and a stake of none of them checks none.
    auto* stakes = new QGroupBox(QStringLiteral("Stakes"), page);
    stakes->setObjectName(QStringLiteral("fraStakes"));
    auto* stakeRow = new QHBoxLayout(stakes);
    const auto stake = [&](QRadioButton*& button, const char* name, const char* caption, void (frmPlay::*click)()) {
        auto* frame = new QGroupBox(stakes);
        frame->setObjectName(QStringLiteral("fra_") + QLatin1String(name));
        auto* box = new QHBoxLayout(frame);
        button = new QRadioButton(QString::fromLatin1(caption), frame);
        button->setObjectName(QLatin1String(name));
        button->setAutoExclusive(false);
        button->setAccessibleName(QStringLiteral("Stake ") + QLatin1String(caption));
        box->addWidget(button);
        stakeRow->addWidget(frame);
        connect(button, &QRadioButton::clicked, this, click);
    };
    stake(opOne, "opOne", "1", &frmPlay::opOne_Click);
    stake(opFive, "opFive", "5", &frmPlay::opFive_Click);
    stake(opTen, "opTen", "10", &frmPlay::opTen_Click);

    auto* banks = new QGroupBox(page);
    banks->setObjectName(QStringLiteral("fraBanks"));
    auto* bankGrid = new QGridLayout(banks);
    lblPlayerBank = namedLabel(QStringLiteral("lblPlayerBank"), banks);
    lblComputerBank = namedLabel(QStringLiteral("lblComputerBank"), banks);
    bankGrid->addWidget(new QLabel(QStringLiteral("You"), banks), 0, 0);
    bankGrid->addWidget(lblPlayerBank, 0, 1);
    bankGrid->addWidget(new QLabel(QStringLiteral("Tolva"), banks), 1, 0);
    bankGrid->addWidget(lblComputerBank, 1, 1);
    bankGrid->setColumnStretch(1, 1);

    auto* grid = new QGridLayout(page);
    grid->addWidget(stakes, 0, 0);
    grid->addWidget(banks, 1, 0);
    grid->addWidget(scoreTable(QStringLiteral("Tolva Rummy Top Scores"), 0), 0, 1, 2, 1);
    cmdOk = closeButton("cmdOk");
    grid->addWidget(cmdOk, 2, 1, Qt::AlignRight);
    grid->setRowStretch(1, 1);
    grid->setHorizontalSpacing(16);
    connect(cmdOk, &QPushButton::clicked, this, &frmPlay::cmdOk_Click);
    return page;
}

QWidget* frmPlay::pokerPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabPoker"));
    auto* grid = new QGridLayout(page);
    grid->addWidget(scoreTable(QStringLiteral("Video Poker Perfect Play"), 3), 0, 0);
    grid->addWidget(scoreTable(QStringLiteral("Big Winners"), 6), 0, 1);
    Command1 = closeButton("Command1");
    grid->addWidget(Command1, 1, 1, Qt::AlignRight);
    grid->setRowStretch(0, 1);
    grid->setHorizontalSpacing(16);
    connect(Command1, &QPushButton::clicked, this, &frmPlay::Command1_Click);
    return page;
}

QGroupBox* frmPlay::scoreTable(const QString& heading, int first)
{
    auto* box = new QGroupBox(heading);
    auto* grid = new QGridLayout(box);
    // Names keep their padding, so a fixed-pitch font lines the scores up.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int row = 0; row < 3; ++row) {
        const int i = first + row;
        auto* name = namedLabel(QStringLiteral("lblTopNames%1").arg(i), box);
        name->setFont(fixed);
        auto* score = namedLabel(QStringLiteral("lblTopScores%1").arg(i), box);
        score->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        score->setMinimumWidth(48);
        grid->addWidget(name, row, 0);
        grid->addWidget(score, row, 1);
        lblTopNames[static_cast<size_t>(i)] = name;
        lblTopScores[static_cast<size_t>(i)] = score;
    }
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(3, 1);
    return box;
}

QPushButton* frmPlay::closeButton(const char* name)
{
    auto* b = new QPushButton(QStringLiteral("Close"));
    b->setObjectName(QLatin1String(name));
    b->setMinimumWidth(88);
    return b;
}

void frmPlay::Form_Load()
{
    lblPlayerBank->setText(QStringLiteral(" ") + QString::number(prefs_.prfPlayerBank));
    lblComputerBank->setText(QStringLiteral(" ") + QString::number(prefs_.prfComputerBank));

    // A stake other than 1, 5 or 10 (possible through the store) leaves all three off.
    if (prefs_.prfWager == 1)
        stakeClicked(opOne);
    else if (prefs_.prfWager == 5)
        stakeClicked(opFive);
    else if (prefs_.prfWager == 10)
        stakeClicked(opTen);

    for (size_t i = 0; i < kScoreEntries; ++i) {
        lblTopNames[i]->setText(QStringLiteral(" ") + fromNameBytes(scores_[i].name));
        lblTopScores[i]->setText(QString::number(scores_[i].score));
    }
}

void frmPlay::stakeClicked(QRadioButton* clicked)
{
    // Like an option button, a click always leaves the clicked stake chosen.
    for (QRadioButton* b : {opOne, opFive, opTen})
        b->setChecked(b == clicked);
}

void frmPlay::cmdOk_Click()
{
    if (opOne->isChecked())
        prefs_.prfWager = 1;
    else if (opFive->isChecked())
        prefs_.prfWager = 5;
    else if (opTen->isChecked())
        prefs_.prfWager = 10;
    accept();
}

}  // namespace dm
