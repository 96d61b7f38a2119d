#pragma once
// The game's source of chance, injected so tests can replay a deal.
#include <cstdint>
#include <random>
#include <vector>

namespace dm {

class Rng {
public:
    virtual ~Rng() = default;
    virtual double uniform() = 0;  // in [0, 1)
    // floor(uniform() * n): 0 .. n-1
    int below(int n) { return static_cast<int>(uniform() * n); }
};

// Seeded once from the system's entropy source; every draw is independent.
class SystemRng : public Rng {
public:
    SystemRng();
    double uniform() override;

private:
    std::mt19937_64 engine_;
};

// Deterministic: a fixed seed, for tests and replays.
class SeededRng : public Rng {
public:
    explicit SeededRng(uint64_t seed) : engine_(seed) {}
    double uniform() override;

private:
    std::mt19937_64 engine_;
};

// Plays back the given values in turn, then repeats the last one (0 when empty).
class ScriptedRng : public Rng {
public:
    explicit ScriptedRng(std::vector<double> values) : values_(std::move(values)) {}
    double uniform() override;

private:
    std::vector<double> values_;
    size_t next_ = 0;
};

}  // namespace dm
