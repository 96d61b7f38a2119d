// The user's side of a rummy hand: drawing, taking the discard, discarding, the tie prompt.
#include <stdexcept>

#include "rummy/game.h"

namespace dm {

// Marks a user step as running for the deal it started in; restores the mark on exit
// so nested steps of a newer deal leave no trace.
class UserStepScope {
public:
    explicit UserStepScope(RummyGame& g)
        : g_(g), wasRunning_(g.userStepRunning_), wasDeal_(g.userStepDeal_)
    {
        g_.userStepRunning_ = true;
        g_.userStepDeal_ = g.s.dealSerial;
    }
    ~UserStepScope()
    {
        g_.userStepRunning_ = wasRunning_;
        g_.userStepDeal_ = wasDeal_;
    }
    UserStepScope(const UserStepScope&) = delete;
    UserStepScope& operator=(const UserStepScope&) = delete;

private:
    RummyGame& g_;
    bool wasRunning_;
    uint32_t wasDeal_;
};

bool RummyGame::tableLocked() const
{
    const bool stepRunning = userStepRunning_ && userStepDeal_ == s.dealSerial;
    return s.eval.computerTurn || s.eval.handWon || stepRunning;
}

// Takes the top of the stock into dst and updates the pile pictures. The stock keeps
// its last slot: taking it only sets stockEmpty.
void RummyGame::takeTopOfStock(CardRec& dst)
{
    if (s.stock.empty() || s.stockEmpty)
        throw std::logic_error("the draw pile holds no card");
    const int u = static_cast<int>(s.stock.size()) - 1;
    copyIdentity(dst, s.stock[u]);
    s.pileImage = static_cast<int16_t>(u >= 4 ? 0 : 4 - u);
    view_.showStock(s.pileImage);
    if (u > 0)
        s.stock.pop_back();
    else
        s.stockEmpty = true;
}

// The taken card (already in slot 9) glides to the draw spot; then the win check.
bool RummyGame::receiveDrawnCard(Place from, int card, uint32_t serial)
{
    sound("deal.wav");
    if (!glide(from, Place{Place::Kind::PlayerDraw}, card, serial))
        return false;
    view_.showDrawSpot(Side::Player, true);
    s.mustDiscard = true;
    if (checkForWinningHand(s.playerHand, s.eval.handWon))
        WinnerPlayerHoopla();
    return true;
}

void RummyGame::offerTie()
{
    if (s.stockEmpty && view_.askYesNo("The game is a tie..", "Start a new game...?")) {
        handEnded(RummyHandResult::Outcome::Tie);
        newHand();
    }
}

void RummyGame::picDeal_Click()
{
    view_.hideStartItem();
    guarded("picDeal_Click", [&] {
        if (tableLocked())
            return;
        if (s.mustDiscard) {
            view_.stockAnimation();
            return;
        }
        if (!s.stockEmpty) {
            UserStepScope step(*this);
            const uint32_t serial = s.dealSerial;
            takeTopOfStock(s.playerHand[9]);
            record({RummyMove::Kind::UserStock, s.playerHand[9].number});
            if (!receiveDrawnCard(Place{Place::Kind::Stock}, kNoCard, serial) || s.eval.handWon)
                return;
        }
        offerTie();
    });
}

void RummyGame::picReject_Click()
{
    view_.hideStartItem();
    guarded("picReject_Click", [&] {
        if (tableLocked() || s.mustDiscard || s.discardEmpty())
            return;
        {
            UserStepScope step(*this);
            const uint32_t serial = s.dealSerial;
            const CardRec top = s.discardPile.back();
            copyIdentity(s.playerHand[9], top);
            s.discardPile.pop_back();
            record({RummyMove::Kind::UserPile, top.number});
            view_.drawDiscardPile();
            // Where a discard onto the shortened pile would lie is where the card lay.
            if (!receiveDrawnCard(Place{Place::Kind::DiscardNext}, top.number, serial) || s.eval.handWon)
                return;
        }
        offerTie();
    });
}

void RummyGame::DiscardPlayerCard(int index)
{
    guarded("DiscardPlayerCard", [&] {
        if (index < 0 || index > 9 || !s.mustDiscard || tableLocked())
            return;
        UserStepScope step(*this);
        const uint32_t serial = s.dealSerial;
        s.mustDiscard = false;
        const CardRec card = s.playerHand[index];
        Place from{Place::Kind::PlayerDraw};
        if (index != 9) {
            from = Place{Place::Kind::PlayerSlot, index};
            view_.showDrawSpot(Side::Player, true);
            view_.refreshHand(Side::Player, index, true);
        }
        sound("drop.wav");
        if (!glide(from, Place{Place::Kind::DiscardNext}, card.number, serial))
            return;
        s.discardPile.push_back(cardOf(card.number));
        record({RummyMove::Kind::UserDiscard, card.number});
        view_.drawDiscardPile();
        if (index != 9) {
            // The hand may have been rearranged (a click, a drag, a sort) while the card
            // flew: the drawn card takes the slot the thrown card holds now.
            int slot = index;
            for (int k = 0; k < 9; ++k)
                if (s.playerHand[k].number == card.number)
                    slot = k;
            copyIdentity(s.playerHand[slot], s.playerHand[9]);
            view_.refreshHand(Side::Player);
        }
        s.eval.computerTurn = true;
        ComputerPlay();
    });
}

void RummyGame::picPlayerDraw_Click()
{
    view_.hideStartItem();
    if (!s.eval.handWon && s.mustDiscard)
        DiscardPlayerCard(9);
}

}  // namespace dm
