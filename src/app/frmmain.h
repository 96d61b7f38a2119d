#pragma once
// The table window: owns the state of both games, draws them, and turns menu
// commands and mouse clicks into game steps.
#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>

#include "poker/game.h"
#include "app/rummy_session.h"
#include "poker/session.h"
#include "rummy/game.h"
#include "store/prefs.h"
#include "store/qt/highscores.h"
#include "store/scores.h"

class QAction;
class QLabel;
class QMenu;

namespace dm {

class CardSprite;
class HoldMarker;
class PictureBox;
class SoundPlayer;
class TableAccess;
class TableKeys;
class TableSurface;
class frmAnalysis;
class frmHide;
class HandHistory;

// Boxes the window shows; injected so tests can answer them.
struct Dialogs {
    std::function<void(const QString& text, const QString& title)> message;
    std::function<bool(const QString& text, const QString& title)> askYesNo;
    InputBox inputBox;
};

// What the window is given from outside: where its data lives, its store, chance and time.
// Where the k-th card from the bottom of a pile picture lies (at most three are shown).
inline QPoint pileOffset(int k) { return QPoint(5 * k, k); }

struct AppContext {
    QString programDir;      // the program's own folder
    QString dataDir;         // pictures, sounds, frames and help; empty: programDir
    SettingsStore* store = nullptr;
    Rng* rng = nullptr;
    double timeScale = 1.0;  // 0 in tests: waits only let pending events run
    Dialogs dialogs;         // empty members fall back to the platform's boxes
    QString versionText = QStringLiteral("1.0.0");
};

inline QString dataDirOf(const AppContext& ctx) { return ctx.dataDir.isEmpty() ? ctx.programDir : ctx.dataDir; }

class frmMain : public QMainWindow, public RummyView, public PokerView {
    Q_OBJECT
public:
    explicit frmMain(AppContext ctx, QWidget* parent = nullptr);
    ~frmMain() override;

    void Form_Load();
    void setCover(frmHide* cover);
    // Writes the preferences to the settings store now: the preferences dialog's Save and
    // the unload. A failure is told once a run, and only when there is something to keep.
    void savePreferences();
    // Closes as the window manager's close does, with nobody there to answer: boxes that are
    // up give way, a name box takes its default, and the program ends (TERM, HUP).
    void closeUnattended();

    // Public state the dialogs and tests read and write.
    Prefs prefs;
    TopScores topScores{};
    int16_t prfvidPokPerfPlay = 0;
    int16_t prfvidPokMoney = 0;
    bool spaceChanged = false;
    int cWidth = 90;
    int cHeight = 126;
    RummyGame rummy;
    PokerGame poker;
    PokerSession session;  // the trainer's account of this run's poker hands
    RummySession rummySession;  // and of its rummy hands and choices

    // Menu commands.
    void mnuPoker_Click();
    void mnuPlayRummy_Click();
    void mnuExit_Click();
    void mnuStart_Click();
    void mnuSortRank_Click();
    void mnuSortSuit_Click();
    void mnuPeek_Click();
    void mnuAnalyzeHand_Click();
    void mnuShowComputerHand_Click();
    void mnuWager_Click();
    void mnuHide_Click();
    void mnuBackgoundSelected_Click(int i);
    void mnuMoreOptions_Click();
    void mnuContents_Click();
    void mnuAbout_Click();
    void mnuStatistics_Click();

    // The rummy trainer's figures for the hand in play, recorded with it when it ends:
    // whether the trainer was open, and the chance the user's choices gave up when scored.
    void setRummyTrainerFigures(bool trainerOpen, std::optional<double> chanceGivenUp);
    HandHistory* history() const { return history_.get(); }
    QWidget* statisticsWindow() const { return stats_; }

    // Table clicks.
    void picDeal_Click(int index);
    void picReject_Click();
    void picPlayerDraw_Click();
    void picPoker_MouseDown(int index);

    // Drawing shared with the dialogs.
    void DrawDealDeck();
    void drawBack(QPainter& p, int x, int y, bool poker) const;
    // Loads a picture of pics/backs as the custom back of the game on the table.
    void loadCustomBack(const QString& file);
    void applyOutlineColour();
    QString picsDir() const;
    QString backsDir() const;
    const AppContext& context() const { return ctx_; }

    // Test access.
    QAction* action(const QString& name) const;
    QMenu* actionMenu() const { return mnuAction_; }
    QList<QAction*> backgroundEntries() const { return mnuBackgoundSelected_; }
    PictureBox* box(const QString& name) const;
    QLabel* pokerLabel(int i) const { return pkLabel_[i]; }
    QLabel* winningsLabel() const { return pklblWinnings_; }
    QRect stockRect() const;
    bool unloaded() const { return unloaded_; }

    // RummyView and PokerView.
    bool wait(int ms) override;
    void playSound(const std::string& file) override;
    void message(const std::string& text, const std::string& title = {}) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    void reportError(const std::string& procedure, const std::string& description) override;

    void showDeal() override;
    void refreshHand(Side which, int selected = kNoCard, bool skip = false) override;
    void drawComputerCards(bool faceUp) override;
    void drawDiscardPile() override;
    void showStock(int pileImage) override;
    void showDrawSpot(Side which, bool shown) override;
    bool animateCard(Place from, Place to, int card) override;
    bool stockAnimation() override;
    void showWinner(Side winner) override;
    void drawBanks() override;
    void hideStartItem() override;
    void movePlayed(const RummyMove& move) override;
    void handOver(const RummyHandResult& result) override;

