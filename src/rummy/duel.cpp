// Hands between two computers, off the table.
#include "rummy/duel.h"

#include <cmath>
#include <cstdio>

#include "rummy/sampler.h"

namespace dm {

namespace {

const char* levelName(Opponent o) { return o == Opponent::Expert ? "expert" : "standard"; }

// One hand; levels[seat]. Returns the outcome for the seat that plays first.
SimOutcome playDuelHand(SimHand& h, const std::array<Opponent, 2>& levels, uint64_t handSeed,
                        const ExpertOptions& expert)
{
    dealSeeded(h, handSeed);
    int decision = 0;
    while (!h.over()) {
        const int seat = h.toMove;
        const bool expertMoves = levels[seat] == Opponent::Expert;
        if (!h.mustThrow) {
            if (h.turns >= 400) {
                h.outcome = SimOutcome::Tie;
                break;
            }
            const StandardMove offer = simOffer(h);
            TakeChoice choice = TakeChoice::Standard;
            if (expertMoves && h.pileCount > 0 && offer.act != StandardMove::Act::Win)
                choice = expertTakesPile(simSight(h), handSeed + ++decision, expert) ? TakeChoice::Pile
                                                                                  : TakeChoice::Stock;
            simTakeChosen(h, offer, choice);
        } else {
            int card = kNoCard;
            if (expertMoves)
                card = h.seat[seat].hand[expertThrowSlot(simSight(h), handSeed + ++decision, expert)].number;
            simThrow(h, card);
        }
    }
    return h.outcome;
}

}  // namespace

void dealSeeded(SimHand& h, uint64_t seed)
{
    SplitMix rng(seed);
    std::array<int, kDeckSize> deck;
    for (int c = 0; c < kDeckSize; ++c)
        deck[c] = c;
    rng.shuffle(deck.begin(), deck.end());
    std::array<int, 9> first, second;
    std::copy_n(deck.begin(), 9, second.begin());
    std::copy_n(deck.begin() + 9, 9, first.begin());
    dealSim(h, first, second, deck.data() + 18, kDeckSize - 18);
}

DuelResult runDuel(const DuelOptions& options, const std::function<void(const std::string&)>& logLine)
{
    const int n = std::max(0, options.hands);
    std::vector<SimOutcome> outcome(n);
    std::vector<std::string> lines(logLine ? n : 0);
    parallelFor(n, hintThreads(options.threads), [&](int i) {
        // Even hands: --first plays the first seat; odd hands: --second does.
        const bool swapped = i % 2 == 1;
        const std::array<Opponent, 2> levels{swapped ? options.second : options.first,
                                             swapped ? options.first : options.second};
        SimHand h;
        RummyPosition log;
        if (logLine)
            h.log = &log;
        outcome[i] = playDuelHand(h, levels, SplitMix(options.seed, 7, static_cast<uint64_t>(i)).next(), options.expert);
        if (logLine) {
            const char* mark = outcome[i] == SimOutcome::FirstWins ? " = W" : outcome[i] == SimOutcome::SecondWins ? " = L" : " = T";
            lines[i] = formatPosition(log) + mark;
        }
    });
    DuelResult r;
    r.hands = n;
    for (int i = 0; i < n; ++i) {
        if (logLine)
            logLine(lines[i]);
        const bool swapped = i % 2 == 1;
        if (outcome[i] == SimOutcome::Tie)
            ++r.ties;
        else if ((outcome[i] == SimOutcome::FirstWins) != swapped)
            ++r.firstWins;
        else
            ++r.secondWins;
    }
    return r;
}

std::string describeDuel(const DuelOptions& o, const DuelResult& r)
{
    const int decided = r.firstWins + r.secondWins;
    const double p = decided ? double(r.firstWins) / decided : 0.0;
    const double margin = decided ? 1.96 * std::sqrt(p * (1 - p) / decided) : 0.0;
    char text[512];
    std::snprintf(text, sizeof text,
                  "hands %d\nwins first (%s) %d\nwins second (%s) %d\nties %d\n"
                  "share first (%s) %.4f +- %.4f of %d decided hands\n"
                  "share second (%s) %.4f +- %.4f of %d decided hands\n",
                  r.hands, levelName(o.first), r.firstWins, levelName(o.second), r.secondWins, r.ties,
                  levelName(o.first), p, margin, decided, levelName(o.second), decided ? 1 - p : 0.0, margin, decided);
    return text;
}

}  // namespace dm
