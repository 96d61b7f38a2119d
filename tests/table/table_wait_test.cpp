#include "table/wait.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using namespace dm;

// Every test starts with waits allowed and leaves them allowed.
struct TableWait : ::testing::Test {
    void SetUp() override { resumeWaits(); }
    void TearDown() override { resumeWaits(); }
};

TEST_F(TableWait, WaitsTheFullTimeWhileEventsRun)
{
    // A timer due inside the wait has run by its end, also inside a doubled wait.
    for (const auto& [due, wait, scale] : {std::tuple{30, 40, 1.0}, {15, 10, 2.0}}) {
        bool timerRan = false;
        QTimer::singleShot(due, [&] { timerRan = true; });
        EXPECT_TRUE(shortDelay(wait, qApp, scale));
        EXPECT_TRUE(timerRan) << due;
    }
    int ran = 0;  // a zero scale runs pending events once
    QMetaObject::invokeMethod(qApp, [&ran] { ++ran; }, Qt::QueuedConnection);
    EXPECT_TRUE(shortDelay(600000, nullptr, 0.0));
    EXPECT_EQ(ran, 1);
}

TEST_F(TableWait, GuardDestroyedOrAbandonEndsTheWaitAndAbandonLaterOnes)
{
    auto* guard = new QObject;
    QTimer::singleShot(10, [&] { delete std::exchange(guard, nullptr); });
    EXPECT_FALSE(shortDelay(600000, guard));
    EXPECT_EQ(guard, nullptr);

    QTimer::singleShot(10, [] { abandonAllWaits(); });
    EXPECT_FALSE(shortDelay(600000, nullptr));
    int ran = 0;
    QMetaObject::invokeMethod(qApp, [&ran] { ++ran; }, Qt::QueuedConnection);
    EXPECT_FALSE(shortDelay(0, nullptr, 0.0));
    EXPECT_EQ(ran, 0);  // refused at once, without running the window
    resumeWaits();
    EXPECT_TRUE(shortDelay(1, nullptr));
}

TEST_F(TableWait, NestedWaitsFinishAndAbandonReachesBoth)
{
    // A wait started by an event handled during another wait.
    bool inner = false;
    QTimer::singleShot(5, [&] { inner = shortDelay(20, nullptr); });
    EXPECT_TRUE(shortDelay(10, nullptr));
    EXPECT_TRUE(inner);

    std::optional<bool> innerResult;
    QTimer::singleShot(5, [&] {
        QTimer::singleShot(10, [] { abandonAllWaits(); });
        innerResult = shortDelay(600000, nullptr);
    });
    EXPECT_FALSE(shortDelay(600000, nullptr));
    EXPECT_EQ(innerResult, false);
}
