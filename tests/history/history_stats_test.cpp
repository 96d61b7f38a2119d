// What goes into the history comes back in the figures, per period and per session.
#include <gtest/gtest.h>

#include <QFile>

#include "history_support.h"
#include "poker/analysis.h"
#include "history/history_hands.h"

namespace dm {
namespace {

using test::Peek;

constexpr int64_t kDay = 24 * 3600 * 1000LL;
constexpr int64_t kNow = 1'800'000'000'000LL;

RummyRecord rummyHand(char outcome, int64_t at, int opponent = 0, std::optional<double> chance = {})
{
    RummyRecord r;
    r.endedAt = at;
    r.winner = outcome == 'W' ? RummyRecord::Winner::User
               : outcome == 'L' ? RummyRecord::Winner::Computer
                                : RummyRecord::Winner::Tie;
    r.stake = outcome == 'T' ? 0 : 10;
    r.opponent = opponent;
    r.chanceGivenUp = chance;
    return r;
}

struct HistoryStatsTest : ::testing::Test {
    QTemporaryDir dir;
    QString path = dir.filePath("history.sqlite");
    std::unique_ptr<SqlHandHistory> open(int64_t start = kNow)
    {
        SqlHandHistory::Options o;
        o.path = path;
        o.clock = [start] { return start; };
        return std::make_unique<SqlHandHistory>(o);
    }
};

TEST_F(HistoryStatsTest, RummyCountsByLevelStreaksAndPeriods)
{
    auto h = open();
    // Old hands first (40 and 10 days ago), then this week's: W W L T W W W L L.
    h->recordRummy(rummyHand('W', kNow - 40 * kDay, 1));
    h->recordRummy(rummyHand('L', kNow - 10 * kDay, 1));
    int i = 0;
    for (char c : std::string("WWLTWWWLL")) {
        ++i;
        h->recordRummy(rummyHand(c, kNow - kDay + i, i % 2, i == 3 ? std::optional(0.25) : std::nullopt));
    }
    h->flush();

    const RummyStats all = test::rummyOf(*h, Period::All, kNow);
    EXPECT_EQ(all.byLevel[0].hands + all.byLevel[1].hands, 11);
    EXPECT_EQ(all.byLevel[1].won, 1 + 3);  // the old expert win and the odd-numbered wins 1, 5, 7
    EXPECT_EQ(all.byLevel[0].tied, 1);
    EXPECT_EQ(all.currentStreak, -2);
    EXPECT_EQ(all.longestWin, 3);  // the tie at 4 splits W W from W W W
    EXPECT_EQ(all.longestLoss, 2);
    ASSERT_EQ(all.bank.size(), 11u);
    EXPECT_EQ(all.scored, 1);
    ASSERT_EQ(all.chance.size(), 1u);
    EXPECT_DOUBLE_EQ(all.chance[0].value, 0.25);

    EXPECT_EQ(test::rummyOf(*h, Period::Month, kNow).bank.size(), 10u);
    EXPECT_EQ(test::rummyOf(*h, Period::Week, kNow).bank.size(), 9u);
    // A second copy of the program has its own session; this one's hands are not in it.
    auto other = open(kNow + 1);
    other->recordRummy(rummyHand('W', kNow + 5));
    other->flush();
    EXPECT_EQ(test::rummyOf(*other, Period::Session).bank.size(), 1u);
    EXPECT_EQ(test::rummyOf(*h, Period::Session).bank.size(), 11u);
    EXPECT_EQ(test::rummyOf(*h, Period::All).currentStreak, 1);
}

TEST_F(HistoryStatsTest, PokerHandsCarryTheirExactValuesAndTheSolve)
{
    auto h = open();
    // Four to a royal in clubs and a two: holding the four is best; the pair-less draw of
    // all five is a costly slip.
    PokerRecord best;
    best.dealt = {0, 36, 40, 44, 5};
    best.hold = 0b01111;
    best.final = {0, 36, 40, 44, 48};  // drew the king: a royal flush
    best.pay = 4000;
    PokerRecord slip = best;
    slip.hold = 0;
    slip.final = {1, 2, 3, 6, 9};  // three aces drawn
    slip.pay = 15;
    h->recordPoker(best);
    h->recordPoker(slip);
    h->recordPoker(best);
    h->flush();

    const auto values = holdValues({cardOf(0), cardOf(36), cardOf(40), cardOf(44), cardOf(5)});
    Peek peek(path);
    EXPECT_DOUBLE_EQ(peek.value("SELECT hold_value FROM poker_hands WHERE id = 1").toDouble(), values[0b01111]);
    EXPECT_DOUBLE_EQ(peek.value("SELECT best_value FROM poker_hands WHERE id = 2").toDouble(), values[0b01111]);
    EXPECT_EQ(peek.value("SELECT adviser_accepted FROM poker_hands WHERE id = 2").toInt(), 0);
    EXPECT_EQ(peek.value("SELECT final_hand FROM poker_hands WHERE id = 1").toInt(), int(FinalHand::RoyalFlush));
    EXPECT_EQ(peek.value("SELECT final_hand FROM poker_hands WHERE id = 2").toInt(), int(FinalHand::ThreeOfAKind));

    const PokerStats s = test::pokerOf(*h);
    EXPECT_EQ(s.hands, 3);
    EXPECT_EQ(s.wagered, 15);
    EXPECT_EQ(s.won, 8015);
    EXPECT_NEAR(s.perfect, 3 * values[0b01111], 1e-6);
    EXPECT_NEAR(s.expected, 2 * values[0b01111] + values[0], 1e-6);
    EXPECT_EQ(s.longestPerfectRun, 1);
    ASSERT_EQ(s.curve.size(), 1u);
    EXPECT_EQ(s.curve[0].mistakes, 1);
    EXPECT_EQ(s.finals[int(FinalHand::RoyalFlush)], 2);
    // The whole-game solve, kept in the file for the next start.
    EXPECT_NEAR(s.variance, 19.5147, 1e-4);
    EXPECT_NEAR(s.perfectFinals[int(FinalHand::RoyalFlush)], 493512264.0 / 19933230517200.0, 1e-12);
    EXPECT_EQ(peek.value("SELECT COUNT(*) FROM perfect_play").toInt(), 1);
    // Lucky: two royals on three hands lie far above what the holds promised.
    EXPECT_GT(s.luck(), 10);
}

TEST_F(HistoryStatsTest, ExportWritesTheGamesHandsAndResetClearsOnlyThatGame)
{
    auto h = open();
    SeededRng rng(3);
    HandSampler sampler(rng);
    for (int i = 0; i < 5; ++i) {
        h->recordPoker(sampler.poker(kNow + i));
        h->recordRummy(sampler.rummy(kNow + i));
    }
    const QString csv = dir.filePath("poker.csv");
    const std::string error = test::answerOf<std::string>(
        [&](auto done) { h->exportCsv(HistoryGame::Poker, {Period::All, kNow}, csv.toStdString(), done); });
    EXPECT_EQ(error, "");
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "ended_at,dealt,hold,final,final_class,pay,hold_value,best_value,adviser_accepted");
    EXPECT_EQ(lines[1].count(','), 8);

    EXPECT_NE(test::answerOf<std::string>([&](auto done) {
                  h->exportCsv(HistoryGame::Rummy, {}, dir.filePath("no/such/folder/r.csv").toStdString(), done);
              }),
              "");
    EXPECT_EQ(test::answerOf<std::string>([&](auto done) { h->reset(HistoryGame::Poker, done); }), "");
    EXPECT_EQ(test::pokerOf(*h).hands, 0);
    EXPECT_EQ(test::rummyOf(*h).bank.size(), 5u);
}

}  // namespace
}  // namespace dm
