// Speed of the video poker classifier: every five-card hand, in both modes.
#include <benchmark/benchmark.h>

#include "poker/rules.h"

namespace {

constexpr double kHands = 2598960.0;

void BM_ClassifyAllHands(benchmark::State& state)
{
    for (auto _ : state) {
        auto normal = dm::pokerCensus(false);
        auto payout = dm::pokerCensus(true);
        benchmark::DoNotOptimize(normal);
        benchmark::DoNotOptimize(payout);
    }
    // Both censuses per iteration: two classifications per hand.
    state.counters["time_per_hand"] = benchmark::Counter(
        2 * kHands * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["hands"] = benchmark::Counter(2 * kHands, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ClassifyAllHands)->Unit(benchmark::kMillisecond);

}  // namespace
