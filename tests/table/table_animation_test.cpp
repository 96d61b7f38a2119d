#include "table/animation.h"
#include "table/wait.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

using namespace dm;

using Path = std::vector<QPoint>;

TEST(TableAnimationPath, StraightLines)
{
    EXPECT_EQ(animationPath({0, 0}, {40, 0}, 10), (Path{{10, 0}, {20, 0}, {30, 0}, {40, 0}}));
    EXPECT_EQ(animationPath({5, 100}, {5, 25}, 25), (Path{{5, 75}, {5, 50}, {5, 25}}));
    EXPECT_EQ(animationPath({100, 0}, {60, 20}, 10), (Path{{90, 5}, {80, 10}, {70, 15}, {60, 20}}));
    // The vertical axis drives when it is the longer one.
    EXPECT_EQ(animationPath({0, 0}, {-10, 40}, 10), (Path{{-3, 10}, {-5, 20}, {-8, 30}, {-10, 40}}));
}

TEST(TableAnimationPath, FrameCountRoundsAndEndsOnTheTarget)
{
    EXPECT_EQ(animationPath({0, 0}, {15, 0}, 10), (Path{{10, 0}, {15, 0}}));  // 1.5 -> 2 frames
    EXPECT_EQ(animationPath({0, 0}, {14, 0}, 10), (Path{{14, 0}}));           // 1.4 -> 1 frame
    EXPECT_EQ(animationPath({0, 0}, {4, 1}, 10), (Path{{4, 1}}));             // below half a step
    EXPECT_EQ(animationPath({7, 7}, {7, 7}, 10), (Path{{7, 7}}));
    EXPECT_EQ(animationPath({0, 0}, {50, 50}, 0), (Path{{50, 50}}));
    EXPECT_EQ(animationPath({0, 0}, {50, 50}, -3), (Path{{50, 50}}));

    for (const auto& [from, to] : std::vector<std::pair<QPoint, QPoint>>{{{0, 0}, {333, 127}}, {{400, 300}, {-17, 2}}}) {
        const Path p = animationPath(from, to, 7);
        ASSERT_FALSE(p.empty());
        EXPECT_EQ(p.back(), to);
        // Never beyond the target on either axis.
        for (const QPoint& q : p) {
            EXPECT_LE(std::abs(q.x() - to.x()), std::abs(from.x() - to.x()));
            EXPECT_LE(std::abs(q.y() - to.y()), std::abs(from.y() - to.y()));
        }
    }
}

TEST(TableAnimationPath, ShallowMinorAxisMovesGradually)
{
    // 0.3 px per frame: carried, not lost to rounding each step.
    const Path p = animationPath({0, 0}, {100, 3}, 10);
    std::vector<int> ys;
    for (const QPoint& q : p)
        ys.push_back(q.y());
    EXPECT_EQ(ys, (std::vector<int>{0, 1, 1, 1, 2, 2, 2, 2, 3, 3}));
}

namespace {
// The measurement as a stepping loop: raise the delay by 10 while 150 frames are quicker than 0.3 s.
int steppedDelay(double frameSeconds, double loopTurnSeconds)
{
    int delay = 0;
    double took = 0;
    do {
        took = 150 * (frameSeconds + delay * 1000.0 * loopTurnSeconds);
        if (took < 0.3)
            delay += 10;
    } while (took < 0.3);
    return delay;
}
}  // namespace

TEST(TableAnimationSpeed, DelayMatchesTheSteppingMeasurement)
{
    // Includes exact boundaries (0.0 / 1e-8 reaches 0.3 s at 200) and already-slow frames.
    const std::vector<std::pair<double, double>> costs = {
        {0.0, 1e-8}, {0.0001, 1e-9}, {0.0019, 3.3e-10}, {0.001, 1e-10}, {0.0021, 1e-9}, {0.002, 1e-9}, {0.0, 1.234567e-9}};
    for (const auto& [frame, turn] : costs)
        EXPECT_EQ(animationDelayFor(frame, turn), steppedDelay(frame, turn)) << frame << " " << turn;
}

TEST(TableAnimationSpeed, FreeLoopOnAFastMachineStopsAtTheTop)
{
    EXPECT_EQ(animationDelayFor(0.0, 0.0), kMaxAnimationDelay);
    EXPECT_EQ(animationDelayFor(0.0, 1e-18), kMaxMeasuredDelay);
    EXPECT_EQ(animationDelayFor(0.5, 0.0), 0);  // slow drawing needs no extra delay
    EXPECT_GT(measureLoopTurnSeconds(), 0.0);
}

TEST(TableAnimationSpeed, SliderAndDelayMappings)
{
    const std::vector<std::pair<int, int>> delayToScroll = {
        {0, 1000}, {499, 501}, {500, 500}, {501, 400}, {750, 400}, {751, 250}, {1000, 250}, {6000, 250}};
    for (const auto& [delay, scroll] : delayToScroll)
        EXPECT_EQ(scrollValForDelay(delay), scroll) << delay;

    const std::vector<std::pair<int, int>> scrollToDelay = {
        {1000, 0}, {751, 249}, {750, 250}, {501, 499}, {500, 500}, {499, 511}, {0, 6000}};
    for (const auto& [scroll, delay] : scrollToDelay)
        EXPECT_EQ(delayForScrollVal(scroll), delay) << scroll;
}

TEST(TableCardSprite, GlidesToTheEndOrStopsWhenAbandoned)
{
    resumeWaits();
    QWidget table;
    table.resize(400, 300);
    auto* sprite = new CardSprite(&table);
    QPixmap card(90, 126);
    card.fill(Qt::white);
    sprite->setPicture(card);
    EXPECT_EQ(sprite->size(), QSize(90, 126));

    EXPECT_TRUE(sprite->glide({0, 0}, {120, 60}, 10, 1, &table, 0.0));
    EXPECT_EQ(sprite->pos(), QPoint(120, 60));
    EXPECT_FALSE(sprite->isHidden());

    abandonAllWaits();
    EXPECT_FALSE(sprite->glide({120, 60}, {0, 0}, 10, 1, &table));
    EXPECT_EQ(sprite->pos(), QPoint(110, 55));  // stopped after the first frame
    resumeWaits();
}
