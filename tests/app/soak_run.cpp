#include "soak_run.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTimer>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "table/wait.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace dm::soak {

namespace {

int64_t nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

bool copyTree(const QString& from, const QString& to)
{
    if (QFileInfo(from).isFile())
        return QFile::copy(from, to);
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + src.mid(from.size());
        if (it.fileInfo().isDir())
            QDir().mkpath(dst);
        else if (!QFile::copy(src, dst))
            return false;
    }
    return true;
}

namespace {

// The run whose trail a crash prints (one run at a time).
SoakRun* activeRun = nullptr;
std::string (*trailOf)(SoakRun*) = nullptr;
std::atomic<bool> trailPrinted{false};

void printTrail()
{
    if (!activeRun || !trailOf || trailPrinted.exchange(true))
        return;
    const std::string t = trailOf(activeRun);
    const ssize_t ignored = ::write(2, t.data(), t.size());
    (void)ignored;
}

// The offscreen platform says on every window what it cannot do; nothing else is hidden.
QtMessageHandler previousHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
}

extern "C" void onFatalSignal(int sig)
{
    printTrail();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

}  // namespace

SoakRun::SoakRun(uint64_t seed, const QString& dataFrom, int watchdogSeconds)
    : seed_(seed), pick_(seed), gameRng_(seed * 6364136223846793005ULL + 1442695040888963407ULL),
      watchdogSeconds_(watchdogSeconds)
{
    resumeWaits();
    trace_ = std::getenv("DUNMERE_SOAK_TRACE") != nullptr;
    for (const char* name : {"pics", "wavs", "frames", "dunmere.hlp"}) {
        if (!copyTree(dataFrom + "/" + name, dir_.path() + "/" + name))
            problem_ = "could not copy " + std::string(name) + " from " + dataFrom.toStdString();
    }

    // A varied start: either game, either adviser mode, auto deal, sorting, stakes.
    auto coin = [this] { return chance(0.5) ? std::string("True") : std::string("False"); };
    // Test machines have no audio device; DUNMERE_SOAK_SOUND=1 plays the sounds anyway.
    store_.values["prfSound"] = std::getenv("DUNMERE_SOAK_SOUND") ? "True" : "False";
    store_.values["prfAnimationDelay"] = std::to_string(below(3) * 40);
    store_.values["prfAnimation"] = chance(0.8) ? "True" : "False";
    store_.values["isPoker"] = coin();
    store_.values["prfPokerAutoDeal"] = coin();
    store_.values["prfShowPokerPlay"] = coin();
    store_.values["prfTolvaAutoSort"] = coin();
    store_.values["prfTolvaScores"] = coin();
    store_.values["prfShowHide"] = coin();
    store_.values["prfWager"] = std::to_string(std::array{1, 5, 10}[below(3)]);
    store_.values["prfMoveDelay"] = std::to_string(below(400));

    AppContext ctx;
    ctx.programDir = dir_.path();
    ctx.store = &store_;
    ctx.rng = &gameRng_;
    ctx.timeScale = 0;
    ctx.dialogs.message = [this](const QString& text, const QString&) {
        record(9, "  box: " + text.left(90).toStdString());
        if (text.startsWith(QLatin1String("Error  in  ")) && problem_.empty())
            problem_ = "the program reported a failure: " + text.toStdString();
    };
    ctx.dialogs.askYesNo = [this](const QString& text, const QString&) {
        const bool yes = chance(0.5);
        record(9, "  question: " + text.toStdString() + (yes ? " -> Yes" : " -> No"));
        return yes;
    };
    ctx.dialogs.inputBox = [this](const std::string& prompt, const std::string&, const std::string&) {
        static const char* names[] = {"", "Ann", "A very long name that will not fit", "Zoë", "  ", "x"};
        const std::string answer = names[below(6)];
        record(9, "  name prompt: " + prompt.substr(0, 40) + " -> \"" + answer + "\"");
        return answer;
    };

    w_ = std::make_unique<SoakWindow>(ctx);
    ledger_ = std::make_unique<Ledger>(*w_);
    w_->onBanksDrawn = [this] { ledger_->banksDrawn(); };
    w_->onCountersShown = [this] { ledger_->countersShown(); };

    previousHandler = qInstallMessageHandler(quietHandler);
    activeRun = this;
    trailOf = [](SoakRun* r) { return r->report("the process is dying (crash or sanitizer report)"); };
    trailPrinted = false;
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(sig, onFatalSignal);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback([] { printTrail(); });
#endif

    watchdog_ = std::thread([this] {
        std::unique_lock lock(wakeMutex_);
        while (!stopWatchdog_) {
            wake_.wait_for(lock, std::chrono::milliseconds(250));
            const int64_t start = actionStartMs_;
            if (start > 0 && nowMs() - start > watchdogSeconds_ * 1000LL) {
                const std::string t =
                    report("hang: one action has run for more than " + std::to_string(watchdogSeconds_) + " s");
                trailPrinted = true;
                std::fputs(t.c_str(), stderr);
                std::fflush(stderr);
                std::abort();
            }
        }
    });

    record(0, "Form_Load");
    actionStartMs_ = nowMs();
    w_->Form_Load();
    settle();
    actionStartMs_ = 0;
}

