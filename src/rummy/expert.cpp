// The Expert computer: each choice played out on the same sampled worlds (the other
// side's hidden cards and the stock order drawn from what it has not seen), Standard on
// both sides afterwards; the choice that wins most, net of losses, is taken.
#include "rummy/expert.h"

#include <algorithm>

#include "rummy/game.h"
#include "rummy/playout.h"
#include "rummy/sampler.h"

namespace dm {

namespace {

void unseenBut(ExpertSight& v, const std::array<bool, kDeckSize>& seen)
{
    v.unseen.clear();
    for (int c = 0; c < kDeckSize; ++c)
        if (!seen[c])
            v.unseen.push_back(c);
}

// One world consistent with the sight: the other side's cards and the stock.
void sampleWorld(const ExpertSight& v, SplitMix& rng, SimHand& h)
{
    std::vector<int> free = v.unseen;
    rng.shuffle(free.begin(), free.end());
    const int hidden = std::max(0, 9 - static_cast<int>(v.otherKnown.size()));
    std::array<int, 9> other{};
    int n = 0;
    for (int c : v.otherKnown)
        if (n < 9)
            other[n++] = c;
    for (int k = 0; k < hidden && k < static_cast<int>(free.size()); ++k)
        other[n++] = free[k];
    rng.shuffle(other.begin(), other.begin() + n);
    const int rest = std::max(0, static_cast<int>(free.size()) - hidden);
    const int stock = std::min(rest, v.stockLeft);
    std::array<int, 9> mine{};
    for (int k = 0; k < 9; ++k)
        mine[k] = v.hand[k].number;
    const int me = v.firstSeat ? 0 : 1;
    h.log = nullptr;
    dealSim(h, me == 0 ? mine : other, me == 0 ? other : mine, free.data() + hidden, stock);
    SimSeat& seat = h.seat[me];
    seat.hand = v.hand;
    seat.eval.computerMelds = v.melds;
    seat.eval.computerTurn = true;
    seat.resetMelds = v.resetMelds;
    h.pileCount = 0;
    for (int c : v.pile)
        h.pile[h.pileCount++] = static_cast<int8_t>(c);
    h.toMove = me;
    h.mustThrow = !v.offered;
}

// Net wins (wins - losses) of each choice over the same sampled worlds.
template <class Apply>
std::vector<int> score(const ExpertSight& v, uint64_t seed, int samples, int choices, Apply apply)
{
    std::vector<int> net(choices);
    SimHand world;
    const SimOutcome mine = v.firstSeat ? SimOutcome::FirstWins : SimOutcome::SecondWins;
    const SimOutcome theirs = v.firstSeat ? SimOutcome::SecondWins : SimOutcome::FirstWins;
    for (int j = 0; j < samples; ++j) {
        SplitMix rng(seed, 9, static_cast<uint64_t>(j));
        sampleWorld(v, rng, world);
        for (int c = 0; c < choices; ++c) {
            SimHand h = world;
            apply(h, c);
            const SimOutcome o = playOut(h);
            net[c] += (o == mine) - (o == theirs);
        }
    }
    return net;
}

}  // namespace

ExpertSight expertSight(const RummyState& s)
{
    ExpertSight v;
    v.hand = s.computerHand;
    v.melds = s.eval.computerMelds;
    v.resetMelds = s.resetMelds;
    v.firstSeat = false;
    std::array<bool, kDeckSize> seen{};
    for (size_t k = 1; k < s.discardPile.size(); ++k) {
        v.pile.push_back(s.discardPile[k].number);
        seen[s.discardPile[k].number] = true;
    }
    v.offered = !s.discardEmpty() && s.computerHand[9].number == s.discardPile.back().number;
    for (int k = 0; k < 10; ++k)
        if (s.computerHand[k].number >= 0 && s.computerHand[k].number < kDeckSize)
            seen[s.computerHand[k].number] = true;
    // The user's pile takes it saw, less the cards the user threw since.
    for (const RummyMove& m : s.position.moves) {
        if (m.kind == RummyMove::Kind::UserPile)
            v.otherKnown.push_back(m.card);
        else if (m.kind == RummyMove::Kind::UserDiscard)
            v.otherKnown.erase(std::remove(v.otherKnown.begin(), v.otherKnown.end(), m.card), v.otherKnown.end());
    }
    for (int c : v.otherKnown)
        seen[c] = true;
    unseenBut(v, seen);
    v.stockLeft = s.stockEmpty ? 0 : static_cast<int>(s.stock.size());
    return v;
}

ExpertSight simSight(const SimHand& h)
{
    ExpertSight v;
    const int me = h.toMove;
    const SimSeat& seat = h.seat[me];
    v.hand = seat.hand;
    v.melds = seat.eval.computerMelds;
    v.resetMelds = seat.resetMelds;
    v.offered = !h.mustThrow;
    v.firstSeat = me == 0;
    std::array<bool, kDeckSize> seen{};
    for (int k = 0; k < h.pileCount; ++k) {
        v.pile.push_back(h.pile[k]);
        seen[h.pile[k]] = true;
    }
    for (int k = 0; k < (h.mustThrow ? 10 : 9); ++k)
        seen[seat.hand[k].number] = true;
    for (int c = 0; c < kDeckSize; ++c) {
        if (h.pileTaken[1 - me] >> c & 1) {
            v.otherKnown.push_back(c);
            seen[c] = true;
        }
    }
    unseenBut(v, seen);
    v.stockLeft = h.stockCount;
    return v;
}

bool expertTakesPile(const ExpertSight& v, uint64_t seed, const ExpertOptions& options)
{
    if (v.pile.empty())
        return false;
    const int offered = v.pile.back();
    const OfferDecision d = decideOffer(v.hand, static_cast<int16_t>(offered));
    const StandardMove offer{d.takeDiscard ? StandardMove::Act::TakePile : StandardMove::Act::Draw, d.lowestSlot};
    // Choice 0 is Standard's own, so a draw in the figures keeps it.
    const std::array<bool, 2> pile{d.takeDiscard, !d.takeDiscard};
    const auto net = score(v, seed, options.samples, 2, [&](SimHand& h, int c) {
        simTakeChosen(h, offer, pile[c] ? TakeChoice::Pile : TakeChoice::Stock);
    });
    return net[1] > net[0] ? pile[1] : pile[0];
}

int expertThrowSlot(const ExpertSight& v, uint64_t seed, const ExpertOptions& options)
{
    // Standard's throw first; then every card outside a completed meld.
    ExpertSight look = v;
    bool keep = false;
    EvalState eval;
    eval.computerMelds = v.melds;
    eval.computerTurn = true;
    const int standard = EvaluateHand(look.hand, keep, eval).discardIndex;
    std::vector<int> slots{standard};
    for (int k = 0; k < 10; ++k)
        if (k != standard && v.hand[k].value != 10)
            slots.push_back(k);
    if (slots.size() == 1)
        return standard;
    const auto net = score(v, seed, options.samples, static_cast<int>(slots.size()),
                           [&](SimHand& h, int c) { simThrow(h, v.hand[slots[c]].number); });
    return slots[std::max_element(net.begin(), net.end()) - net.begin()];
}

}  // namespace dm
