// A simulated hand, played with the Standard computer's own decisions.
#include "rummy/playout.h"

namespace dm {

namespace {

void note(SimHand& h, RummyMove::Kind userKind, RummyMove::Kind computerKind, int card)
{
    if (h.log)
        h.log->moves.push_back({h.toMove == 0 ? userKind : computerKind, card});
}

void finish(SimHand& h, SimOutcome o) { h.outcome = o; }

}  // namespace

void dealSim(SimHand& h, const std::array<int, 9>& first, const std::array<int, 9>& second,
             const int* stock, int stockCount)
{
    for (int s = 0; s < 2; ++s) {
        SimSeat& seat = h.seat[s];
        const auto& cards = s == 0 ? first : second;
        for (int k = 0; k < 9; ++k)
            seat.hand[k] = cardOf(cards[k]);
        seat.hand[9] = CardRec{};
        seat.eval.handWon = false;
        seat.eval.computerTurn = false;
        // A seat whose first look comes after a draw (the first seat, pile empty) never
        // clears its stores itself, so a reused hand would carry the last hand's melds.
        seat.eval.computerMelds.clear();
        seat.eval.otherMelds.clear();
        seat.resetMelds = true;
    }
    h.stockCount = stockCount;
    for (int i = 0; i < stockCount; ++i)
        h.stock[i] = static_cast<int8_t>(stock[i]);
    h.pileCount = 0;
    h.toMove = 0;
    h.mustThrow = false;
    h.standardThrow = 0;
    h.turns = 0;
    h.pileTaken = {};
    h.outcome = SimOutcome::Running;
    if (h.log) {
        h.log->moves.clear();
        h.log->userDeal = first;
    }
}

StandardMove simOffer(SimHand& h)
{
    if (h.pileCount == 0)
        return {StandardMove::Act::Draw, 0};
    return standardStep(h.seat[h.toMove].mind(), TurnMoment::Offer, h.pileTop());
}

void simTake(SimHand& h, TakeChoice choice) { simTakeChosen(h, simOffer(h), choice); }

void simTakeChosen(SimHand& h, const StandardMove& offer, TakeChoice choice)
{
    SimSeat& me = h.seat[h.toMove];
    const bool first = h.toMove == 0;
    if (offer.act == StandardMove::Act::Win && (choice == TakeChoice::Standard || !first)) {
        // The table's user takes the winning card; the computer wins with it on the pile.
        if (first) {
            --h.pileCount;
            note(h, RummyMove::Kind::UserPile, RummyMove::Kind::ComputerPile, me.hand[9].number);
        }
        return finish(h, first ? SimOutcome::FirstWins : SimOutcome::SecondWins);
    }
    bool pile = offer.act == StandardMove::Act::TakePile || offer.act == StandardMove::Act::Win;
    if (choice != TakeChoice::Standard)
        pile = choice == TakeChoice::Pile;
    if (h.pileCount == 0)
        pile = false;
    if (offer.act == StandardMove::Act::Win && !pile)
        me.eval.handWon = false;  // a winning card passed over: the seat plays on
    ++h.turns;
    h.mustThrow = true;
    if (pile) {
        const int card = h.pile[--h.pileCount];
        if (me.hand[9].number != card)  // an offer not evaluated: the card comes as it lies
            me.hand[9] = cardOf(card);
        h.pileTaken[h.toMove] |= uint64_t{1} << card;
        note(h, RummyMove::Kind::UserPile, RummyMove::Kind::ComputerPile, card);
        h.standardThrow = offer.slot;
        if (first && isWinningHand(me.hand))
            finish(h, SimOutcome::FirstWins);
        return;
    }
    if (h.stockCount == 0)
        return finish(h, SimOutcome::Tie);
    const int card = h.stock[--h.stockCount];
    copyIdentity(me.hand[9], cardOf(card));
    note(h, RummyMove::Kind::UserStock, RummyMove::Kind::ComputerStock, card);
    if (first && isWinningHand(me.hand))
        return finish(h, SimOutcome::FirstWins);
    const StandardMove drawn = standardStep(me.mind(), TurnMoment::Drawn);
    if (drawn.act == StandardMove::Act::Win)
        return finish(h, first ? SimOutcome::FirstWins : SimOutcome::SecondWins);
    h.standardThrow = drawn.slot;
}

int slotOf(const SimHand& h, int card)
{
    const Hand& hand = h.seat[h.toMove].hand;
    for (int k = 0; k < 10; ++k)
        if (hand[k].number == card)
            return k;
    return -1;
}

void simThrow(SimHand& h, int card)
{
    SimSeat& me = h.seat[h.toMove];
    int slot = card == kNoCard ? h.standardThrow : slotOf(h, card);
    if (slot < 0)
        slot = h.standardThrow;
    const int thrown = me.hand[slot].number;
    h.pileTaken[h.toMove] &= ~(uint64_t{1} << thrown);
    h.pile[h.pileCount++] = static_cast<int8_t>(thrown);
    note(h, RummyMove::Kind::UserDiscard, RummyMove::Kind::ComputerDiscard, thrown);
    throwFromSlot(me.hand, slot);
    standardStep(me.mind(), TurnMoment::End);
    h.mustThrow = false;
    h.toMove = 1 - h.toMove;
}

SimOutcome playOut(SimHand& h, int turnLimit)
{
    while (!h.over()) {
        if (!h.mustThrow) {
            if (h.turns >= turnLimit) {
                h.outcome = SimOutcome::Tie;
                break;
            }
            simTake(h, TakeChoice::Standard);
        } else {
            simThrow(h);
        }
    }
    return h.outcome;
}

}  // namespace dm