SoakRun::~SoakRun()
{
    stopWatchdog_ = true;
    wake_.notify_all();
    watchdog_.join();
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(sig, SIG_DFL);
    activeRun = nullptr;
    w_.reset();
    resumeWaits();
    qInstallMessageHandler(previousHandler);
}

std::string SoakRun::run(int actions)
{
    if (problem_.empty())
        checkRest();
    for (int i = 0; i < actions && problem_.empty(); ++i) {
        actionStartMs_ = nowMs();
        if (i % 150 == 0) {
            calm_ = chance(0.6);
            // Some stretches only draw and throw the drawn card, to play a hand to its tie.
            stalling_ = calm_ && chance(0.35);
        }
        if (chance(calm_ ? 0.08 : 0.35))
            scheduleNested(1);
        act(0);
        settle();
        checkRest();
    }
    if (problem_.empty()) {
        // Last of all the window is closed in the middle of whatever runs.
        actionStartMs_ = nowMs();
        ++pending_;
        later(1 + below(30), [this] {
            --pending_;
            record(1, "mnuExit (close the window)");
            w_->action(QStringLiteral("mnuExit"))->trigger();
        });
        act(0);
        settle();
        if (!w_->unloaded())
            problem_ = "the window did not unload on Exit";
        checkRest();
        if (problem_.empty() && w_->prfvidPokMoney != w_->poker.s.winnings)
            problem_ = "the winnings handed to the score tables (" + std::to_string(w_->prfvidPokMoney) +
                       ") are not the winnings (" + std::to_string(w_->poker.s.winnings) + ")";
    }
    actionStartMs_ = 0;
    if (!problem_.empty() && problem_.find("last actions") == std::string::npos)
        problem_ = report(problem_);
    return problem_;
}

std::string SoakRun::summary() const
{
    return std::to_string(actionNo_) + " actions; " + ledger_->summary();
}

// Runs then after the event loop has turned hops more times.
void SoakRun::later(int hops, std::function<void()> then)
{
    if (hops <= 0) {
        then();
        return;
    }
    QTimer::singleShot(0, w_.get(), [this, hops, then = std::move(then)]() mutable { later(hops - 1, std::move(then)); });
}

// Lets the actions scheduled from inside waits run out, then the events they leave.
void SoakRun::settle()
{
    for (int turns = 0; pending_ > 0 && turns < 100000; ++turns)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void SoakRun::checkRest()
{
    if (!problem_.empty())
        return;
    ledger_->checkAtRest();
    if (!ledger_->failure().empty())
        problem_ = ledger_->failure();
}

void SoakRun::record(int depth, const std::string& what)
{
    std::string line = depth == 9 ? what : std::to_string(actionNo_) + std::string(2 * depth + 1, ' ') + what;
    if (trace_)
        std::fprintf(stderr, "%s\n", line.c_str());
    std::lock_guard lock(logMutex_);
    recent_.push_back(std::move(line));
    while (recent_.size() > 30)
        recent_.pop_front();
}

std::string SoakRun::report(const std::string& what)
{
    std::string out = "soak failure: " + what + "\nseed " + std::to_string(seed_) + ", action " +
                      std::to_string(actionNo_) + "; last actions (depth shown by indent):\n";
    std::unique_lock lock(logMutex_, std::try_to_lock);
    if (lock.owns_lock())
        for (const auto& line : recent_)
            out += "  " + line + "\n";
    return out;
}

}  // namespace dm::soak
