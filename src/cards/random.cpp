#include "cards/random.h"

namespace dm {

namespace {
double toUnit(uint64_t bits)
{
    return static_cast<double>(bits >> 11) * (1.0 / 9007199254740992.0);  // 53 random bits
}
}  // namespace

SystemRng::SystemRng()
{
    std::random_device rd;
    std::seed_seq seq{rd(), rd(), rd(), rd(), rd(), rd(), rd(), rd()};
    engine_.seed(seq);
}

double SystemRng::uniform() { return toUnit(engine_()); }

double SeededRng::uniform() { return toUnit(engine_()); }

double ScriptedRng::uniform()
{
    if (values_.empty())
        return 0.0;
    double v = values_[next_ < values_.size() ? next_ : values_.size() - 1];
    if (next_ < values_.size())
        ++next_;
    return v;
}

}  // namespace dm
