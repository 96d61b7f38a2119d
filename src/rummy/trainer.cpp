// The chance to win of each choice open to the user: the computer's deal sampled among
// those that explain what it did, the stock shuffled, and every choice played out on the
// same deals with Standard on both sides.
#include "rummy/trainer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "rummy/sampler.h"

namespace dm {

namespace {

std::vector<RummyChoice> choicesAt(const PositionFacts& f)
{
    std::vector<RummyChoice> out;
    if (f.phase == PositionPhase::UserTake) {
        if (!f.pile.empty())
            out.push_back({RummyChoice::Kind::Pile});
        out.push_back({RummyChoice::Kind::Stock});
    } else {
        for (int c : f.userHand)
            out.push_back({RummyChoice::Kind::Throw, c});
    }
    return out;
}

// The wider side of the 95 % Wilson interval: a share of 0 or 1 out of n deals is not
// certain, and the plain p(1-p)/n formula would call it exact.
double margin95(double p, int n)
{
    const double z = 1.96, z2n = z * z / n;
    const double centre = (p + z2n / 2) / (1 + z2n);
    const double half = z * std::sqrt(p * (1 - p) / n + z2n / (4.0 * n)) / (1 + z2n);
    return std::max(p - (centre - half), centre + half - p);
}

void play(SimHand& h, const RummyChoice& c)
{
    switch (c.kind) {
    case RummyChoice::Kind::Pile:
        simTake(h, TakeChoice::Pile);
        break;
    case RummyChoice::Kind::Stock:
        simTake(h, TakeChoice::Stock);
        break;
    case RummyChoice::Kind::Throw:
        simThrow(h, c.card);
        break;
    }
    playOut(h);
}

}  // namespace

RummyHint rummyHint(const RummyPosition& pos, const HintOptions& options)
{
    PositionFacts facts;
    std::string error;
    if (!walkPosition(pos, facts, error))
        throw std::invalid_argument(error);
    if (facts.phase == PositionPhase::Over)
        throw std::invalid_argument("the hand is already over");
    if (facts.phase == PositionPhase::ComputerTake || facts.phase == PositionPhase::ComputerThrow)
        throw std::invalid_argument("the computer is to play");
    const int n = std::max(1, options.samples);
    const SampledDeals sampled = options.ignoreComputerChoices
                                     ? sampleDealsBlind(pos, facts, n, options.seed)
                                     : sampleDeals(pos, facts, n, options.seed, hintThreads(options.threads), options.cancel);
    return hintFromDeals(pos, facts, sampled, options);
}

RummyHint hintFromDeals(const RummyPosition& pos, const PositionFacts& facts, const SampledDeals& sampled,
                        const HintOptions& options)
{
    const int n = static_cast<int>(sampled.deals.size());
    if (n == 0)
        return {};
    const int threads = hintThreads(options.threads);

    std::vector<RummyChoice> choices = choicesAt(facts);
    if (options.only) {
        if (std::find(choices.begin(), choices.end(), *options.only) == choices.end())
            throw std::invalid_argument("not a choice of this position");
        choices = {*options.only};
    }
    const size_t nc = choices.size();
    const DealPool pool = dealPool(pos, facts);
    std::vector<SimOutcome> outcome(static_cast<size_t>(n) * nc);
    RummyChoice standard = choices.back();
    parallelFor(n, threads, [&](int j) {
        if (options.cancel && options.cancel->load())
            return;
        const ComputerDeal& deal = sampled.deals[j];
        std::vector<int> below;
        for (int c : pool.unseen)
            if (std::find(deal.begin(), deal.end(), c) == deal.end())
                below.push_back(c);
        SplitMix rng(options.seed, 5, static_cast<uint64_t>(j));
        rng.shuffle(below.begin(), below.end());
        SimHand h;
        replayPosition(h, pos, facts, deal, below, pos.moves.size(), true);
        if (j == 0) {
            // Standard's choice in the user's place depends on the user's cards alone.
            if (facts.phase == PositionPhase::UserThrow) {
                standard = {RummyChoice::Kind::Throw, h.seat[0].hand[h.standardThrow].number};
            } else {
                SimHand look = h;
                const StandardMove m = simOffer(look);
                const bool pile = m.act == StandardMove::Act::TakePile || m.act == StandardMove::Act::Win;
                standard = {pile && !facts.pile.empty() ? RummyChoice::Kind::Pile : RummyChoice::Kind::Stock};
            }
        }
        for (size_t c = 0; c < nc; ++c) {
            SimHand copy = h;
            play(copy, choices[c]);
            outcome[j * nc + c] = copy.outcome;
        }
    });
    if (options.cancel && options.cancel->load())
        return {};

    RummyHint hint;
    hint.standard = standard;
    hint.deals = sampled.consistent;
    for (size_t c = 0; c < nc; ++c) {
        int win = 0, lose = 0, tie = 0;
        for (int j = 0; j < n; ++j) {
            const SimOutcome o = outcome[j * nc + c];
            win += o == SimOutcome::FirstWins;
            lose += o == SimOutcome::SecondWins;
            tie += o == SimOutcome::Tie;
        }
        ChoiceChance cc{choices[c], double(win) / n, double(lose) / n, double(tie) / n};
        cc.margin = margin95(cc.win, n);
        hint.choices.push_back(cc);
    }
    std::stable_sort(hint.choices.begin(), hint.choices.end(), [](const ChoiceChance& a, const ChoiceChance& b) {
        return a.win != b.win ? a.win > b.win : a.lose < b.lose;
    });
    return hint;
}

}  // namespace dm
