#pragma once
// The "Statistics" window lives in the module "dunmere-stats.so", the one part of the
// program linked to Qt Charts, loaded when the window is first opened.
#include <QString>
#include <functional>

#include "store/history.h"

class QWidget;

namespace dm {

struct StatsWindowArgs {
    HandHistory* history = nullptr;  // outlives the window
    QWidget* parent = nullptr;
    std::function<int64_t()> clock;  // ms since 1970
    // Boxes, injected so tests can answer them; empty: the platform's.
    std::function<QString(const QString& suggested)> askSavePath;  // "" when cancelled
    std::function<bool(const QString& text)> confirm;
    std::function<void(const QString& text)> message;
    // Called once both pages show their first figures (the bench tool's stopwatch).
    std::function<void()> filled;
};

// The module's one exported function: a new non-modal window, owned by args.parent.
using MakeStatsWindow = QWidget* (*)(const StatsWindowArgs& args);
inline constexpr const char* kMakeStatsWindow = "dunmereMakeStatsWindow";

// Loads the module from the program's folder (`programDir`, else the running program's),
// or from its installed folder; null when missing.
MakeStatsWindow loadStatsWindowModule(const QString& programDir = {});

}  // namespace dm
