#pragma once
// Card glides across the table: the path, the per-machine speed and the moving picture.
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <vector>

namespace dm {

// Frame points from start to end in steps of about step pixels along the longer axis;
// the last point is always end. A step of 0 or below jumps straight to end.
std::vector<QPoint> animationPath(QPoint start, QPoint end, int step);

// The frame delay (in thousands of loop turns, a multiple of 10) at which 150 frames
// take at least 0.3 s, given one frame's drawing cost and one loop turn's cost.
int animationDelayFor(double frameSeconds, double loopTurnSeconds);
// The slowest delay of the speed slider.
constexpr int kMaxAnimationDelay = 6000;
// Where the measurement gives up on a loop that seems to cost nothing.
constexpr int kMaxMeasuredDelay = 10'000'000;

// Seconds one turn of an empty counting loop takes on this machine.
double measureLoopTurnSeconds();

// Speed slider position for a delay and back.
int scrollValForDelay(int delay);
int delayForScrollVal(int v);

// Milliseconds that prfAnimationDelay * 1000 loop turns last here: the pause after each
// frame of a glide, waited on a timer instead of spun (0 for delay <= 0).
int frameWaitMs(int prfAnimationDelay, double loopTurnSeconds);

// The moving card (picAnimate): a picture with transparent corners above the table.
class CardSprite : public QWidget {
    Q_OBJECT
public:
    explicit CardSprite(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return picture_; }

    // Shows itself at from and moves along animationPath to to, waiting frameMs per
    // frame. False when the wait was abandoned (the card then stays where it got to).
    bool glide(QPoint from, QPoint to, int step, int frameMs, QObject* guard,
               double timeScale = 1.0);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
};

}  // namespace dm
