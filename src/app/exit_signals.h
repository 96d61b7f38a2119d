#pragma once
// TERM and HUP (a logout, a shutdown, `kill`) end the program the way closing its window
// does, so the preferences and scores are kept.
#include <QObject>
#include <functional>

class QSocketNotifier;

namespace dm {

// The handler only writes the signal's number down a pipe; the notifier on the other end
// runs onSignal on the UI thread, where anything may be done. One at a time.
class ExitSignals : public QObject {
public:
    explicit ExitSignals(std::function<void()> onSignal, QObject* parent = nullptr);
    ~ExitSignals() override;
    ExitSignals(const ExitSignals&) = delete;
    ExitSignals& operator=(const ExitSignals&) = delete;

private:
    std::function<void()> onSignal_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace dm
