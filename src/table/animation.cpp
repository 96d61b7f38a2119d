#include "table/animation.h"

#include "table/wait.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>

namespace dm {

std::vector<QPoint> animationPath(QPoint start, QPoint end, int step)
{
    const int dx = end.x() - start.x();
    const int dy = end.y() - start.y();
    const bool xDrives = std::abs(dx) >= std::abs(dy);
    const int driving = xDrives ? dx : dy;
    const int other = xDrives ? dy : dx;
    std::vector<QPoint> path;
    if (step <= 0 || driving == 0)
        return {end};

    const int frames = qRound(std::abs(driving) / static_cast<double>(step));
    const double driveStep = driving > 0 ? step : -step;
    // Both coordinates are carried as reals and only rounded for drawing, so the minor
    // axis moves smoothly even when its share of a step is below one pixel.
    const double otherStep = step * (std::abs(other) / static_cast<double>(std::abs(driving))) * (other < 0 ? -1 : 1);
    const double d0 = xDrives ? start.x() : start.y();
    const double o0 = xDrives ? start.y() : start.x();
    path.reserve(static_cast<size_t>(frames) + 1);
    for (int k = 1; k < frames; ++k) {
        const double d = d0 + k * driveStep;
        const double o = o0 + k * otherStep;
        path.push_back(xDrives ? QPoint(qRound(d), qRound(o)) : QPoint(qRound(o), qRound(d)));
    }
    path.push_back(end);
    return path;
}

namespace {
constexpr int kTestFrames = 150;
constexpr double kTargetSeconds = 0.3;
constexpr int kDelayStep = 10;

double testFramesSeconds(int delay, double frameSeconds, double loopTurnSeconds)
{
    return kTestFrames * (frameSeconds + delay * 1000.0 * loopTurnSeconds);
}
}  // namespace

int animationDelayFor(double frameSeconds, double loopTurnSeconds)
{
    frameSeconds = std::max(0.0, frameSeconds);
    loopTurnSeconds = std::max(0.0, loopTurnSeconds);
    auto slowEnough = [&](int delay) {
        return testFramesSeconds(delay, frameSeconds, loopTurnSeconds) >= kTargetSeconds;
    };
    if (slowEnough(0))
        return 0;
    // A loop that costs nothing could never slow the frames: the stepping would not end.
    if (loopTurnSeconds <= 0.0)
        return kMaxAnimationDelay;
    if (!slowEnough(kMaxMeasuredDelay))
        return kMaxMeasuredDelay;
    const double perFrame = kTargetSeconds / kTestFrames - frameSeconds;
    const double steps = std::ceil(perFrame / (1000.0 * loopTurnSeconds) / kDelayStep);
    int delay = std::clamp(static_cast<int>(steps) * kDelayStep, kDelayStep, kMaxMeasuredDelay);
    // Settle rounding at the boundary with the very comparison the stepping would make.
    while (delay > 0 && slowEnough(delay - kDelayStep))
        delay -= kDelayStep;
    while (delay < kMaxMeasuredDelay && !slowEnough(delay))
        delay += kDelayStep;
    return delay;
}

double measureLoopTurnSeconds()
{
    constexpr std::int64_t kTurns = 10'000'000;
    using clock = std::chrono::steady_clock;
    volatile std::int64_t counter = 0;
    const auto start = clock::now();
    for (std::int64_t i = 0; i < kTurns; ++i)
        counter = counter + 1;
    const double seconds = std::chrono::duration<double>(clock::now() - start).count();
    // Never report a free loop: later divisions and waits rely on a positive cost.
    return std::max(seconds, 1e-6) / kTurns;
}

int scrollValForDelay(int delay)
{
    if (delay >= 0 && delay <= 500)
        return 1000 - delay;
    if (delay >= 501 && delay <= 750)
        return 400;
    return 250;
}

int delayForScrollVal(int v)
{
    if (v >= 500)
        return 1000 - v;
    return (1000 - v) + 10 * (500 - v);
}

int frameWaitMs(int prfAnimationDelay, double loopTurnSeconds)
{
    if (prfAnimationDelay <= 0 || loopTurnSeconds <= 0.0)
        return 0;
    const double ms = prfAnimationDelay * 1000.0 * loopTurnSeconds * 1000.0;
    return static_cast<int>(std::min(ms + 0.5, 60'000.0));
}

CardSprite::CardSprite(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void CardSprite::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    resize(picture.deviceIndependentSize().toSize());
    update();
}

bool CardSprite::glide(QPoint from, QPoint to, int step, int frameMs, QObject* guard, double timeScale)
{
    move(from);
    show();
    raise();
    for (const QPoint& p : animationPath(from, to, step)) {
        move(p);
        if (!shortDelay(frameMs, guard, timeScale))
            return false;
    }
    return true;
}

void CardSprite::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);
}

}  // namespace dm
