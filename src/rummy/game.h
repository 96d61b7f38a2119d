#pragma once
// One rummy game on the table: the deal, the user's side, the computer's turn,
// the end of a hand and the banks. Plain C++ over the state below; the table,
// sounds, boxes and waits are reached through RummyView.
#include <cstdint>
#include <vector>

#include "cards/deck.h"
#include "cards/random.h"
#include "rummy/rules.h"
#include "rummy/view.h"
#include "store/prefs.h"

namespace dm {

// Pixel values of the hand layout, set by the table.
struct HandGeometry {
    int cardStep = 16;
    int cWidth = 90;
    int playerHandTop = 25;
};

struct RummyState {
    Deck deck{};
    Hand computerHand{};
    Hand playerHand{};
    std::vector<CardRec> stock;                    // top = last slot
    std::vector<CardRec> discardPile{CardRec{}};   // slot 0 holds no card; top = last slot
    EvalState eval;                                // lists, meld stores, handWon, computerTurn
    bool mustDiscard = false;
    bool stockEmpty = false;
    bool resetMelds = false;
    int16_t pileImage = 0;
    HandGeometry geo;
    uint32_t dealSerial = 0;  // grows with every deal, so a running turn notices a new hand

    bool discardEmpty() const { return discardPile.size() <= 1; }
};

class RummyGame {
public:
    RummyGame(RummyView& view, Prefs& prefs, Rng& rng);

    RummyState s;

    // Deck work of a deal; isPoker: fill the stock with all 52 and deal no hands.
    void shuffleCards(bool isPoker);
    void mnuSortRank_Click();
    void mnuSortSuit_Click();

    // The user's side.
    void newHand();  // the game part of mnuPlayRummy_Click: deal, auto-sort, banks after 1 s
    void picDeal_Click();
    void picReject_Click();
    void DiscardPlayerCard(int index);
    void picPlayerDraw_Click();

    // The computer.
    void ComputerPlay();
    void mnuShowComputerHand_Click();
    void mnuPeek_Click();

    // End of hand and banks.
    void WinnerPlayerHoopla();
    void WinnerComputerHoopla();
    void UpdateBank(int outcome);  // 1 user won, 2 computer won, else redraw only

private:
    RummyView& view_;
    Prefs& prefs_;
    Rng& rng_;
};

}  // namespace dm
