#pragma once
// One rummy game on the table: the deal, the user's side, the computer's turn,
// the end of a hand and the banks. Plain C++ over the state below; the table,
// sounds, boxes and waits are reached through RummyView.
#include <functional>
#include <optional>
#include <cstdint>
#include <exception>
#include <type_traits>
#include <vector>

#include "cards/deck.h"
#include "cards/random.h"
#include "rummy/opponent.h"
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
    RummyPosition position;   // what the user has seen of this hand
    Opponent opponent = Opponent::Standard;  // who plays the computer's side of this hand

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

    // The opponent of the next hand; the running hand keeps its own.
    void setOpponent(Opponent o) { nextOpponent_ = o; }
    Opponent nextOpponent() const { return nextOpponent_; }

private:
    // Runs one handler's body; a failure is reported under the handler's name and the
    // game goes on. Bodies that return bool say whether the caller may go on; a
    // failure counts as "stop".
    template <class Body>
    bool guarded(const char* name, Body&& body)
    {
        try {
            if constexpr (std::is_void_v<std::invoke_result_t<Body>>) {
                body();
                return true;
            } else {
                return body();
            }
        } catch (const std::exception& e) {
            view_.reportError(name, e.what());
        }
        return false;
    }

    void sound(const char* file);
    int moveDelay() const;
    bool alive(uint32_t serial) const { return serial == s.dealSerial; }
    bool pause(int ms, uint32_t serial);
    bool glide(Place from, Place to, int card, uint32_t serial);
    void relayoutPlayerHand();

    // The user's side.
    bool tableLocked() const;
    void takeTopOfStock(CardRec& dst);
    bool receiveDrawnCard(Place from, int card, uint32_t serial);
    void offerTie();

    // The computer's turn; false: the turn stops where it is.
    bool playComputerTurn();
    // `paused`: the turn's pause has already run (the Expert thought through it).
    bool takeOfferedCard(int lowestSlot, int pauseMs, uint32_t serial, bool paused = false);
    bool drawAndDiscard(int pauseMs, uint32_t serial, bool paused = false);
    // The Expert thinks on a worker thread through the pause that follows its decision, so
    // the table keeps painting; nothing when the pause ends the turn.
    template <class T>
    std::optional<T> thinkThrough(std::function<T()> think, int pauseMs, uint32_t serial);
    // The pause before a throw, and the slot to throw: Standard's, or the Expert's, chosen
    // through the pause; nothing when the pause ends the turn.
    std::optional<int> throwAfterPause(int standardSlot, int pauseMs, uint32_t serial);
    bool ComputerDrawFromDeck(uint32_t serial);
    bool ComputerTakeDiscard(uint32_t serial);
    bool ComputerDiscardCard(int index, uint32_t serial);
    bool turnOver(uint32_t serial) const { return s.eval.handWon || !alive(serial); }
    void endComputerTurn();
    StandardMind computerMind();
    uint64_t expertSeed();  // the Expert's sampling seed for one decision, from the game's chance

    // What the user sees of the hand: recorded in s.position and told to the view.
    void record(const RummyMove& move);
    void recordShownHand();
    void handEnded(RummyHandResult::Outcome outcome);

    RummyView& view_;
    Prefs& prefs_;
    Rng& rng_;
    Opponent nextOpponent_ = Opponent::Standard;
    bool handLive_ = false;  // a rummy hand is dealt and not over: its moves are recorded

    // A user step is mid-animation (events keep running): table clicks of the same deal
    // are ignored until it ends, so a card cannot be drawn or thrown twice.
    bool userStepRunning_ = false;
    uint32_t userStepDeal_ = 0;
    friend class UserStepScope;
};

}  // namespace dm
