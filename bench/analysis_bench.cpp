// Speed of the hand analysis: one hand's 32 hold values and the whole game, each beside a
// plain way of doing the same work.
#include <benchmark/benchmark.h>

#include <bit>
#include <random>
#include <vector>

#include "poker/analysis.h"

namespace {

// A fixed set of dealt hands, the same in every run.
std::vector<dm::PokerCards> sampleHands(int count)
{
    std::mt19937 rng(20261207);
    std::vector<dm::PokerCards> hands;
    for (int h = 0; h < count; ++h) {
        std::vector<int> deck(dm::kDeckSize);
        for (int i = 0; i < dm::kDeckSize; ++i)
            deck[i] = i;
        std::shuffle(deck.begin(), deck.end(), rng);
        dm::PokerCards hand{};
        for (int i = 0; i < 5; ++i)
            dm::setCard(hand[i], deck[i]);
        hands.push_back(hand);
    }
    return hands;
}

// Every draw of every hold dealt out and classified: 2,598,960 final hands per deal.
dm::HoldValues plainHoldValues(const dm::PokerCards& hand)
{
    std::vector<int> unseen;
    for (int n = 0; n < dm::kDeckSize; ++n)
        if (std::none_of(hand.begin(), hand.end(), [n](const dm::CardRec& c) { return c.number == n; }))
            unseen.push_back(n);
    dm::HoldValues values{};
    const int size = static_cast<int>(unseen.size());
    for (dm::HoldMask mask = 0; mask < dm::kHolds; ++mask) {
        int slots[5];
        int drawn = 0;
        for (int i = 0; i < 5; ++i)
            if (!(mask & (1u << i)))
                slots[drawn++] = i;
        dm::PokerCards final = hand;
        long credits = 0, draws = 0;
        // Nested choice of `drawn` unseen cards, written as one odometer.
        int pick[5];
        for (int i = 0; i < drawn; ++i)
            pick[i] = i;
        while (true) {
            for (int i = 0; i < drawn; ++i)
                dm::setCard(final[slots[i]], unseen[pick[i]]);
            credits += dm::pokerPays(dm::EvaluatePokerHand(final, true));
            ++draws;
            int i = drawn - 1;
            while (i >= 0 && pick[i] == size - drawn + i)
                --i;
            if (i < 0)
                break;
            ++pick[i];
            for (int j = i + 1; j < drawn; ++j)
                pick[j] = pick[j - 1] + 1;
        }
        values[mask] = static_cast<double>(credits) / static_cast<double>(draws);
    }
    return values;
}

void BM_HoldValues(benchmark::State& state)
{
    const auto hands = sampleHands(256);
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(dm::holdValues(hands[i++ % hands.size()]));
}
BENCHMARK(BM_HoldValues)->Unit(benchmark::kMicrosecond);

void BM_HoldValuesPlainEnumeration(benchmark::State& state)
{
    const auto hands = sampleHands(256);
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(plainHoldValues(hands[i++ % hands.size()]));
}
BENCHMARK(BM_HoldValuesPlainEnumeration)->Unit(benchmark::kMillisecond);

// Arg 0: return only; 1: with the adviser's two returns.
void BM_SolveGame(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(dm::solveGame(dm::kGamePays, state.range(0) != 0));
}
BENCHMARK(BM_SolveGame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SolveGameOneThread(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(dm::solveGame(dm::kGamePays, false, {true, 1}));
}
BENCHMARK(BM_SolveGameOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same tables and inclusion-exclusion over all 2,598,960 deals on one core.
void BM_SolveGamePlainEveryDeal(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(dm::solveGame(dm::kGamePays, false, {false, 1}));
}
BENCHMARK(BM_SolveGamePlainEveryDeal)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
