#pragma once
// The one wait of the games: a timed nested event loop that keeps the window alive.
#include <QObject>
#include <QtGlobal>

namespace dm {

// Milliseconds from a monotonic source; a fake can be given where time must be steered.
class Clock {
public:
    virtual ~Clock();
    virtual qint64 nowMs() const;
};

// Waits ms * timeScale milliseconds while window events run (CPU idle).
// False, at once, when guard is destroyed during the wait or waits were abandoned:
// the caller's step must stop. timeScale 0 (or ms <= 0) runs pending events once.
bool shortDelay(int ms, QObject* guard, double timeScale = 1.0);

// Ends every running wait now and makes later waits return false at once
// (the window is closing).
void abandonAllWaits();

// Allows waits again after abandonAllWaits (a new window, or a test).
void resumeWaits();

// True after abandonAllWaits until resumeWaits.
bool waitsAbandoned();

}  // namespace dm
