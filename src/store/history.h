#pragma once
// The history of every hand played, kept in addition to the top-score tables: what the
// table records when a hand ends, and what the "Statistics" window reads back. Plain C++;
// the database behind it lives in src/history.
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dm {

enum class HistoryGame { Rummy, Poker };

struct RummyRecord {
    enum class Winner { User, Computer, Tie };
    int64_t endedAt = 0;  // milliseconds since 1970, UTC
    Winner winner = Winner::Tie;
    int stake = 0;
    int userBank = 0;      // both banks after the hand
    int computerBank = 0;
    int opponent = 0;      // 0 Standard, 1 Expert
    int turns = 0;
    bool trainerOpen = false;
    std::optional<double> chanceGivenUp;  // 0..1, when the trainer scored the hand
};

struct PokerRecord {
    int64_t endedAt = 0;
    std::array<int, 5> dealt{};  // card numbers 0..51
    unsigned hold = 0;           // bit i kept card i
    std::array<int, 5> final{};
    int finalClass = 0;          // the game's class of the final hand (payout mode)
    int finalHand = 0;           // FinalHand order: 0 royal flush .. 9 nothing
    int pay = 0;                 // credits paid for the 5-credit wager
    double holdValue = 0;        // exact average credits of the hold played
    double bestValue = 0;        // ... and of the best hold
    bool adviserAccepted = false;
};

// Which hands a page shows.
enum class Period { Session, Week, Month, All };
struct StatsQuery {
    Period period = Period::All;
    int64_t now = 0;  // milliseconds since 1970, UTC
};
int64_t periodStart(const StatsQuery& q);  // the earliest end time counted; 0 for Session and All

struct RummyStats {
    struct Level {
        int64_t hands = 0, won = 0, lost = 0, tied = 0;
    };
    std::array<Level, 2> byLevel{};  // Standard, Expert
    // Positive: a run of wins, negative: of losses, 0: the last hand was a tie (or none).
    int64_t currentStreak = 0;
    int64_t longestWin = 0, longestLoss = 0;
    struct Point {
        int64_t hand = 0;  // 1 for the first hand of the period
        double value = 0;
    };
    std::vector<Point> bank;    // the user's bank after each hand, thinned to a few hundred points
    std::vector<Point> chance;  // chance given up on scored hands, averaged in blocks when many
    int64_t scored = 0;
};

constexpr int kHistoryWager = 5;  // credits every poker hand wagers

struct PokerStats {
    int64_t hands = 0, wagered = 0, won = 0;
    double expected = 0;  // credits the holds played return on average
    double perfect = 0;   // ... and the best holds
    int64_t adviserAccepted = 0;
    struct Block {
        int64_t firstHand = 0;
        int64_t hands = 0;
        int64_t mistakes = 0;
        double cost = 0;
    };
    std::vector<Block> curve;  // blocks of 100 hands
    std::array<int64_t, 10> finals{};  // observed final hands, FinalHand order
    int64_t longestPerfectRun = 0;
    // The whole-game solve under perfect play: the share of each final hand and the
    // variance of a hand's return per credit wagered.
    std::array<double, 10> perfectFinals{};
    double variance = 0;
    // How many standard deviations the credits won lie from the holds' expected credits.
    // Each hand's return spreads by wager * sqrt(variance) credits; the hands are independent.
    double luck() const
    {
        if (hands == 0 || variance <= 0)
            return 0;
        return (static_cast<double>(won) - expected) / (kHistoryWager * std::sqrt(variance * static_cast<double>(hands)));
    }
};

// Chance given up or holds that cost something: anything nearer than this is no mistake.
constexpr double kNoCost = 1e-9;

// Where the table sends each finished hand and the "Statistics" window reads from.
// Records return at once; the writing happens elsewhere. Answers come back later on the
// caller's thread, through the event loop.
class HandHistory {
public:
    virtual ~HandHistory() = default;
    virtual void recordRummy(const RummyRecord& hand) = 0;
    // The values and the adviser's verdict are worked out by the history, off the table.
    virtual void recordPoker(const PokerRecord& hand) = 0;

    virtual void rummyStats(const StatsQuery& q, std::function<void(const RummyStats&)> done) = 0;
    virtual void pokerStats(const StatsQuery& q, std::function<void(const PokerStats&)> done) = 0;
    // The game's hands of the period as CSV with a header line; error "" when written.
    virtual void exportCsv(HistoryGame game, const StatsQuery& q, const std::string& path,
                           std::function<void(const std::string& error)> done) = 0;
    // Forgets every hand of the game.
    virtual void reset(HistoryGame game, std::function<void(const std::string& error)> done) = 0;
};

// "4C 10H AS ..." for the CSV: rank then suit letter.
std::string cardsText(const std::array<int, 5>& cards);

}  // namespace dm
