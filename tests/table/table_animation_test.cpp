#include "table/animation.h"
#include "table/wait.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

using namespace dm;

using Path = std::vector<QPoint>;

TEST(TableAnimationPath, StepsAlongTheLongerAxisAndEndsOnTheTarget)
{
    const std::tuple<QPoint, QPoint, int, Path> cases[] = {
        {{0, 0}, {40, 0}, 10, {{10, 0}, {20, 0}, {30, 0}, {40, 0}}},
        {{5, 100}, {5, 25}, 25, {{5, 75}, {5, 50}, {5, 25}}},
        {{100, 0}, {60, 20}, 10, {{90, 5}, {80, 10}, {70, 15}, {60, 20}}},
        {{0, 0}, {-10, 40}, 10, {{-3, 10}, {-5, 20}, {-8, 30}, {-10, 40}}},  // vertical drives
        {{0, 0}, {15, 0}, 10, {{10, 0}, {15, 0}}},  // 1.5 -> 2 frames
        {{0, 0}, {14, 0}, 10, {{14, 0}}},           // 1.4 -> 1 frame
        {{0, 0}, {4, 1}, 10, {{4, 1}}},             // below half a step
        {{7, 7}, {7, 7}, 10, {{7, 7}}},
        {{0, 0}, {50, 50}, 0, {{50, 50}}},
        {{0, 0}, {50, 50}, -3, {{50, 50}}},
    };
    for (const auto& [from, to, step, path] : cases)
        EXPECT_EQ(animationPath(from, to, step), path) << from.x() << "," << from.y() << " step " << step;

    // A shallow minor axis (0.3 px per frame) is carried, not lost to rounding each step.
    std::vector<int> ys;
    for (const QPoint& q : animationPath({0, 0}, {100, 3}, 10))
        ys.push_back(q.y());
    EXPECT_EQ(ys, (std::vector<int>{0, 1, 1, 1, 2, 2, 2, 2, 3, 3}));

    for (const auto& [from, to] : {std::pair<QPoint, QPoint>{{0, 0}, {333, 127}}, {{400, 300}, {-17, 2}}}) {
        const Path p = animationPath(from, to, 7);
        ASSERT_FALSE(p.empty());
        EXPECT_EQ(p.back(), to);
        for (const QPoint& q : p) {  // never beyond the target on either axis
            EXPECT_LE(std::abs(q.x() - to.x()), std::abs(from.x() - to.x()));
            EXPECT_LE(std::abs(q.y() - to.y()), std::abs(from.y() - to.y()));
        }
    }
}

TEST(TableAnimationSpeed, DelayMatchesTheSteppingMeasurement)
{
    // The measurement as a stepping loop: raise the delay by 10 while 150 frames are quicker than 0.3 s.
    const auto stepped = [](double frame, double turn) {
        int delay = 0;
        while (150 * (frame + delay * 1000.0 * turn) < 0.3)
            delay += 10;
        return delay;
    };
    // Includes exact boundaries (0.0 / 1e-8 reaches 0.3 s at 200) and already-slow frames.
    for (const auto& [frame, turn] : {std::pair{0.0, 1e-8}, {0.0001, 1e-9}, {0.0019, 3.3e-10}, {0.001, 1e-10},
                                      {0.0021, 1e-9}, {0.002, 1e-9}, {0.0, 1.234567e-9}})
        EXPECT_EQ(animationDelayFor(frame, turn), stepped(frame, turn)) << frame << " " << turn;

    // A loop that seems to cost nothing stops at the top instead of counting for ever.
    EXPECT_EQ(animationDelayFor(0.0, 0.0), kMaxAnimationDelay);
    EXPECT_EQ(animationDelayFor(0.0, 1e-18), kMaxMeasuredDelay);
    EXPECT_EQ(animationDelayFor(0.5, 0.0), 0);  // slow drawing needs no extra delay
    EXPECT_GT(measureLoopTurnSeconds(), 0.0);
}

TEST(TableAnimationSpeed, SliderAndDelayMappings)
{
    for (const auto& [delay, scroll] : {std::pair{0, 1000}, {499, 501}, {500, 500}, {501, 400}, {750, 400},
                                        {751, 250}, {1000, 250}, {6000, 250}})
        EXPECT_EQ(scrollValForDelay(delay), scroll) << delay;
    for (const auto& [scroll, delay] : {std::pair{1000, 0}, {751, 249}, {750, 250}, {501, 499}, {500, 500},
                                        {499, 511}, {0, 6000}})
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
