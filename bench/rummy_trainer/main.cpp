// The rummy trainer measured: how fast a hint comes, how many hands a core plays out,
// how long the Expert thinks, and whether the hint's chances come true.
//   dunmere-rummy-bench speed [--positions N] [--samples N] [--threads N]
//   dunmere-rummy-bench playouts
//   dunmere-rummy-bench expert [--decisions N]
//   dunmere-rummy-bench calibrate [--hands N] [--samples N] [--within N] [--threads N] [--seed S]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rummy/duel.h"
#include "rummy/expert.h"
#include "rummy/playout.h"
#include "rummy/sampler.h"

using namespace dm;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

// One decision of the first seat in a logged Standard-against-Standard hand.
struct LoggedDecision {
    RummyPosition pos;
    RummyChoice made;
    bool won = false;
};

std::vector<std::string> loggedHands(int hands, uint64_t seed)
{
    std::vector<std::string> lines;
    DuelOptions o;
    o.hands = hands;
    o.seed = seed;
    runDuel(o, [&](const std::string& line) { lines.push_back(line); });
    return lines;
}

std::vector<LoggedDecision> decisionsOf(const std::string& line)
{
    const size_t eq = line.rfind(" = ");
    std::string error;
    const auto pos = parsePosition(line.substr(0, eq), error);
    std::vector<LoggedDecision> out;
    if (!pos)
        return out;
    const bool won = line.substr(eq + 3) == "W";
    RummyPosition upTo{pos->userDeal, {}};
    for (const RummyMove& m : pos->moves) {
        LoggedDecision d{upTo, {}, won};
        bool decision = true;
        if (m.kind == RummyMove::Kind::UserStock)
            d.made = {RummyChoice::Kind::Stock};
        else if (m.kind == RummyMove::Kind::UserPile)
            d.made = {RummyChoice::Kind::Pile};
        else if (m.kind == RummyMove::Kind::UserDiscard)
            d.made = {RummyChoice::Kind::Throw, m.card};
        else
            decision = false;
        if (decision)
            out.push_back(d);
        upTo.moves.push_back(m);
    }
    return out;
}

int option(int argc, char** argv, const char* name, int fallback)
{
    for (int i = 2; i + 1 < argc; ++i)
        if (std::string(argv[i]) == name)
            return std::atoi(argv[i + 1]);
    return fallback;
}

int speed(int argc, char** argv)
{
    const int positions = option(argc, argv, "--positions", 20);
    const int samples = option(argc, argv, "--samples", 1100);
    const int threads = option(argc, argv, "--threads", 2);
    // Discard decisions from the middle of logged hands: the user holds ten, the computer has played.
    std::vector<RummyPosition> picked;
    for (const std::string& line : loggedHands(400, 99)) {
        const auto ds = decisionsOf(line);
        std::vector<const LoggedDecision*> throws;
        for (const auto& d : ds)
            if (d.made.kind == RummyChoice::Kind::Throw && d.pos.moves.size() >= 8)
                throws.push_back(&d);
        if (!throws.empty())
            picked.push_back(throws[throws.size() / 2]->pos);
        if (static_cast<int>(picked.size()) == positions)
            break;
    }
    std::vector<double> times;
    double worstMargin = 0, moves = 0;
    int deals = 0;
    for (const RummyPosition& p : picked) {
        const auto t0 = Clock::now();
        const RummyHint h = rummyHint(p, HintOptions{.samples = samples, .seed = 1, .threads = threads});
        times.push_back(msSince(t0));
        for (const auto& c : h.choices)
            worstMargin = std::max(worstMargin, c.margin);
        deals += h.deals;
        moves += static_cast<double>(p.moves.size());
    }
    std::sort(times.begin(), times.end());
    double sum = 0;
    for (double t : times)
        sum += t;
    std::printf("discard hints: %zu positions (mean %.1f moves in), %d deals each, %d threads\n", times.size(),
                moves / times.size(), samples, threads);
    const auto over = std::count_if(times.begin(), times.end(), [](double t) { return t > 250; });
    std::printf("time per hint: mean %.0f ms, median %.0f ms, 95th percentile %.0f ms, slowest %.0f ms; over 250 ms: %td\n",
                sum / times.size(), times[times.size() / 2], times[times.size() * 95 / 100], times.back(), over);
    std::printf("widest 95 %% margin: %.4f; deals explaining every computer move: %.1f %%\n", worstMargin,
                100.0 * deals / (double(samples) * times.size()));
    return 0;
}

void dealShuffled(SimHand& h, SplitMix& rng)
{
    std::array<int, kDeckSize> deck;
    for (int c = 0; c < kDeckSize; ++c)
        deck[c] = c;
    rng.shuffle(deck.begin(), deck.end());
    std::array<int, 9> a, b;
    std::copy_n(deck.begin(), 9, a.begin());
    std::copy_n(deck.begin() + 9, 9, b.begin());
    dealSim(h, a, b, deck.data() + 18, kDeckSize - 18);
}

