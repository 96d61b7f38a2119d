// The menu bar and what each command does.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/about.h"
#include "app/frmmain.h"
#include "app/frmpreferences.h"
#include "app/frmplay.h"
#include "app/zoom.h"
#include "table/cover.h"
#include "table/files.h"
#include "table/helpview.h"
#include "table/picture_box.h"

namespace dm {

namespace {
QAction* addItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key = {})
{
    auto* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}
}  // namespace

void frmMain::buildMenus()
{
    auto* bar = menuBar();
    auto* game = bar->addMenu(tr("&Game"));
    game->setObjectName("mnuGame");
    connect(addItem(game, "mnuPoker", tr("Play &Video Poker"), QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, [this] { mnuPoker_Click(); });
    connect(addItem(game, "mnuPlayRummy", tr("Play Tolva-&Rummy"), QKeySequence(Qt::CTRL | Qt::Key_R)),
            &QAction::triggered, this, [this] { mnuPlayRummy_Click(); });
    connect(addItem(game, "mnuStatistics", tr("S&tatistics...")), &QAction::triggered, this,
            [this] { mnuStatistics_Click(); });
    buildOpponentMenu(game);
    game->addSeparator()->setObjectName("mnuSeparator");
    connect(addItem(game, "mnuExit", tr("E&xit")), &QAction::triggered, this, [this] { mnuExit_Click(); });

    mnuAction_ = bar->addMenu(tr("&Action"));
    mnuAction_->setObjectName("mnuAction");
    auto* start = addItem(mnuAction_, "mnuStart", tr("Start New Game"));
    start->setVisible(false);  // offered only in the right-click pop-up
    connect(start, &QAction::triggered, this, [this] { mnuStart_Click(); });
    connect(addItem(mnuAction_, "mnuSortRank", tr("Sort by &Rank")), &QAction::triggered, this,
            [this] { mnuSortRank_Click(); });
    connect(addItem(mnuAction_, "mnuSortSuit", tr("Sort by &Suit")), &QAction::triggered, this,
            [this] { mnuSortSuit_Click(); });
    connect(addItem(mnuAction_, "mnuPeek", tr("Peek")), &QAction::triggered, this, [this] { mnuPeek_Click(); });
    auto* analyze = addItem(mnuAction_, "mnuAnalyzeHand", tr("Analyze Hand"), QKeySequence(Qt::Key_F2));
    analyze->setEnabled(false);  // while a video poker hand waits for the draw
    connect(analyze, &QAction::triggered, this, [this] { mnuAnalyzeHand_Click(); });

    auto* prefsMenu = bar->addMenu(tr("&Preferences"));
    prefsMenu->setObjectName("mnuPreferences");
    connect(addItem(prefsMenu, "mnuShowComputerHand", tr("Show Hand")), &QAction::triggered, this,
            [this] { mnuShowComputerHand_Click(); });
    connect(addItem(prefsMenu, "mnuWager", tr("Show Scores")), &QAction::triggered, this,
            [this] { mnuWager_Click(); });
    connect(addItem(prefsMenu, "mnuHide", tr("Hide Desktop")), &QAction::triggered, this,
            [this] { mnuHide_Click(); });
    mnuBackground_ = prefsMenu->addMenu(tr("Select Background"));
    mnuBackground_->setObjectName("mnuBackground");
    for (int i = 0; i < 21; ++i) {
        auto* a = mnuBackground_->addAction(i == 0 ? QStringLiteral("empty") : QString());
        a->setObjectName(QStringLiteral("mnuBackgoundSelected%1").arg(i));
        a->setVisible(i == 0);
        connect(a, &QAction::triggered, this, [this, i] { mnuBackgoundSelected_Click(i); });
        mnuBackgoundSelected_.append(a);
    }
    addZoomMenu(*this, prefsMenu);
    connect(addItem(prefsMenu, "mnuMoreOptions", tr("More Options..")), &QAction::triggered, this,
            [this] { mnuMoreOptions_Click(); });

    auto* help = bar->addMenu(tr("&Help"));
    help->setObjectName("mnuHelp");
    connect(addItem(help, "mnuContents", tr("&Contents")), &QAction::triggered, this,
            [this] { mnuContents_Click(); });
    connect(addItem(help, "mnuAbout", tr("About Dunmere")), &QAction::triggered, this,
            [this] { mnuAbout_Click(); });
}

QAction* frmMain::action(const QString& name) const { return findChild<QAction*>(name); }

void frmMain::mnuExit_Click() { close(); }

void frmMain::mnuStart_Click()
{
    guarded("mnuStart_Click", [this] {
        rummy.s.resetMelds = true;
        if (prefs.isPoker)
            mnuPoker_Click();
        else
            mnuPlayRummy_Click();
    });
}

void frmMain::mnuSortRank_Click()
{
    guarded("mnuSortRank_Click", [this] { rummy.mnuSortRank_Click(); });
}

void frmMain::mnuSortSuit_Click()
{
    guarded("mnuSortSuit_Click", [this] { rummy.mnuSortSuit_Click(); });
}

void frmMain::mnuPeek_Click()
{
    guarded("mnuPeek_Click", [this] { rummy.mnuPeek_Click(); });
}

void frmMain::mnuShowComputerHand_Click()
{
    guarded("mnuShowComputerHand_Click", [this] {
        rummy.mnuShowComputerHand_Click();
        updateHandMenus();
    });
}

void frmMain::mnuWager_Click()
{
    guarded("mnuWager_Click", [this] {
        frmPlay dialog(prefs, topScores, this);
        dialog.exec();
    });
}

void frmMain::mnuHide_Click()
{
    guarded("mnuHide_Click", [this] {
        auto* item = action("mnuHide");
        if (item->text() == tr("Hide Desktop")) {
            if (!cover_)
                cover_ = new frmHide(this);
            cover_->show();
            cover_->lower();
            raise();
            activateWindow();
            prefs.prfHideDesktop = true;
            item->setText(tr("Show Desktop"));
        } else {
            if (cover_)
                cover_->hide();
            prefs.prfHideDesktop = false;
            item->setText(tr("Hide Desktop"));
        }
    });
}

void frmMain::mnuBackgoundSelected_Click(int i)
{
    guarded("mnuBackgoundSelected_Click", [this, i] {
        LoadBackGroundPic(mnuBackgoundSelected_[i]->text());
        rummy.s.resetMelds = true;
        if (!prefs.isPoker)
            rummy.UpdateBank(0);
    });
}

void frmMain::mnuMoreOptions_Click()
{
    guarded("mnuMoreOptions_Click", [this] {
        frmPreferences dialog(*this);
        dialog.exec();
        if (!prefs.isPoker && spaceChanged) {
            cardStep_ = prefs.prfCardSpace;
            FirstInit();
            LoadBackGroundPic(QString::fromStdString(prefs.prfTolvaBackground));
            spaceChanged = false;
        }
    });
}

void frmMain::mnuContents_Click()
{
    guarded("mnuContents_Click", [this] { showHelp(this, dataPath(dataDirOf(ctx_), QStringLiteral("dunmere.hlp"))); });
}

void frmMain::mnuAbout_Click()
{
    guarded("mnuAbout_Click", [this] {
        auto* about = new frmAbout(ctx_.versionText, this);
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->show();
    });
}

}  // namespace dm
