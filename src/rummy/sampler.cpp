// Sampling the computer's hidden deal: particles filtered along the history, each
// computer turn keeping only the deals that explain it, then moved about (one card
// exchanged for an unseen one, or two slots swapped) while they keep explaining it.
#include "rummy/sampler.h"

#include <algorithm>
#include <thread>

namespace dm {

namespace {

constexpr int kParticles = 1100;    // deals carried along the history
constexpr int kMovesPerStage = 12;  // rejuvenating moves after a turn thinned them out
constexpr int kAttempts = 4;       // fresh runs when one explains nothing
constexpr int kFinalMoves = 20;     // moves that set each delivered deal apart from its particle

void plainTake(SimHand& h, bool pile)
{
    Hand& hand = h.seat[h.toMove].hand;
    const int card = pile ? h.pile[--h.pileCount] : h.stock[--h.stockCount];
    hand[9] = cardOf(card);
    h.mustThrow = true;
    ++h.turns;
}

void plainThrow(SimHand& h, int card)
{
    Hand& hand = h.seat[h.toMove].hand;
    const int slot = std::max(0, slotOf(h, card));
    h.pile[h.pileCount++] = static_cast<int8_t>(card);
    throwFromSlot(hand, slot);
    h.mustThrow = false;
    h.toMove = 1 - h.toMove;
}

// The shown hand: the same cards, then their order as shown, each card keeping its value.
bool showHand(Hand& hand, const std::array<int, 9>& shown)
{
    Hand ordered = hand;
    for (int k = 0; k < 9; ++k) {
        int j = 0;
        while (j < 9 && hand[j].number != shown[k])
            ++j;
        if (j == 9)
            return false;
        ordered[k] = hand[j];
        ordered[k].left = hand[k].left;
    }
    hand = ordered;
    return true;
}

SimHand& scratchHand()
{
    thread_local SimHand h;
    return h;
}

}  // namespace

int replayPosition(SimHand& h, const RummyPosition& pos, const PositionFacts& facts, const ComputerDeal& deal,
                   const std::vector<int>& below, size_t moveLimit, bool firstSeatMind)
{
    std::array<int, kDeckSize> stock;
    int n = 0;
    for (int c : below)
        stock[n++] = c;
    for (auto it = facts.draws.rbegin(); it != facts.draws.rend(); ++it)
        stock[n++] = *it;
    h.log = nullptr;
    dealSim(h, pos.userDeal, deal, stock.data(), n);
    const size_t end = std::min(moveLimit, pos.moves.size());
    using K = RummyMove::Kind;
    for (size_t i = 0; i < end; ++i) {
        const RummyMove& m = pos.moves[i];
        switch (m.kind) {
        case K::UserStock:
        case K::UserPile: {
            const bool pile = m.kind == K::UserPile;
            if (firstSeatMind)
                simTakeChosen(h, simOffer(h), pile ? TakeChoice::Pile : TakeChoice::Stock);
            else
                plainTake(h, pile);
            h.outcome = SimOutcome::Running;
            break;
        }
        case K::UserDiscard:
            firstSeatMind ? simThrow(h, m.card) : plainThrow(h, m.card);
            break;
        case K::ComputerStock:
        case K::ComputerPile: {
            const StandardMove offer = simOffer(h);
            const bool pile = offer.act == StandardMove::Act::TakePile;
            if (offer.act == StandardMove::Act::Win || pile != (m.kind == K::ComputerPile))
                return static_cast<int>(i);
            simTakeChosen(h, offer, TakeChoice::Standard);
            if (h.over())
                return static_cast<int>(i);  // it would have won with the drawn card
            break;
        }
        case K::ComputerDiscard:
            if (h.seat[1].hand[h.standardThrow].number != m.card)
                return static_cast<int>(i);
            simThrow(h, m.card);
            break;
        case K::ComputerShown:
            if (!showHand(h.seat[1].hand, m.shown))
                return static_cast<int>(i);
            break;
        }
    }
    return static_cast<int>(end);
}

DealPool dealPool(const RummyPosition& pos, const PositionFacts& facts)
{
    DealPool p;
    p.known = facts.dealtToComputer;
    std::array<bool, kDeckSize> seen{};
    for (int c : pos.userDeal)
        seen[c] = true;
    for (int c : facts.draws)
        seen[c] = true;
    for (int c : p.known)
        seen[c] = true;
    for (int c = 0; c < kDeckSize; ++c)
        if (!seen[c])
            p.unseen.push_back(c);
    return p;
}

int hintThreads(int requested)
{
    if (requested > 0)
        return requested;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
}

void parallelFor(int n, int threads, const std::function<void(int)>& body)
{
    threads = std::max(1, std::min(threads, n));
    std::atomic<int> next{0};
    auto work = [&] {
        for (int i = next++; i < n; i = next++)
            body(i);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (auto& t : pool)
        t.join();
}

namespace {

ComputerDeal randomDeal(const DealPool& pool, SplitMix& rng)
{
    std::vector<int> free = pool.unseen;
    ComputerDeal d{};
    size_t n = 0;
    for (int c : pool.known)
        d[n++] = c;
    for (size_t k = 0; n < 9; ++k, ++n) {
        const int j = static_cast<int>(k) + rng.below(static_cast<int>(free.size() - k));
        std::swap(free[k], free[j]);
        d[n] = free[k];
    }
    rng.shuffle(d.begin(), d.end());
    return d;
}

// Scores deals by how many moves of the history they explain.
class Explainer {
public:
    Explainer(const RummyPosition& pos, const PositionFacts& facts, const DealPool& pool)
        : pos_(pos), facts_(facts), pool_(pool)
    {
        for (int c : pool.known)
            known_ |= uint64_t{1} << c;
    }

    int explained(const ComputerDeal& d, size_t limit) const
    {
        static const std::vector<int> none;
        return replayPosition(scratchHand(), pos_, facts_, d, none, limit, false);
    }

    // Metropolis moves on the deals that explain the history up to `limit`; a deal that
    // does not yet explain it accepts any move that explains no less.
    void move(ComputerDeal& d, int& score, size_t limit, int moves, SplitMix& rng) const
    {
        const int target = static_cast<int>(limit);
        for (int k = 0; k < moves; ++k) {
            ComputerDeal next = d;
            if (pool_.known.size() < 9 && pool_.unseen.size() > 9 - pool_.known.size() && rng.below(2) == 0) {
                uint64_t in = 0;
                for (int c : d)
                    in |= uint64_t{1} << c;
                int slot;
                do
                    slot = rng.below(9);
                while (known_ >> d[slot] & 1);
                int card;
                do
                    card = pool_.unseen[rng.below(static_cast<int>(pool_.unseen.size()))];
                while (in >> card & 1);
                next[slot] = card;
            } else {
                const int a = rng.below(9), b = rng.below(9);
                std::swap(next[a], next[b]);
            }
            const int s = explained(next, limit);
            if (s >= std::min(score, target)) {
                d = next;
                score = s;
            }
        }
    }

private:
    const RummyPosition& pos_;
    const PositionFacts& facts_;
    const DealPool& pool_;
    uint64_t known_ = 0;
};

}  // namespace

namespace {

// One run of particles along the stages; false when cancelled.
bool runParticles(const Explainer& ex, const DealPool& pool, const std::vector<size_t>& stages, uint64_t seed,
                  int threads, const std::atomic<bool>* cancel, std::vector<ComputerDeal>& particles,
                  std::vector<int>& score)
{
    auto cancelled = [&] { return cancel && cancel->load(); };
    const int np = static_cast<int>(particles.size());
    for (int i = 0; i < np; ++i) {
        SplitMix rng(seed, 2, static_cast<uint64_t>(i));
        particles[i] = randomDeal(pool, rng);
    }
    for (size_t st = 0; st < stages.size(); ++st) {
        if (cancelled())
            return false;
        const size_t limit = stages[st];
        parallelFor(np, threads, [&](int i) { score[i] = ex.explained(particles[i], limit); });
        // Keep the deals that explain the most (all of it, unless none does), then move
        // them about; when none explains the turn yet, the moves climb towards it.
        for (int round = 0; round < 16; ++round) {
            const int best = *std::max_element(score.begin(), score.end());
            std::vector<int> keep;
            for (int i = 0; i < np; ++i)
                if (score[i] == best)
                    keep.push_back(i);
            if (round > 0 && best == static_cast<int>(limit) && static_cast<int>(keep.size()) * 4 >= np)
                break;
            if (static_cast<int>(keep.size()) == np && best == static_cast<int>(limit))
                break;
            SplitMix pick(seed, 3, st * 32 + static_cast<size_t>(round));
            std::vector<ComputerDeal> next(np);
            std::vector<int> nextScore(np);
            for (int i = 0; i < np; ++i) {
                const int j = keep[pick.below(static_cast<int>(keep.size()))];
                next[i] = particles[j];
                nextScore[i] = score[j];
            }
            particles.swap(next);
            score.swap(nextScore);
            parallelFor(np, threads, [&](int i) {
                SplitMix rng(seed, 100 + st * 32 + static_cast<size_t>(round), static_cast<uint64_t>(i));
                ex.move(particles[i], score[i], limit, kMovesPerStage, rng);
            });
        }
    }
    return !cancelled();
}

}  // namespace

SampledDeals sampleDealsBlind(const RummyPosition& pos, const PositionFacts& facts, int count, uint64_t seed)
{
    const DealPool pool = dealPool(pos, facts);
    SampledDeals out;
    for (int j = 0; j < count; ++j) {
        SplitMix rng(seed, 1, static_cast<uint64_t>(j));
        out.deals.push_back(randomDeal(pool, rng));
    }
    out.consistent = count;
    return out;
}

SampledDeals sampleDeals(const RummyPosition& pos, const PositionFacts& facts, int count, uint64_t seed,
                         int threads, const std::atomic<bool>* cancel)
{
    const DealPool pool = dealPool(pos, facts);
    // A stage ends after each thing the computer showed of its hand: a throw or the hand itself.
    std::vector<size_t> stages;
    for (size_t i = 0; i < pos.moves.size(); ++i)
        if (pos.moves[i].kind == RummyMove::Kind::ComputerDiscard || pos.moves[i].kind == RummyMove::Kind::ComputerShown
            || pos.moves[i].kind == RummyMove::Kind::ComputerPile || pos.moves[i].kind == RummyMove::Kind::ComputerStock)
            stages.push_back(i + 1);
    if (stages.empty())
        return sampleDealsBlind(pos, facts, count, seed);
    const size_t full = pos.moves.size();
    stages.back() = full;  // the user's moves after the computer's last one explain themselves
    const Explainer ex(pos, facts, pool);

    const int np = std::min(count, kParticles);
    std::vector<ComputerDeal> particles(np);
    std::vector<int> score(np);
    // A run of particles now and then loses every deal that explains the history while
    // others find them; a fresh run, seeded apart, is the cheap way out.
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const uint64_t runSeed = attempt == 0 ? seed : SplitMix(seed, 31, static_cast<uint64_t>(attempt)).next();
        if (!runParticles(ex, pool, stages, runSeed, threads, cancel, particles, score))
            return {};
        if (std::count(score.begin(), score.end(), static_cast<int>(full)) > 0)
            break;
    }
    SampledDeals out;
    out.deals.resize(count);
    std::vector<char> ok(count);
    // Delivered deals start from the particles that explain everything, when there are any.
    std::vector<int> good;
    for (int i = 0; i < np; ++i)
        if (score[i] == static_cast<int>(full))
            good.push_back(i);
    parallelFor(count, threads, [&](int j) {
        ComputerDeal d = particles[good.empty() ? j % np : good[j % good.size()]];
        int s = ex.explained(d, full);
        SplitMix rng(seed, 4, static_cast<uint64_t>(j));
        ex.move(d, s, full, kFinalMoves, rng);
        out.deals[j] = d;
        ok[j] = s == static_cast<int>(full);
    });
    out.consistent = static_cast<int>(std::count(ok.begin(), ok.end(), 1));
    return out;
}

}  // namespace dm
