#pragma once
// A seeded random run of the main window: clicks, presses, double-clicks and drags on
// every card place, keys, every menu command and dialog, some of them fired from inside
// the game's own waits; the ledger is checked after every action and a watchdog ends
// the process when one action hangs.
#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>

#include "cards/random.h"
#include "soak_window.h"

class QWidget;

namespace dm::soak {

// Copies a file or a folder with everything in it.
bool copyTree(const QString& from, const QString& to);

class SoakRun {
public:
    // dataFrom: the built program folder whose data is copied for the run.
    SoakRun(uint64_t seed, const QString& dataFrom, int watchdogSeconds = 20);
    ~SoakRun();
    SoakRun(const SoakRun&) = delete;
    SoakRun& operator=(const SoakRun&) = delete;

    // Runs the actions, then closes the window in the middle of a step. Returns an
    // empty string, or what went wrong followed by the seed and the last actions.
    std::string run(int actions);
    std::string summary() const;
    long actionsDone() const { return actionNo_; }

private:
    // One action; depth > 0 when fired from inside a wait.
    void act(int depth);
    void scheduleNested(int depth);
    void scheduleInterrupt(int depth);
    void later(int hops, std::function<void()> then);
    void settle();
    void checkRest();
    void record(int depth, const std::string& what);
    std::string report(const std::string& what);

    // The kinds of action.
    void mouseOnPlace(int depth);
    void aimedPlay(int depth);
    template <class Click>
    void drawAndExpectACard(int depth, QWidget* pile, Click& click);
    void dragAcrossHand(int depth);
    void keyPress(int depth);
    void menuCommand(int depth, const char* only = nullptr);
    void popupAnswer(int depth);
    void timerTicks(int depth);
    void closeStrayWindows(int depth);
    void openDialog(const char* item, int depth);
    void answerModal(int turnsLeft, int fiddles);
    void fiddlePreferences(QWidget* dialog);
    void fiddleScores(QWidget* dialog);

    QWidget* placeWidget(std::string& name);
    QPoint randomPointIn(QWidget* target);
    void deliverMouse(int depth, QWidget* target, QPoint at, int kind, Qt::MouseButton button, std::string what);

    int below(int n) { return static_cast<int>(pick_() % static_cast<uint64_t>(n)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(pick_) < p; }

    uint64_t seed_;
    std::mt19937_64 pick_;
    QTemporaryDir dir_;
    MapStore store_;
    SeededRng gameRng_;
    std::unique_ptr<SoakWindow> w_;
    std::unique_ptr<Ledger> ledger_;
    bool trace_ = false;  // every action printed as it starts
    bool calm_ = false;
    bool stalling_ = false;  // the aimed user never takes the discard and throws what it draws  // a stretch of plain play with few menu commands
    int pending_ = 0;  // nested actions scheduled and not yet run
    long actionNo_ = 0;
    std::string problem_;

    // The watchdog reads the log from its own thread.
    std::mutex logMutex_;
    std::deque<std::string> recent_;
    std::atomic<int64_t> actionStartMs_{0};
    std::atomic<bool> stopWatchdog_{false};
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    std::thread watchdog_;
    int watchdogSeconds_;
};

}  // namespace dm::soak
