// The Expert computer: each choice played out on the same sampled worlds (the other
// side's hidden cards and the stock order drawn from what it has not seen), Standard on
// both sides afterwards; the choice that wins most, net of losses, is taken.
#include "rummy/expert.h"

#include <algorithm>
#include <cmath>

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

// The best of `choices` (0 is Standard's own), raced on the same sampled worlds: all are
// played out batch by batch, and a choice leaves the race once the leader is surely better
// or it can no longer be more than `options.indifference` better than the leader. Paired
// differences on common worlds are far less noisy than each choice's own share, so the
// race settles in a few hundred worlds where a fixed count would need thousands. A cap on
// the hands played out keeps the slowest decision (many close choices) inside the pause.
template <class Apply>
int race(const ExpertSight& v, uint64_t seed, const ExpertOptions& options, int choices, Apply apply)
{
    const SimOutcome mine = v.firstSeat ? SimOutcome::FirstWins : SimOutcome::SecondWins;
    const SimOutcome theirs = v.firstSeat ? SimOutcome::SecondWins : SimOutcome::FirstWins;
    std::vector<std::vector<int8_t>> net(choices);  // per choice, per world: +1 won, -1 lost, 0 tie
    std::vector<char> live(choices, 1);
    int liveCount = choices;
    int leader = 0;
    SimHand world;
    const int cap = std::max(1, options.samples);
    const int batch = std::max(1, options.batch);
    int played = 0;
    for (int n = 0; n < cap && liveCount > 1 && played < options.playouts;) {
        const int end = std::min(cap, n + batch);
        for (int j = n; j < end; ++j) {
            SplitMix rng(seed, 9, static_cast<uint64_t>(j));
            sampleWorld(v, rng, world);
            for (int c = 0; c < choices; ++c) {
                if (!live[c])
                    continue;
                SimHand h = world;
                apply(h, c);
                const SimOutcome o = playOut(h);
                ++played;
                net[c].push_back(static_cast<int8_t>((o == mine) - (o == theirs)));
            }
        }
        n = end;
        std::vector<int> sum(choices, 0);
        for (int c = 0; c < choices; ++c)
            if (live[c])
                for (int8_t r : net[c])
                    sum[c] += r;
        leader = -1;
        for (int c = 0; c < choices; ++c)
            if (live[c] && (leader < 0 || sum[c] > sum[leader]))
                leader = c;  // the first of equals, so Standard's choice wins a tie
        for (int c = 0; c < choices; ++c) {
            if (!live[c] || c == leader)
                continue;
            double d = 0, d2 = 0;
            for (int j = 0; j < n; ++j) {
                const int x = net[leader][j] - net[c][j];
                d += x;
                d2 += x * x;
            }
            const double mean = d / n;
            const double se = std::sqrt(std::max(0.0, d2 / n - mean * mean) / n);
            const bool behind = mean - options.z * se > 0;
            const bool noBetter = options.z * se - mean < options.indifference;
            if (n >= options.minSamples && (behind || noBetter)) {
                live[c] = 0;
                --liveCount;
            }
        }
    }
    return leader;
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
    return pile[race(v, seed, options, 2, [&](SimHand& h, int c) {
        simTakeChosen(h, offer, pile[c] ? TakeChoice::Pile : TakeChoice::Stock);
    })];
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
    return slots[race(v, seed, options, static_cast<int>(slots.size()),
                      [&](SimHand& h, int c) { simThrow(h, v.hand[slots[c]].number); })];
}

}  // namespace dm
