#include "app/frmmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QWindow>
#include <cstdio>

#include "app/hold_marker.h"
#include "app/namebox.h"
#include "app/table_keys.h"
#include "store/history.h"
#include "store/qt/settings.h"
#include "table/animation.h"
#include "table/cardfaces.h"
#include "table/cover.h"
#include "table/files.h"
#include "table/picture_box.h"
#include "table/sound.h"
#include "table/surface.h"
#include "table/wait.h"

namespace dm {

namespace {

// A message box is as wide as its text, and the window manager cuts a longer title; some
// titles carry the question itself ("Start a new game...?"), so the box makes room for it.
void makeRoomForTitle(QMessageBox& box)
{
    QFont titleFont = box.font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    constexpr int kTitleBarButtons = 140;  // icon, minimise, close, and the frame around them
    const int need = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(need, 0, QSizePolicy::Fixed, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

}  // namespace

frmMain::frmMain(AppContext ctx, QWidget* parent)
    : QMainWindow(parent),
      rummy(*this, prefs, *ctx.rng),
      poker(*this, prefs, *ctx.rng),
      ctx_(std::move(ctx))
{
    setWindowTitle(QStringLiteral("Video-Poker / Tolva-Rummy"));
    setObjectName(QStringLiteral("frmMain"));
    sounds_ = std::make_unique<SoundPlayer>(dataPath(dataDirOf(ctx_), QStringLiteral("wavs")), nullptr);
    cdtInit(cWidth, cHeight);
    buildMenus();
    buildTable();
    buildTableAccess();
    Timer1_.setInterval(5000);
    connect(&Timer1_, &QTimer::timeout, this, [this] {
        guarded("Timer1_Timer", [this] { poker.Timer1_Timer(); });
    });
}

frmMain::~frmMain() = default;

void frmMain::setCover(frmHide* cover) { cover_ = cover; }

QString frmMain::picsDir() const { return dataPath(dataDirOf(ctx_), QStringLiteral("pics")); }
QString frmMain::backsDir() const { return dataPath(dataDirOf(ctx_), QStringLiteral("pics/backs")); }

void frmMain::guarded(const char* name, const std::function<void()>& body)
{
    try {
        body();
    } catch (const std::exception& e) {
        reportError(name, e.what());
    } catch (...) {
        reportError(name, "unexpected failure");
    }
}

// ---------------------------------------------------------------- start-up

void frmMain::Form_Load()
{
    guarded("Form_Load", [this] {
        prefs.prfPlayerBank = 100;
        prefs.prfComputerBank = 100;
        const auto unreadable = loadPrefs(*ctx_.store, prefs);
        applyOpponent();
        if (!unreadable.empty()) {
            QStringList keys;
            for (const auto& k : unreadable)
                keys << QString::fromStdString(k);
            message(("Some stored preferences could not be read and were reset to their defaults: " +
                     keys.join(QStringLiteral(", ")))
                        .toStdString());
        }
        if (const QString note = missingDataNote(ctx_.programDir, dataDirOf(ctx_)); !note.isEmpty())
            message(note.toStdString());
        if (prefs.prfIsTolvaCustomCardBack)
            loadCustomBackFor(QString::fromStdString(prefs.prfTolvaCustomBackFace), false);
        if (prefs.prfIsPKCustomCardBack)
            loadCustomBackFor(QString::fromStdString(prefs.prfPKCustomBackFace), true);

        const auto& name = prefs.isPoker ? prefs.prfPKBackground : prefs.prfTolvaBackground;
        if (loadPicture(QString::fromStdString(name)))
            AutoSizeToPicture();

        scoreFile_ = writablePlace(ctx_.programDir, QStringLiteral("stats.dat"));
        topScores = readScoreFile(scoreFile_.startFrom.toStdString());
        if (scoreFile_.besideRefused) {
            QString text = QStringLiteral("\"%1\" is a link or not a plain file, so it is neither read nor written.")
                               .arg(scoreFile_.beside);
            text += scoreFile_.path.isEmpty()
                        ? QStringLiteral(" Your scores cannot be kept.")
                        : QStringLiteral(" Your scores are kept in \"%1\".").arg(scoreFile_.path);
            message(text.toStdString());
        }
        if (prefs.prfAnimationDelay < 0)
            InitAnimDelay();
        prefsAtStart_ = savedTexts(prefs);  // a measured speed is no change of the user's
        applyOutlineColour();
        showFirstFrame();
        if (unloaded_)
            return;  // closed before the first deal: everything is saved already
        startHistory();
        FirstInit();
    });
}

// The window goes up as soon as it has its size and picture, and the bare table is
// painted at once; the first deal, its card faces and the pay table follow a moment
// later. Clicks and keys wait in the queue until then.
void frmMain::showFirstFrame()
{
    if (isVisible())
        return;
    surface_->resetBoard();
    show();
    QTimer cap;  // a window that is never exposed (minimised, no screen) waits no longer
    cap.setSingleShot(true);
    cap.start(250);
    const auto exposed = [this] { return windowHandle() && windowHandle()->isExposed(); };
    while (!unloaded_ && cap.isActive() && !exposed())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    // The expose painted the table; this sends the picture to the window system.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frmMain::InitAnimDelay()
{
    // One frame of a glide: the table under the card put back, the card drawn over it.
    const QPixmap under = surface_->slice(QRect(0, 0, cWidth, cHeight));
    QPixmap frame(cWidth, cHeight);
    {
        QPainter warm(&frame);
        cdtDraw(warm, 0, 0, 0, 0);  // the card's picture is made once, as in a glide
    }
    QElapsedTimer t;
    t.start();
    constexpr int kFrames = 50;
    for (int i = 0; i < kFrames; ++i) {
        QPainter p(&frame);
        p.drawPixmap(0, 0, under);
        cdtDraw(p, 0, 0, 0, 0);
    }
    const double frameSeconds = t.nsecsElapsed() / 1e9 / kFrames;
    loopTurnSeconds_ = measureLoopTurnSeconds();
    prefs.prfAnimationDelay = animationDelayFor(frameSeconds, loopTurnSeconds_);
    prefs.prfScrollVal = static_cast<int16_t>(scrollValForDelay(prefs.prfAnimationDelay));
}

void frmMain::FirstInit()
{
    guarded("FirstInit", [this] {
        resetGraphics();
        if (prefs.prfComputerBank > 200) {
            prefs.prfComputerBank = 100;
            prefs.prfPlayerBank = 100;
        }
        fillBackgroundMenu();
        updateHandMenus();
        if (!firstInitDone_) {
            firstInitDone_ = true;
            rummy.shuffleCards(prefs.isPoker);
            if (prefs.isPoker)
                mnuPoker_Click();
            else
                mnuPlayRummy_Click();
        }
    });
}

void frmMain::fillBackgroundMenu()
{
    const QStringList files = listFolder(picsDir());
    for (int i = 0; i < files.size() && i < mnuBackgoundSelected_.size(); ++i) {
        mnuBackgoundSelected_[i]->setText(files[i]);
        mnuBackgoundSelected_[i]->setVisible(true);
    }
}

void frmMain::updateHandMenus()
{
    action("mnuShowComputerHand")->setText(prefs.prfShowHide ? tr("Show Hand") : tr("Hide Hand"));
    action("mnuPeek")->setEnabled(prefs.prfShowHide && !prefs.isPoker);
}

// ---------------------------------------------------------------- shut-down

void frmMain::closeEvent(QCloseEvent* e)
{
    if (!unloaded_)
        Form_Unload();
    e->accept();
}

void frmMain::Form_Unload()
{
    unloaded_ = true;
    // Whatever game step is waiting must stop now; nothing runs against a closed window.
    abandonAllWaits();
    Timer1_.stop();
    guarded("Form_Unload", [this] {
        cdtTerm();
        poker.settlePrize();  // a prize still counting when the window closes is the user's
        prfvidPokMoney = poker.s.winnings;
        savePreferences();
        runTopScores();
    });
    stopHistory();
    if (cover_)
        cover_->close();
}

void frmMain::savePreferences()
{
    const auto texts = savedTexts(prefs);
    if (texts == prefsStored_)
        return;  // nothing new since the last write
    savePrefs(*ctx_.store, prefs);
    auto* qs = dynamic_cast<QtSettingsStore*>(ctx_.store);
    if (!qs || qs->sync()) {
        prefsStored_ = texts;
        return;
    }
    // Unchanged preferences are not lost: the store still has them, or they are the defaults.
    if (prefsFailTold_ || texts == prefsAtStart_)
        return;
    prefsFailTold_ = true;
    message("Your preferences could not be saved: \"" + qs->place() + "\" cannot be written.");
}

void frmMain::closeUnattended()
{
    unattended_ = true;
    // Each box that is up returns as if cancelled; its caller sees unattended_.
    for (int i = 0; i < 16; ++i) {
        QWidget* up = QApplication::activePopupWidget();
        if (!up)
            up = QApplication::activeModalWidget();
        if (!up)
            break;
        if (auto* d = qobject_cast<QDialog*>(up))
            d->reject();
        else
            up->close();
    }
    // From the event loop, so whatever step was waiting in a box has returned first.
    QMetaObject::invokeMethod(
        this,
        [this] {
            close();
            QCoreApplication::quit();
        },
        Qt::QueuedConnection);
}

void frmMain::runTopScores()
{
    if (scoreFile_.path.isEmpty())
        return;  // the tables were never read: blank ones must not replace the file
    RunResults results;
    results.playerBank = prefs.prfPlayerBank;
    results.perfectPlay = prfvidPokPerfPlay;
    results.pokerMoney = prfvidPokMoney;
    const InputBox box = ctx_.dialogs.inputBox ? ctx_.dialogs.inputBox : makeInputBox(this);
    const InputBox ask = [this, box](const std::string& prompt, const std::string& title, const std::string& def) {
        if (unattended_)
            return def;
        const std::string answer = box(prompt, title, def);
        return unattended_ ? def : answer;  // the box was closed for an ending program
    };
    const ScoreSave saved = CheckTopScores(topScores, results, ask, scoreFile_.path.toStdString(), scoreRun_);
    prfvidPokPerfPlay = results.perfectPlay;
    // Tables that match the file lose nothing; a failure is told once a run.
    if (saved || scoreRun_.unsaved.empty() || scoresFailTold_)
        return;
    scoresFailTold_ = true;
    QString text = QStringLiteral("Your scores could not be saved: %1.").arg(QString::fromStdString(saved.error));
    if (scoreFile_.path != scoreFile_.beside && !scoreFile_.besideRefused)  // where it tried first
        text += QStringLiteral(" The program's folder \"%1\" cannot be written either.")
                    .arg(QFileInfo(scoreFile_.beside).path());
    else if (saved.folderCause)
        text += QStringLiteral(" Check that the program's folder is writable.");
    message(text.toStdString());
}

// ---------------------------------------------------------------- host services

bool frmMain::wait(int ms)
{
    if (unloaded_)
        return false;
    return shortDelay(ms, this, ctx_.timeScale) && !unloaded_;
}

void frmMain::playSound(const std::string& file)
{
    if (!unloaded_)
        sounds_->play(QString::fromStdString(file));
}

void frmMain::message(const std::string& text, const std::string& title)
{
    const QString t = QString::fromStdString(text);
    const QString caption = title.empty() ? windowTitle() : QString::fromStdString(title);
    if (unattended_ && !ctx_.dialogs.message) {
        std::fprintf(stderr, "%s\n", qPrintable(t));  // nobody there to press OK
        return;
    }
    if (ctx_.dialogs.message) {
        ctx_.dialogs.message(t, caption);
        return;
    }
    QMessageBox box(QMessageBox::Information, caption, t, QMessageBox::Ok, isVisible() ? this : nullptr);
    makeRoomForTitle(box);
    box.exec();
}

bool frmMain::askYesNo(const std::string& text, const std::string& title)
{
    const QString t = QString::fromStdString(text);
    const QString caption = QString::fromStdString(title);
    if (unattended_)
        return false;
    if (ctx_.dialogs.askYesNo)
        return ctx_.dialogs.askYesNo(t, caption);
    QMessageBox box(QMessageBox::Question, caption, t, QMessageBox::Yes | QMessageBox::No, this);
    makeRoomForTitle(box);
    return box.exec() == QMessageBox::Yes;
}

void frmMain::reportError(const std::string& procedure, const std::string& description)
{
    message(errorText(procedure, description));
}

}  // namespace dm
