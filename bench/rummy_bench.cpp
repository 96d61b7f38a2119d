// Speed of the rummy checks the computer runs on every turn.
#include <benchmark/benchmark.h>

#include <vector>

#include "cards/deck.h"
#include "rummy/rules.h"

namespace {

// A fixed set of random ten-card hands, the same on every run.
const std::vector<dm::Hand>& sampleHands()
{
    static const std::vector<dm::Hand> hands = [] {
        std::vector<dm::Hand> out;
        dm::SeededRng rng(2024);
        dm::Deck deck;
        for (int i = 0; i < 1024; ++i) {
            dm::shuffleDeck(deck, rng);
            dm::Hand h;
            std::copy_n(deck.begin(), 10, h.begin());
            out.push_back(h);
        }
        return out;
    }();
    return hands;
}

void BM_CheckForWinningHand(benchmark::State& state)
{
    const auto& hands = sampleHands();
    size_t i = 0;
    bool handWon = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dm::checkForWinningHand(hands[i], handWon));
        i = (i + 1) % hands.size();
    }
}
BENCHMARK(BM_CheckForWinningHand);

void BM_EvaluateHand(benchmark::State& state)
{
    const auto& hands = sampleHands();
    dm::EvalState st;
    st.computerTurn = true;
    dm::Hand h;
    size_t i = 0;
    for (auto _ : state) {
        h = hands[i];
        bool reset = true;
        st.handWon = false;
        benchmark::DoNotOptimize(dm::EvaluateHand(h, reset, st));
        benchmark::DoNotOptimize(h);
        i = (i + 1) % hands.size();
    }
}
BENCHMARK(BM_EvaluateHand);

}  // namespace
