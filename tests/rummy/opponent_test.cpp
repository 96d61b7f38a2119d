// The computer's decisions in one place: the table's turn against the simulated hand,
// the opponent choice through the flow, and the Expert's blindness to what it cannot see.
#include <gtest/gtest.h>

#include "fake_rummy_view.h"
#include "rummy/duel.h"
#include "rummy/expert.h"
#include "rummy/sampler.h"

using namespace dm;
using namespace dm::test;

namespace {

// The user's side at random: the pile or the stock, then any of the ten cards.
void playTableHand(Table& t, SplitMix& rng)
{
    for (int guard = 0; guard < 500 && !t.s.eval.handWon; ++guard) {
        const bool pile = !t.s.discardEmpty() && (t.s.stockEmpty || rng.below(2) == 0);
        pile ? t.game.picReject_Click() : t.game.picDeal_Click();
        if (!t.s.eval.handWon)
            t.game.DiscardPlayerCard(rng.below(10));
    }
}

// The same deal off the table: the user's recorded choices forced, the computer's left to Standard.
std::vector<RummyMove> mirror(const RummyPosition& table, const std::array<int, 9>& computer,
                              const std::vector<int>& stock, SimOutcome& outcome)
{
    SimHand h;
    RummyPosition log;
    h.log = &log;
    dealSim(h, table.userDeal, computer, stock.data(), static_cast<int>(stock.size()));
    size_t next = 0;
    while (!h.over()) {
        if (h.toMove == 0) {
            if (next >= table.moves.size())
                break;
            const RummyMove& m = table.moves[next++];
            if (m.kind == RummyMove::Kind::UserDiscard)
                simThrow(h, m.card);
            else
                simTake(h, m.kind == RummyMove::Kind::UserPile ? TakeChoice::Pile : TakeChoice::Stock);
        } else {
            h.mustThrow ? simThrow(h) : simTake(h, TakeChoice::Standard);
            next = log.moves.size();
        }
    }
    outcome = h.outcome;
    return log.moves;
}

}  // namespace

TEST(RummyOpponent, TheTablesTurnAndTheSimulationMakeTheSameDecisions)
{
    Table t;
    SplitMix user(77);
    int decided = 0;
    for (int hand = 0; hand < 150; ++hand) {
        t.game.newHand();
        std::array<int, 9> computer;
        for (int k = 0; k < 9; ++k)
            computer[k] = t.s.computerHand[k].number;
        std::vector<int> stock;
        for (const CardRec& c : t.s.stock)
            stock.push_back(c.number);
        t.view.results.clear();
        playTableHand(t, user);
        ASSERT_EQ(t.view.results.size(), t.s.eval.handWon ? 1u : 0u) << "hand " << hand;
        SimOutcome outcome;
        const auto moves = mirror(t.s.position, computer, stock, outcome);
        ASSERT_EQ(moves, t.s.position.moves) << "hand " << hand << ": " << formatPosition(t.s.position);
        ASSERT_EQ(t.view.moves.size() >= moves.size(), true);
        if (t.view.results.empty())
            continue;
        const auto& r = t.view.results[0];
        const SimOutcome expected = r.outcome == RummyHandResult::Outcome::UserWon       ? SimOutcome::FirstWins
                                    : r.outcome == RummyHandResult::Outcome::ComputerWon ? SimOutcome::SecondWins
                                                                                         : SimOutcome::Tie;
        EXPECT_EQ(outcome, expected) << "hand " << hand;
        decided += expected != SimOutcome::Tie;
        int takes = 0;
        for (const RummyMove& m : t.s.position.moves)
            takes += m.kind == RummyMove::Kind::UserStock || m.kind == RummyMove::Kind::UserPile;
        EXPECT_EQ(r.turns, takes);
        if (r.outcome != RummyHandResult::Outcome::Tie) {
            std::array<int, 10> won = r.winningHand;
            Hand ten{};
            for (int k = 0; k < 10; ++k)
                ten[k] = cardOf(won[k]);
            EXPECT_TRUE(isWinningHand(ten));
        }
    }
    EXPECT_GT(decided, 50);
}

TEST(RummyOpponent, TheChoiceTakesEffectWithTheNextHand)
{
    Table t;
    t.game.setOpponent(Opponent::Expert);
    EXPECT_EQ(t.s.opponent, Opponent::Standard);  // the running hand keeps its computer
    t.game.newHand();
    EXPECT_EQ(t.s.opponent, Opponent::Expert);
    ASSERT_EQ(t.view.moves.size(), 0u);
    SplitMix user(5);
    playTableHand(t, user);
    ASSERT_EQ(t.view.results.size(), 1u);
    EXPECT_EQ(t.view.results[0].opponent, Opponent::Expert);
    EXPECT_EQ(t.view.moves, t.s.position.moves);
    EXPECT_EQ(placesCheck(t.s), "");
    t.game.setOpponent(Opponent::Standard);
    t.game.newHand();
    EXPECT_EQ(t.s.opponent, Opponent::Standard);
    EXPECT_TRUE(t.s.position.moves.empty());
}

