#include "table/animation.h"
#include "table/wait.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

using namespace dm;

using Path = std::vector<QPoint>;

TEST(TableAnimationPath, StepsAlongTheLongerAxisAndEndsOnTheTarget)
{
    EXPECT_EQ(animationPath({0, 0}, {15, 0}, 10), (Path{{10, 0}, {15, 0}}));  // 1.5 -> 2 frames
    EXPECT_EQ(animationPath({7, 7}, {7, 7}, 10), (Path{{7, 7}}));
    EXPECT_EQ(animationPath({0, 0}, {50, 50}, -3), (Path{{50, 50}}));

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

// A loop that seems to cost nothing stops at the top instead of counting for ever.
TEST(TableAnimationSpeed, MeasuringNeverCountsForEver)
{
    EXPECT_EQ(animationDelayFor(0.0, 0.0), kMaxAnimationDelay);
    EXPECT_EQ(animationDelayFor(0.0, 1e-18), kMaxMeasuredDelay);
    EXPECT_EQ(animationDelayFor(0.5, 0.0), 0);  // slow drawing needs no extra delay
    EXPECT_EQ(animationDelayFor(0.0, 1e-8), 200);  // 150 frames reach 0.3 s exactly at 200
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
