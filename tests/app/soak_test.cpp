// The long random run of the main window, sized by DUNMERE_SOAK_ACTIONS and seeded by
// DUNMERE_SOAK_SEED; the default is short enough for every test run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "soak_run.h"

namespace dm::soak {
namespace {

long envNumber(const char* name, long fallback)
{
    const char* v = std::getenv(name);
    if (!v || !*v)
        return fallback;
    char* end = nullptr;
    const long n = std::strtol(v, &end, 10);
    return end && *end == '\0' ? n : fallback;
}

TEST(Soak, RandomUserNeverBreaksTheTable)
{
    const int actions = static_cast<int>(envNumber("DUNMERE_SOAK_ACTIONS", 3000));
    const auto seed = static_cast<uint64_t>(envNumber("DUNMERE_SOAK_SEED", 20261206));
    SoakRun run(seed, QStringLiteral(DUNMERE_BIN_DIR));
    const std::string problem = run.run(actions);
    std::cout << "[soak] seed " << seed << ": " << run.summary() << std::endl;
    ASSERT_TRUE(problem.empty()) << problem;
}

}  // namespace
}  // namespace dm::soak
