#include "table/animation.h"
#include "table/wait.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

using namespace dm;

TEST(TableAnimationPath, StepsAlongTheLongerAxisAndEndsOnTheTarget)
{
    using Path = std::vector<QPoint>;
    EXPECT_EQ(animationPath({0, 0}, {15, 0}, 10), (Path{{10, 0}, {15, 0}}));  // 1.5 -> 2 frames
    EXPECT_EQ(animationPath({7, 7}, {7, 7}, 10), (Path{{7, 7}}));
    EXPECT_EQ(animationPath({0, 0}, {50, 50}, -3), (Path{{50, 50}}));
    // A shallow minor axis (0.3 px per frame) is carried, not lost to rounding each step.
    EXPECT_EQ(animationPath({0, 0}, {100, 3}, 10), (Path{{10, 0}, {20, 1}, {30, 1}, {40, 1}, {50, 2}, {60, 2}, {70, 2},
                                                         {80, 2}, {90, 3}, {100, 3}}));
    const Path p = animationPath({400, 300}, {-17, 2}, 7);
    EXPECT_EQ(p.empty() ? QPoint() : p.back(), QPoint(-17, 2));
    for (const QPoint& q : p)  // never beyond the target on either axis
        EXPECT_TRUE(q.x() >= -17 && q.x() <= 400 && q.y() >= 2 && q.y() <= 300) << q.x() << "," << q.y();
    // A loop that seems to cost nothing stops at the top instead of counting for ever.
    EXPECT_EQ(animationDelayFor(0.0, 1e-18), kMaxMeasuredDelay);
}

TEST(TableCardSprite, GlidesToTheEndOrStopsWhenAbandoned)
{
    QWidget table;
    auto* sprite = new CardSprite(&table);
    EXPECT_TRUE(sprite->glide({0, 0}, {120, 60}, 10, 1, &table, 0.0));
    EXPECT_EQ(sprite->pos(), QPoint(120, 60));
    abandonAllWaits();
    EXPECT_FALSE(sprite->glide({120, 60}, {0, 0}, 10, 1, &table));
    EXPECT_EQ(sprite->pos(), QPoint(110, 55));  // stopped after the first frame
    resumeWaits();
}