    void setUpPokerTable() override;
    void colourLabelsNormal() override;
    void lightLabel(int cls, LabelLight light) override;
    void showCard(int pos, CardShow how) override;
    void showHoldMarkers(int pos, bool shown) override;
    bool animateToPosition(int pos) override;
    void showCounters() override;
    void setTimerRunning(bool running) override;
    void offerPerfectRun(int16_t run) override;
    void handPlayed(const PokerCards& dealt, const std::array<bool, 5>& held, int prize) override;

    // The table for the keyboard and screen readers.
    TableAccess* tableAccess() const { return access_; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    friend class TableAccess;
    friend class TableKeys;
    void buildTableAccess();

    // Start-up and shut-down.
    void buildMenus();
    void buildTable();
    void showFirstFrame();
    void FirstInit();
    void fillBackgroundMenu();
    void updateHandMenus();
    void InitAnimDelay();
    void Form_Unload();
    // Offers the results to the tables and writes the file; a failure is told.
    void runTopScores();
    void loadCustomBackFor(const QString& file, bool forPoker);

    // Table drawing.
    void LoadBackGroundPic(const QString& name);
    bool loadPicture(const QString& name);
    void AutoSizeToPicture();
    void resetGraphics();
    void placeBoxes();
    void hideAllBoxes();
    void drawPileInto(PictureBox* box, int cardsShown);
    QPoint placePoint(const Place& p) const;
    bool glide(QPoint from, QPoint to, int card, bool poker);
    void paintBanksOn(QPainter& p);
    void drawPokerCard(int pos, CardShow how);

    // The user's hand under the mouse.
    void picPlayerHand_MouseDown(QMouseEvent* e);
    void picPlayerHand_MouseMove(QMouseEvent* e);
    void picPlayerHand_MouseUp(QMouseEvent* e);
    void picPlayerHand_Click(Qt::MouseButton button);
    void Form_MouseDown(QMouseEvent* e);
    void Form_MouseMove(QMouseEvent* e);
    void Form_MouseUp();
    void endDragOnTakenCard();
    int cardUnder(int x) const;

    // The hand history, opened once the first frame is painted, and what goes into it.
    void startHistory();
    // Closes the "Statistics" window, writes the hands still queued and closes the file.
    void stopHistory();
    void recordPokerHand(const PokerCards& dealt, const std::array<bool, 5>& held, int prize);
    void recordRummyHand(const RummyHandResult& result);

    // Brings the trainer's window and the "Analyze Hand" command up to the table's hand.
    void followTable();
    void followRummyTable();
    int pointedCard() const;
    // The opponent choice of the Game menu, and the stored one applied to the game.
    void buildOpponentMenu(QMenu* game);
    void applyOpponent();

    // Runs a handler, reporting any failure in the program's one message format.
    void guarded(const char* name, const std::function<void()>& body);

    AppContext ctx_;
    FilePlace scoreFile_;  // where "stats.dat" is read and written
    ScoreRun scoreRun_;    // entries not yet stored, kept for the next write
    bool scoresFailTold_ = false;
    std::map<std::string, std::string> prefsStored_;   // the texts last written to the store
    std::map<std::string, std::string> prefsAtStart_;  // as loaded: a change from these is the user's
    bool prefsFailTold_ = false;
    bool unattended_ = false;
    std::unique_ptr<SoundPlayer> sounds_;
    QPointer<frmHide> cover_;
    QPointer<frmAnalysis> analysis_;
    bool followQueued_ = false;
    std::unique_ptr<HandHistory> history_;
    QPointer<QWidget> stats_;
    bool rummyTrainerOpen_ = false;
    std::optional<double> rummyChanceGivenUp_;

    TableSurface* surface_ = nullptr;
    QImage thePic_;
    QString thePicPath_;
    QDateTime thePicStamp_;
    PictureBox* picComputerHand_ = nullptr;
    PictureBox* picPlayerHand_ = nullptr;
    PictureBox* picComputerDraw_ = nullptr;
    PictureBox* picPlayerDraw_ = nullptr;
    PictureBox* picReject_ = nullptr;
    std::array<PictureBox*, 4> picDeal_{};
    std::array<PictureBox*, 5> picPoker_{};
    std::array<HoldMarker*, 5> shape1_{};
    CardSprite* picAnimate_ = nullptr;
    QWidget* picPokerLabels_ = nullptr;
    std::array<QLabel*, 21> pkLabel_{};
    QWidget* pokerCounters_ = nullptr;
    QLabel* pklblWinnings_ = nullptr;
    QLabel* pkLabelHands_ = nullptr;
    QLabel* pkLabelTimer_ = nullptr;
    QRect lblBankPlayer_;
    QRect lblBankComputer_;
    std::array<QImage, 2> customBacks_;  // the user's own back pictures: rummy, poker
    QTimer Timer1_;
    TableAccess* access_ = nullptr;
    std::unique_ptr<TableKeys> keys_;

    QMenu* mnuAction_ = nullptr;
    QMenu* mnuBackground_ = nullptr;
    QList<QAction*> mnuBackgoundSelected_;

    // Layout values.
    int cardStep_ = 16;
    int playerHandTop_ = 25;
    double loopTurnSeconds_ = 0;  // measured when first needed

    // Mouse state of the user's hand.
    bool buttonDown_ = false;
    bool dragging_ = false;
    int pressX_ = 0;
    int dragNumber_ = -1;
    int grabOffset_ = 0;
    int hoverIndex_ = kNoCard;
    bool hovering_ = false;
    int raisedIndex_ = kNoCard;

    std::optional<Side> shownWinner_;  // the winner display on the table, kept over a re-layout
    bool firstInitDone_ = false;
    bool unloaded_ = false;
};

}  // namespace dm