// The user's cards it never saw and the stock order below what it holds, mixed anew:
// not one of its decisions may change.
TEST(RummyOpponent, ExpertDecidesTheSameWhateverItCannotSee)
{
    const ExpertOptions few{.samples = 16};
    Table t;
    t.game.setOpponent(Opponent::Expert);
    SplitMix user(9), mix(10);
    int checked = 0;
    t.view.onMove = [&](const RummyMove& m) {
        if (m.kind != RummyMove::Kind::UserDiscard || checked >= 40)
            return;
        RummyState seen = t.s, other = t.s;
        // Swap each user card not taken from the pile with a stock card; the stock's top stays.
        std::vector<int> known;
        for (const RummyMove& mv : t.s.position.moves)
            if (mv.kind == RummyMove::Kind::UserPile)
                known.push_back(mv.card);
        const int below = static_cast<int>(other.stock.size()) - 1;
        for (int k = 0; k < 9 && below > 0; ++k) {
            if (std::find(known.begin(), known.end(), other.playerHand[k].number) != known.end())
                continue;
            std::swap(other.playerHand[k].number, other.stock[mix.below(below)].number);
        }
        mix.shuffle(other.stock.begin(), other.stock.begin() + std::max(below, 0));
        for (RummyMove& mv : other.position.moves)  // nor which cards the user drew
            if (mv.kind == RummyMove::Kind::UserStock)
                mv.card = kNoCard;
        for (RummyState* s : {&seen, &other}) {
            const StandardMove offer = standardStep({s->computerHand, s->eval, s->resetMelds}, TurnMoment::Offer,
                                                    s->discardPile.back().number);
            if (offer.act == StandardMove::Act::Win)
                return;
        }
        const uint64_t seed = 1000 + checked;
        const bool take = expertTakesPile(expertSight(seen), seed, few);
        EXPECT_EQ(expertTakesPile(expertSight(other), seed, few), take);
        for (RummyState* s : {&seen, &other}) {
            if (take) {
                s->discardPile.pop_back();
            } else if (!s->stockEmpty && s->stock.size() > 1) {
                copyIdentity(s->computerHand[9], s->stock.back());
                s->stock.pop_back();
                standardStep({s->computerHand, s->eval, s->resetMelds}, TurnMoment::Drawn);
            } else {
                return;
            }
        }
        if (seen.eval.handWon || other.eval.handWon)
            return;
        EXPECT_EQ(expertThrowSlot(expertSight(other), seed, few), expertThrowSlot(expertSight(seen), seed, few));
        ++checked;
    };
    for (int hand = 0; hand < 12 && checked < 40; ++hand) {
        t.game.newHand();
        playTableHand(t, user);
    }
    EXPECT_GE(checked, 30);
}

// The other side took the 2-5 of clubs, three nines and two kings from the pile: a king
// thrown to it wins the hand at once. Standard throws its lone king all the same (its
// lowest, last card); the Expert, from either seat, throws something else.
TEST(RummyOpponent, ExpertNeverHandsOverAKnownWin)
{
    const int kingHearts = cardNumber(13, 2);
    const std::array<int, 10> mine{cardNumber(1, 2),  cardNumber(7, 1),  cardNumber(8, 1),  cardNumber(10, 3),
                                   cardNumber(10, 2), cardNumber(11, 3), cardNumber(12, 3), cardNumber(6, 2),
                                   cardNumber(6, 3),  kingHearts};
    const std::vector<int> theirs{cardNumber(2, 0), cardNumber(3, 0), cardNumber(4, 0),  cardNumber(5, 0), cardNumber(9, 1),
                                  cardNumber(9, 2), cardNumber(9, 3), cardNumber(13, 0), cardNumber(13, 1)};
    for (const bool first : {false, true}) {
        ExpertSight v;
        for (int k = 0; k < 10; ++k)
            v.hand[k] = cardOf(mine[k]);
        v.offered = false;
        v.firstSeat = first;
        v.otherKnown = theirs;
        std::array<bool, kDeckSize> seen{};
        for (int c : mine)
            seen[c] = true;
        for (int c : theirs)
            seen[c] = true;
        for (int c = 0; c < kDeckSize; ++c)
            if (!seen[c])
                v.unseen.push_back(c);
        v.stockLeft = static_cast<int>(v.unseen.size());
        Hand look = v.hand;
        bool keep = false;
        EvalState eval;
        eval.computerTurn = true;
        ASSERT_EQ(look[EvaluateHand(look, keep, eval).discardIndex].number, kingHearts);
        EXPECT_NE(v.hand[expertThrowSlot(v, 7)].number, kingHearts) << (first ? "first seat" : "second seat");
    }
}

// The samplers and the Expert deal hand after hand into one SimHand; each must play as if
// dealt into a new one, or the answers depend on what was played before.
TEST(RummyOpponent, AHandDealtIntoAUsedOnePlaysAsANewOne)
{
    auto deal = [](SimHand& h, RummyPosition& log, uint64_t seed) {
        h.log = &log;
        dealSeeded(h, seed);
        playOut(h);
    };
    SimHand used;
    int differ = 0;
    for (uint64_t seed = 1; seed <= 60; ++seed) {
        RummyPosition before, again, fresh;
        deal(used, before, 1000 + seed);
        deal(used, again, seed);
        SimHand h;
        deal(h, fresh, seed);
        differ += again.moves != fresh.moves;
    }
    EXPECT_EQ(differ, 0);
}
