#pragma once
// The real main window for the long random run, with a few observation points
// (bank drawings, counter updates, the countdown timer) and the books the run keeps
// on it: which card is where, what the banks and the winnings may have become.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/frmmain.h"

namespace dm::soak {

// Settings in a map.
class MapStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& key) override
    {
        const auto it = values.find(key);
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    void write(const std::string& key, const std::string& value) override { values[key] = value; }
    std::map<std::string, std::string> values;
};

// frmMain as the program builds it; the overrides only watch and pass through.
// The countdown timer is not started for real: the run ticks it itself, so a seed
// replays the same run whatever the machine's speed.
class SoakWindow : public frmMain {
public:
    using frmMain::frmMain;

    std::function<void()> onBanksDrawn;
    std::function<void()> onCountersShown;
    bool timerRunning = false;

    void drawBanks() override
    {
        frmMain::drawBanks();
        if (onBanksDrawn)
            onBanksDrawn();
    }
    void showCounters() override
    {
        frmMain::showCounters();
        if (onCountersShown)
            onCountersShown();
    }
    void setTimerRunning(bool running) override { timerRunning = running; }
};

enum class Outcome { None, User, Computer, Tie };

// The checks made after every action. Each returns an empty string when all is well,
// otherwise what is wrong.
class Ledger {
public:
    explicit Ledger(SoakWindow& w);

    // Called by the window's observation points, in the middle of game steps.
    void banksDrawn();
    void countersShown();
    // With no game step running (every wait has returned).
    void checkAtRest();
    // Cheap checks that hold at any moment, even inside a step.
    void checkAlways();

    const std::string& failure() const { return failure_; }
    void fail(const std::string& what)
    {
        if (failure_.empty())
            failure_ = what;
    }
    std::string summary() const;

    // Counts for the summary.
    int restsRummy = 0, restsPoker = 0, longestPile = 0;
    int userWins = 0, computerWins = 0, ties = 0, pokerDeals = 0, prizesPaid = 0;

private:
    void checkRummyCards();
    void checkRummyFlags();
    void checkRummyPayments();
    void checkPoker();

    SoakWindow& w_;
    std::string failure_;

    // Banks: the amounts last drawn, and the payments seen since the last rest.
    int lastPlayerBank_ = 100;
    int lastComputerBank_ = 100;
    std::vector<int> payments_;  // +1: the user was paid, -1: the computer was
    uint32_t restSerial_ = 0;
    Outcome restOutcome_ = Outcome::None;
    bool restWasRummy_ = false;

    // Winnings: the value last shown and a prize being counted up.
    int lastWinnings_ = 0;
    bool countingUp_ = false;
    int prize_ = 0;
    int prizeStep_ = 0;
    int paidSoFar_ = 0;
};

Outcome outcomeOf(const RummyState& s);

}  // namespace dm::soak
