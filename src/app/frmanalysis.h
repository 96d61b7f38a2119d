#pragma once
// "Hand Analysis", the trainer's window: the exact worth of every hold of the hand on the
// table, best first, live as the user holds; and the session's account of the hands
// drawn, with the whole game's returns worked out beside the table's play. In rummy its
// pages show the chances of the user's choices and the hand in words instead.
#include <QFutureWatcher>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "app/rummy_session.h"
#include "poker/analysis.h"
#include "poker/session.h"
#include "rummy/trainer.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace dm {

class RummyAnalysisPage;
class RummySessionPage;
class RummyTrainer;

class frmAnalysis : public QWidget {
    Q_OBJECT
public:
    frmAnalysis(PokerSession& session, RummySession& rummySession, QWidget* parent = nullptr);
    ~frmAnalysis() override;

    // Presses card pos of the table, as a click on it does.
    std::function<void(int pos)> pressCard;

    // The hand on the table; while it is not waiting for the draw, the last one stays shown.
    // toFront: the table's hand even while one of the session is being studied.
    void followTable(const PokerCards& hand, const std::array<bool, 5>& held, bool holding, bool toFront = false);
    void sessionChanged();
    void showAnalysisPage();
    QSize sizeHint() const override;  // every column, and about eight holds or the choices of a turn

    // The pages of the game on the table (poker's at first); call before showing.
    void showRummy(bool rummy);
    // The table's position; only a change (or toFront) moves the page off a studied choice.
    void followRummy(const RummyPosition& pos, bool handOver, bool toFront = false);
    // A move just played, `after` the position it led to: the user's are scored.
    void rummyMovePlayed(const RummyPosition& after, const RummyMove& move);
    void rummyHandOver(const RummyPosition& pos, const RummyHandResult& result);
    // The card the user points at on the table (raised), kNoCard for none.
    void pointAt(int card);
    void setBackDesign(int design);
    RummyTrainer& rummyTrainer() { return *trainer_; }

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void buildAnalysisPage();
    void buildSessionPage();
    // Fills the rows for a new hand; the same hand keeps its rows and only moves the mark.
    void analyse(const PokerCards& hand);
    void markHold(HoldMask held);
    void revealMark();
    void describe();
    void review(const PlayedHand& h);
    void holdActivated(int row);
    void toggleFromKey(int pos);
    void startWholeGame();
    void showWholeGame();
    void reviewSelected();

    PokerSession& session_;
    QTabWidget* tabs_ = nullptr;

    // The analysis page.
    QLabel* heading_ = nullptr;
    QTableWidget* holds_ = nullptr;
    PokerCards hand_{};
    bool analysed_ = false;
    HoldValues values_{};
    std::array<bool, kHolds> adviser_{};
    HoldMask marked_ = 0;
    bool live_ = false;       // the hand shown is the table's, waiting for the draw
    int reviewing_ = 0;       // number of the session hand shown, 0: the table's
    PokerCards tableHand_{};  // the table as last seen
    HoldMask tableHeld_ = 0;
    bool tableHolding_ = false;

    // The session page.
    std::array<QLabel*, 7> figures_{};
    QLabel* wholeGame_ = nullptr;
    QTableWidget* costly_ = nullptr;
    QPushButton* showHand_ = nullptr;
    QPushButton* reset_ = nullptr;
    QFutureWatcher<GameSolution> solve_;
    bool solveStarted_ = false;

    // Rummy.
    void buildRummyPages();
    void showRummyHistory();
    // Shows the table's decision and, while the window is open, works its chances out.
    void workOutRummy();
    RummySession& rummySession_;
    std::array<QWidget*, 2> pokerPages_{};
    RummyAnalysisPage* rummyPage_ = nullptr;
    RummySessionPage* rummySessionPage_ = nullptr;
    RummyTrainer* trainer_ = nullptr;
    bool rummy_ = false;
    RummyPosition rummyPos_;
    bool rummyFollowed_ = false;  // rummyPos_ is the table's, not the empty default
    bool rummyOver_ = false;
    std::optional<RummyHandResult> result_;  // of the hand dealt `resultDeal_`
    std::array<int, 9> resultDeal_{};
};

}  // namespace dm