int playouts()
{
    SimHand h;
    SplitMix rng(3);
    long hands = 0;
    const auto t0 = Clock::now();
    while (msSince(t0) < 3000) {
        for (int i = 0; i < 200; ++i, ++hands) {
            dealShuffled(h, rng);
            playOut(h);
        }
    }
    std::printf("whole hands played out, Standard on both sides, one thread: %.0f per second\n",
                hands / (msSince(t0) / 1000.0));
    return 0;
}

int expert(int argc, char** argv)
{
    const int decisions = option(argc, argv, "--decisions", 100);
    std::vector<double> takes, throwsMs;
    SplitMix rng(17);
    SimHand h;
    for (int hand = 0; static_cast<int>(takes.size()) < decisions && hand < 10000; ++hand) {
        dealShuffled(h, rng);
        while (!h.over() && static_cast<int>(takes.size()) < decisions) {
            if (h.toMove == 1 && !h.mustThrow) {
                const StandardMove offer = simOffer(h);
                if (offer.act == StandardMove::Act::Win)
                    break;
                auto t0 = Clock::now();
                const bool pile = expertTakesPile(simSight(h), hand, {});
                takes.push_back(msSince(t0));
                simTakeChosen(h, offer, pile ? TakeChoice::Pile : TakeChoice::Stock);
                if (h.over())
                    break;
                t0 = Clock::now();
                const int slot = expertThrowSlot(simSight(h), hand, {});
                throwsMs.push_back(msSince(t0));
                simThrow(h, h.seat[1].hand[slot].number);
            } else {
                h.mustThrow ? simThrow(h) : simTake(h, TakeChoice::Standard);
            }
        }
    }
    auto report = [](const char* what, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        double sum = 0;
        for (double t : v)
            sum += t;
        std::printf("%s: %zu decisions, mean %.1f ms, median %.1f ms, slowest %.1f ms\n", what, v.size(),
                    sum / v.size(), v[v.size() / 2], v.back());
    };
    report("Expert take (pile or stock)", takes);
    report("Expert throw", throwsMs);
    return 0;
}

int calibrate(int argc, char** argv)
{
    const int hands = option(argc, argv, "--hands", 2000);
    const int samples = option(argc, argv, "--samples", 200);
    const int within = option(argc, argv, "--within", 30);
    const int seed = option(argc, argv, "--seed", 2024);
    const int threads = option(argc, argv, "--threads", 2);
    // Each hand gives the decision at a place drawn before the hand is looked at, or none
    // when it is shorter. Drawing among the decisions it has would pick a decision of a
    // short hand more often, and a hand is short when someone wins soon: the observed
    // shares would come out more extreme than any right chance.
    std::vector<LoggedDecision> all;
    SplitMix pick(5);
    for (const std::string& line : loggedHands(hands, static_cast<uint64_t>(seed))) {
        const auto ds = decisionsOf(line);
        const int k = pick.below(within);
        if (k < static_cast<int>(ds.size()))
            all.push_back(ds[k]);
    }
    std::vector<double> chance(all.size());
    const auto t0 = Clock::now();
    parallelFor(static_cast<int>(all.size()), threads, [&](int i) {
        HintOptions o{.samples = samples, .seed = static_cast<uint64_t>(i) + 1, .threads = 1};
        o.only = all[i].made;
        chance[i] = rummyHint(all[i].pos, o).choices.at(0).win;
    });
    std::printf("calibration: %d Standard-against-Standard hands, %zu positions of the first seat (one of its\n"
                "first %d decisions, drawn ahead), %d deals per figure, %.0f s\n",
                hands, all.size(), within, samples, msSince(t0) / 1000);
    std::printf("%-10s %9s %10s %10s %10s\n", "chance", "positions", "predicted", "observed", "difference");
    for (int g = 0; g < 10; ++g) {
        int n = 0, won = 0;
        double predicted = 0;
        for (size_t i = 0; i < all.size(); ++i) {
            if (std::min(9, static_cast<int>(chance[i] * 10)) != g)
                continue;
            ++n;
            won += all[i].won;
            predicted += chance[i];
        }
        if (n == 0)
            continue;
        const double obs = double(won) / n, pred = predicted / n;
        std::printf("%.1f-%.1f    %9d %10.4f %10.4f %+10.4f%s\n", g / 10.0, (g + 1) / 10.0, n, pred, obs, obs - pred,
                    n >= 200 ? "" : "  (under 200)");
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "speed")
        return speed(argc, argv);
    if (what == "playouts")
        return playouts();
    if (what == "expert")
        return expert(argc, argv);
    if (what == "calibrate")
        return calibrate(argc, argv);
    std::fprintf(stderr, "usage: dunmere-rummy-bench speed|playouts|expert|calibrate [options]\n");
    return 2;
}
