#pragma once
// The narrow interface through which the rummy flow reaches the table.
// The main window draws from the game's public state; the fake in the tests records.
#include "cards/card.h"
#include "cards/host.h"
#include "rummy/trainer.h"

namespace dm {

enum class Side { Player, Computer };

// Where a moving card starts or ends; the table turns it into pixels.
struct Place {
    enum class Kind {
        Stock,         // the top of the draw pile (8, 4 from the corner of picDeal(0))
        DiscardTop,    // the top card of the discard pile as it lies now
        DiscardNext,   // where the next discard will lie on the pile
        PlayerDraw,    // the user's drawn-card spot
        ComputerDraw,  // the computer's drawn-card spot
        PlayerSlot,    // slot `slot` of the user's hand
        ComputerSlot,  // slot `slot` of the computer's hand
    };
    Kind kind;
    int slot = 0;
    bool operator==(const Place&) const = default;
};

class RummyView : public virtual GameHost {
public:
    // After a deal: both hands, the stock pictures, the empty discard pile, the draw spots.
    virtual void showDeal() = 0;
    // refreshHand: selected card raised (while a discard is due) or left out (skip).
    virtual void refreshHand(Side which, int selected = kNoCard, bool skip = false) = 0;
    // Slots 0..8 of the computer's hand face up or as backs (peek, Show/Hide Hand).
    virtual void drawComputerCards(bool faceUp) = 0;
    // The discard pile picture from the pile as it is now (at most three cards).
    virtual void drawDiscardPile() = 0;
    // Which stock picture shows: 0..3, or 4 for none.
    virtual void showStock(int pileImage) = 0;
    // The side's drawn-card spot: shown with slot 9 of that hand face up, or hidden.
    virtual void showDrawSpot(Side which, bool shown) = 0;
    // Glides one card (kNoCard: a back) from one place to another. False: abandoned.
    virtual bool animateCard(Place from, Place to, int card) = 0;
    // The stock's idle back animation (cardGraphics). False: abandoned.
    virtual bool stockAnimation() = 0;
    // The winner display: bare table, the winning hand as arch or sag, loser's cards highlighted.
    virtual void showWinner(Side winner) = 0;
    // Paints both banks as outlined numbers, on the window and the table buffer.
    virtual void drawBanks() = 0;
    // Hides "Start New Game", offered only in the right-click pop-up.
    virtual void hideStartItem() = 0;

    // A move was played and recorded in the game's position; the trainer, the move
    // list and the screen reader follow the hand through it.
    virtual void movePlayed(const RummyMove&) {}
    // The hand is over: a win with the banks paid, or the stock run out.
    virtual void handOver(const RummyHandResult&) {}
};

}  // namespace dm
