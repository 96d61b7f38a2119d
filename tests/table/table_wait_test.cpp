#include "table/wait.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using namespace dm;

namespace {
// Every test starts with waits allowed and leaves them allowed.
class TableWait : public ::testing::Test {
protected:
    void SetUp() override { resumeWaits(); }
    void TearDown() override { resumeWaits(); }
};

// Posts an event that counts itself when the window handles it.
void postCount(int& ran)
{
    QMetaObject::invokeMethod(qApp, [&ran] { ++ran; }, Qt::QueuedConnection);
}
}  // namespace

TEST_F(TableWait, WaitsTheFullTimeWhileEventsRun)
{
    // A timer due inside the wait has run by its end.
    bool timerRan = false;
    QTimer::singleShot(30, [&] { timerRan = true; });
    EXPECT_TRUE(shortDelay(40, nullptr));
    EXPECT_TRUE(timerRan);
    timerRan = false;
    QTimer::singleShot(15, [&] { timerRan = true; });
    EXPECT_TRUE(shortDelay(10, qApp, 2.0));  // twice 10 ms
    EXPECT_TRUE(timerRan);

    int ran = 0;  // a zero scale or time runs pending events once
    postCount(ran);
    EXPECT_TRUE(shortDelay(600000, nullptr, 0.0));
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(shortDelay(-5, nullptr));
}

TEST_F(TableWait, GuardDestroyedMidWaitEndsIt)
{
    auto* guard = new QObject;
    QTimer::singleShot(10, [&] { delete std::exchange(guard, nullptr); });
    EXPECT_FALSE(shortDelay(600000, guard));
    EXPECT_EQ(guard, nullptr);
}

TEST_F(TableWait, AbandonEndsTheWaitAndLaterOnes)
{
    QTimer::singleShot(10, [] { abandonAllWaits(); });
    EXPECT_FALSE(shortDelay(600000, nullptr));
    EXPECT_TRUE(waitsAbandoned());

    int ran = 0;
    postCount(ran);
    EXPECT_FALSE(shortDelay(600000, nullptr));
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
