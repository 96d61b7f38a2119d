#include "table/wait.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <vector>

namespace dm {

Clock::~Clock() = default;

qint64 Clock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

namespace {

// The waits running now, innermost last, and whether the window has given up on them.
struct WaitState {
    std::vector<QEventLoop*> loops;
    bool abandoned = false;
};

WaitState& waitState()
{
    static WaitState state;
    return state;
}

}  // namespace

void abandonAllWaits()
{
    auto& s = waitState();
    s.abandoned = true;
    for (QEventLoop* loop : s.loops)
        loop->quit();
}

void resumeWaits()
{
    waitState().abandoned = false;
}

bool waitsAbandoned()
{
    return waitState().abandoned;
}

bool shortDelay(int ms, QObject* guard, double timeScale)
{
    auto& s = waitState();
    if (s.abandoned)
        return false;
    QPointer<QObject> alive(guard);
    const bool guarded = guard != nullptr;
    auto stillWanted = [&] { return !s.abandoned && (!guarded || !alive.isNull()); };

    const double scaled = std::max(0.0, ms * std::max(0.0, timeScale));
    const qint64 total = static_cast<qint64>(scaled + 0.5);
    if (total <= 0) {
        QCoreApplication::processEvents();
        return stillWanted();
    }

    const Clock clock;
    // The clock reads whole milliseconds: one more makes sure the full time has passed.
    const qint64 end = clock.nowMs() + total + 1;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    QMetaObject::Connection onGone;
    if (guarded)
        onGone = QObject::connect(guard, &QObject::destroyed, &loop, &QEventLoop::quit);

    s.loops.push_back(&loop);
    // A timer may wake a little early; wait out the rest rather than cut the pause short.
    for (qint64 left = total + 1; left > 0 && stillWanted(); left = end - clock.nowMs()) {
        timer.start(static_cast<int>(std::min<qint64>(left, 24 * 3600 * 1000)));
        loop.exec();
    }
    s.loops.erase(std::find(s.loops.begin(), s.loops.end(), &loop));
    if (onGone)
        QObject::disconnect(onGone);
    return stillWanted();
}

}  // namespace dm
