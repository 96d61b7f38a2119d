// The whole game solved exactly. For every set Y of up to four cards a table holds how
// many five-card hands containing Y end in each final hand; a hold's draws avoid the
// discarded cards, which inclusion and exclusion over the 32 subsets of the deal takes
// care of. Deals that differ only by a renaming of the suits are solved once.
#include <algorithm>
#include <atomic>
#include <bit>
#include <thread>
#include <vector>

#include "poker/analysis.h"
#include "poker/analysis_final.h"

namespace dm {

using namespace analysis;

namespace {

constexpr int kCards = kDeckSize;
constexpr int kF = kFinalHands;

struct Binomials {
    std::array<std::array<uint32_t, 6>, kCards + 1> c{};
    Binomials()
    {
        for (int n = 0; n <= kCards; ++n)
            for (int k = 0; k <= 5; ++k)
                c[n][k] = static_cast<uint32_t>(choose(n, k));
    }
};
const Binomials kBin;

// Colex position of a sorted set of cards among the sets of its size.
inline uint32_t colex(const int* cards, int n)
{
    uint32_t idx = 0;
    for (int p = 0; p < n; ++p)
        idx += kBin.c[cards[p]][p + 1];
    return idx;
}

inline int rankOfCard(int card) { return card / 4; }
inline int suitOfCard(int card) { return card % 4; }

struct Deal {
    std::array<uint8_t, 5> cards;  // ascending
    uint8_t weight;                // how many suit renamings give a different deal
};

// Per-size tables: counts[size][set index * kF + final hand].
struct Tables {
    std::vector<uint8_t> four;                  // at most 48 completions
    std::array<std::vector<uint32_t>, 4> low;  // sets of 0..3 cards
    std::array<std::vector<int64_t>, 5> pay;    // per-credit pays summed over completions
};

// Suit renamings that change the deal: 24 over those that only swap equal suit patterns.
int suitOrbit(uint64_t key)
{
    std::array<unsigned, 4> m{};
    for (int s = 0; s < 4; ++s)
        m[s] = static_cast<unsigned>(key >> (16 * s)) & 0x1FFFu;
    if (!(m[0] >= m[1] && m[1] >= m[2] && m[2] >= m[3]))
        return 0;  // not the representative of its class
    int orbit = 24;
    int run = 1;
    for (int s = 1; s < 4; ++s) {
        run = m[s] == m[s - 1] ? run + 1 : 1;
        orbit /= run;  // dividing by 2, then 3, then 4 along a run divides by its factorial
    }
    return orbit;
}

FinalHand finalOfCards(const int* cards)
{
    uint64_t counts = 0;
    unsigned ranks = 0;
    bool flush = true;
    for (int i = 0; i < 5; ++i) {
        counts += nibble(rankOfCard(cards[i]));
        ranks |= 1u << rankOfCard(cards[i]);
        flush = flush && suitOfCard(cards[i]) == suitOfCard(cards[0]);
    }
    return finalHandOf(counts, ranks, flush);
}

// Every five-card hand with first card `a`: its final hand counted for each of its four-card
// subsets, and the deal kept when it represents its suit class (or always, without symmetry).
void scanFirstCard(int a, bool symmetry, std::vector<uint8_t>& four, std::vector<Deal>& deals)
{
    const auto& C = kBin.c;
    const uint64_t ka = uint64_t{1} << (rankOfCard(a) + 16 * suitOfCard(a));
    for (int b = a + 1; b < kCards; ++b) {
        const uint64_t kb = ka | uint64_t{1} << (rankOfCard(b) + 16 * suitOfCard(b));
        for (int c = b + 1; c < kCards; ++c) {
            const uint64_t kc = kb | uint64_t{1} << (rankOfCard(c) + 16 * suitOfCard(c));
            const uint32_t abc = C[a][1] + C[b][2] + C[c][3];
            for (int d = c + 1; d < kCards; ++d) {
                const uint64_t kd = kc | uint64_t{1} << (rankOfCard(d) + 16 * suitOfCard(d));
                const int partial[4] = {a, b, c, d};
                uint64_t counts = 0;
                unsigned ranks = 0;
                for (int p : partial) {
                    counts += nibble(rankOfCard(p));
                    ranks |= 1u << rankOfCard(p);
                }
                const int s = suitOfCard(a);
                const bool suited = suitOfCard(b) == s && suitOfCard(c) == s && suitOfCard(d) == s;
                const uint32_t omitE = abc + C[d][4];
                for (int e = d + 1; e < kCards; ++e) {
                    const int re = rankOfCard(e);
                    const auto f = static_cast<int>(
                        finalHandOf(counts + nibble(re), ranks | (1u << re), suited && suitOfCard(e) == s));
                    const uint32_t e4 = C[e][4];
                    four[omitE * kF + f]++;
                    four[(abc + e4) * kF + f]++;
                    four[(C[a][1] + C[b][2] + C[d][3] + e4) * kF + f]++;
                    four[(C[a][1] + C[c][2] + C[d][3] + e4) * kF + f]++;
                    four[(C[b][1] + C[c][2] + C[d][3] + e4) * kF + f]++;
                    const int orbit =
                        symmetry ? suitOrbit(kd | uint64_t{1} << (re + 16 * suitOfCard(e))) : 1;
                    if (orbit > 0)
                        deals.push_back({{static_cast<uint8_t>(a), static_cast<uint8_t>(b), static_cast<uint8_t>(c),
                                          static_cast<uint8_t>(d), static_cast<uint8_t>(e)},
                                         static_cast<uint8_t>(orbit)});
                }
            }
        }
    }
}

// Counts for sets of k cards from those of k + 1: every hand containing a k-set is
// reached through each of its 5 - k cards outside the set.
template <typename In>
std::vector<uint32_t> deriveCounts(const std::vector<In>& upper, int k)
{
    std::vector<uint32_t> out(kBin.c[kCards][k] * kF, 0);
    const int n = k + 1;
    std::array<int, 5> z{};
    for (int i = 0; i < n; ++i)
        z[i] = i;
    for (uint32_t idx = 0; idx < kBin.c[kCards][n]; ++idx) {
        for (int omit = 0; omit < n; ++omit) {
            uint32_t sub = 0;
            for (int p = 0, q = 0; p < n; ++p)
                if (p != omit)
                    sub += kBin.c[z[p]][++q];
            for (int f = 0; f < kF; ++f)
                out[sub * kF + f] += upper[idx * kF + f];
        }
        // Next set in colex order.
        int i = 0;
        while (i + 1 < n && z[i] + 1 == z[i + 1])
            ++i;
        ++z[i];
        for (int j = 0; j < i; ++j)
            z[j] = j;
    }
    for (uint32_t& v : out)
        v /= 5 - k;
    return out;
}

template <typename T>
std::vector<int64_t> payOf(const std::vector<T>& counts, const std::array<int64_t, kF>& pay)
{
    std::vector<int64_t> out(counts.size() / kF);
    for (size_t i = 0; i < out.size(); ++i) {
        int64_t sum = 0;
        for (int f = 0; f < kF; ++f)
            sum += static_cast<int64_t>(counts[i * kF + f]) * pay[f];
        out[i] = sum;
    }
    return out;
}

struct Totals {
    unsigned __int128 best = 0, low = 0, high = 0;
    std::array<uint64_t, kF> finals{};
};

void solveDeal(const Deal& deal, const Tables& t, const std::array<int64_t, kF>& pay, bool withAdviser,
               Totals& acc)
{
    int cards[5];
    for (int i = 0; i < 5; ++i)
        cards[i] = deal.cards[i];
    const int own = static_cast<int>(finalOfCards(cards));

    // The table entry of every subset of the deal, then the signed sums over supersets.
    std::array<uint32_t, kHolds> idx{};
    std::array<int64_t, kHolds> v{};
    for (unsigned m = 1; m < kHolds; ++m) {
        const int top = 31 - std::countl_zero(m);
        idx[m] = idx[m ^ (1u << top)] + kBin.c[cards[top]][std::popcount(m)];
    }
    for (unsigned m = 0; m < kHolds; ++m)
        v[m] = std::popcount(m) == 5 ? pay[own] : t.pay[std::popcount(m)][idx[m]];
    for (int bit = 0; bit < 5; ++bit)
        for (unsigned m = 0; m < kHolds; ++m)
            if (!(m & (1u << bit)))
                v[m] -= v[m | (1u << bit)];
    for (unsigned m = 0; m < kHolds; ++m)
        v[m] *= drawWeight(5 - std::popcount(m));

    unsigned best = 0;
    for (unsigned m = 1; m < kHolds; ++m)
        if (v[m] > v[best])
            best = m;
    acc.best += static_cast<unsigned __int128>(v[best]) * deal.weight;

    // The final hands of the best hold, by the same signed sum.
    std::array<int64_t, kF> fin{};
    const unsigned rest = 31u & ~best;
    for (unsigned sub = rest;; sub = (sub - 1) & rest) {
        const unsigned y = best | sub;
        const int size = std::popcount(y);
        const int sign = (std::popcount(sub) & 1) ? -1 : 1;
        if (size == 5) {
            fin[own] += sign;
        } else if (size == 4) {
            for (int f = 0; f < kF; ++f)
                fin[f] += sign * static_cast<int64_t>(t.four[idx[y] * kF + f]);
        } else {
            for (int f = 0; f < kF; ++f)
                fin[f] += sign * static_cast<int64_t>(t.low[size][idx[y] * kF + f]);
        }
        if (sub == 0)
            break;
    }
    const uint64_t scale = static_cast<uint64_t>(drawWeight(5 - std::popcount(best))) * deal.weight;
    for (int f = 0; f < kF; ++f)
        acc.finals[f] += static_cast<uint64_t>(fin[f]) * scale;

    if (withAdviser) {
        PokerCards hand{};
        for (int i = 0; i < 5; ++i)
            setCard(hand[i], cards[i]);
        const auto accepted = adviserHolds(hand);
        int64_t lo = -1, hi = -1;
        for (unsigned m = 0; m < kHolds; ++m) {
            if (!accepted[m])
                continue;
            lo = lo < 0 ? v[m] : std::min(lo, v[m]);
            hi = std::max(hi, v[m]);
        }
        if (hi < 0)
            lo = hi = v[best];
        acc.low += static_cast<unsigned __int128>(lo) * deal.weight;
        acc.high += static_cast<unsigned __int128>(hi) * deal.weight;
    }
}

// Runs work(thread index, next item) over items 0..count-1 handed out one at a time.
template <typename Work>
void parallelFor(int threads, int count, Work work)
{
    std::atomic<int> next{0};
    auto run = [&](int t) {
        for (int i; (i = next.fetch_add(1)) < count;)
            work(t, i);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(run, t);
    run(0);
    for (std::thread& th : pool)
        th.join();
}

}  // namespace

GameSolution solveGame(const PayTable& pays, bool withAdviser, const SolveOptions& options)
{
    const int threads = std::max(
        1, options.threads > 0 ? options.threads : static_cast<int>(std::min(8u, std::thread::hardware_concurrency())));
    const auto pay = paysByFinal(pays);

    // Pass 1: every hand once, counted into its four-card subsets, each thread its own table.
    std::vector<std::vector<uint8_t>> four(threads, std::vector<uint8_t>(kBin.c[kCards][4] * kF, 0));
    std::vector<std::vector<Deal>> deals(threads);
    parallelFor(threads, kCards - 4, [&](int t, int a) { scanFirstCard(a, options.suitSymmetry, four[t], deals[t]); });
    Tables tables;
    tables.four = std::move(four[0]);
    for (int t = 1; t < threads; ++t) {
        for (size_t i = 0; i < tables.four.size(); ++i)
            tables.four[i] = static_cast<uint8_t>(tables.four[i] + four[t][i]);
        four[t] = {};
    }
    tables.low[3] = deriveCounts(tables.four, 3);
    for (int k = 2; k >= 0; --k)
        tables.low[k] = deriveCounts(tables.low[k + 1], k);
    tables.pay[4] = payOf(tables.four, pay);
    for (int k = 0; k < 4; ++k)
        tables.pay[k] = payOf(tables.low[k], pay);

    // Pass 2: the deals, in blocks handed out to the threads.
    std::vector<Deal> all;
    for (auto& d : deals) {
        all.insert(all.end(), d.begin(), d.end());
        d = {};
    }
    constexpr int kBlock = 1024;
    const int blocks = static_cast<int>((all.size() + kBlock - 1) / kBlock);
    std::vector<Totals> totals(threads);
    parallelFor(threads, blocks, [&](int t, int block) {
        const size_t end = std::min(all.size(), static_cast<size_t>(block + 1) * kBlock);
        for (size_t i = static_cast<size_t>(block) * kBlock; i < end; ++i)
            solveDeal(all[i], tables, pay, withAdviser, totals[t]);
    });

    Totals sum;
    for (const Totals& t : totals) {
        sum.best += t.best;
        sum.low += t.low;
        sum.high += t.high;
        for (int f = 0; f < kF; ++f)
            sum.finals[f] += t.finals[f];
    }
    GameSolution solution;
    solution.finals = sum.finals;
    for (uint64_t n : sum.finals)
        solution.total += n;
    const auto rate = [&](unsigned __int128 credits) {
        return static_cast<double>(static_cast<long double>(credits) / static_cast<long double>(solution.total));
    };
    solution.returnRate = rate(sum.best);
    // The return per credit is fixed by the final hand, so its spread follows from the counts.
    long double square = 0;
    for (int f = 0; f < kF; ++f)
        square += static_cast<long double>(sum.finals[f]) * pay[f] * pay[f];
    square /= static_cast<long double>(solution.total);
    solution.variance = static_cast<double>(square - static_cast<long double>(solution.returnRate) * solution.returnRate);
    if (withAdviser) {
        solution.adviserLow = rate(sum.low);
        solution.adviserHigh = rate(sum.high);
    }
    return solution;
}

}  // namespace dm
