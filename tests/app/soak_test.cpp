// The long random run of the real main window: a table of user actions, some fired from
// inside the game's own waits, and one invariant check after every action and at every
// drawing of the banks or the counters. Sized by DUNMERE_SOAK_ACTIONS, seeded by DUNMERE_SOAK_SEED.
#include <QLabel>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <random>

#include "app_fixture.h"
#include "poker/rules.h"
#include "rummy/rules.h"

namespace dm::testing {
namespace {

long envNumber(const char* name, long fallback)
{
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

// The offscreen platform warns at each of the thousands of size changes, raises and
// keyboard grabs of a window; its "does not support" lines are dropped while the soak
// runs, so the soak's own report can be read.
class QuietSizeHints {
public:
    QuietSizeHints() { previous = qInstallMessageHandler(filter); }
    ~QuietSizeHints() { qInstallMessageHandler(previous); }
    QuietSizeHints(const QuietSizeHints&) = delete;
    QuietSizeHints& operator=(const QuietSizeHints&) = delete;

private:
    static void filter(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (!text.startsWith(QLatin1String("This plugin does not support ")))
            previous(type, context, text);
    }
    static inline QtMessageHandler previous = nullptr;
};

// The window as the program builds it, checked at every drawing of the banks or counters.
class SoakWindow : public frmMain {
public:
    using frmMain::frmMain;
    std::function<void()> onMoneyShown;
    void drawBanks() override { frmMain::drawBanks(), onMoneyShown(); }
    void showCounters() override { frmMain::showCounters(), onMoneyShown(); }
    // No countdown: a seed replays the same run on any machine.
    void setTimerRunning(bool) override {}
};

class Soak : public AppWindowTest {
protected:
    QuietSizeHints quiet;  // before the window is made
    int below(int n) { return static_cast<int>(pick() % static_cast<uint64_t>(n)); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(pick) < p; }
    template <class T, size_t N>
    const T& any(const T (&items)[N]) { return items[below(N)]; }

    // Runs then after the event loop has turned hops more times: inside the next waits.
    void later(int hops, std::function<void()> then)
    {
        ++pending;
        QTimer::singleShot(0, w.get(), [this, hops, then = std::move(then)] {
            --pending;
            hops <= 1 ? then() : later(hops - 1, then);
        });
    }
    void record(const std::string& what)
    {
        trail += std::to_string(actionNo) + " " + what + "\n";
        trail.erase(0, trail.size() > 3000 ? trail.find('\n', trail.size() - 3000) + 1 : 0);
    }

    // Every card in one place; the banks add up to 200 and move by the stake; the winnings
    // move by the wager and the pay table, a prize paid in full. Empty when all holds.
    std::string broken(bool atRest)
    {
        const Prefs& p = w->prefs;
        const PokerState& ps = w->poker.s;
        if (p.prfPlayerBank + p.prfComputerBank != 200)
            return "the banks do not add up to 200";
        const int bankMove = p.prfPlayerBank - lastBank;
        const bool reset = lastBank < 0 && std::abs(p.prfPlayerBank - 100) % std::max<int>(1, p.prfWager) == 0;
        if (bankMove != 0 && std::abs(bankMove) != p.prfWager && !reset)
            return "the banks moved by " + std::to_string(bankMove) + " at a stake of " + std::to_string(p.prfWager);
        lastBank = p.prfPlayerBank;

        const int moved = ps.winnings - lastWinnings;
        lastWinnings = ps.winnings;
        if (moved < 0 && prize > 0)
            return "a prize was dropped after " + std::to_string(paid);
        if (moved < 0 && moved != -kPokerWager && ps.winnings != INT16_MIN)
            return "the winnings fell by " + std::to_string(-moved);
        if (moved > 0 && prize == 0 && (prize = payoutFor(ps.handClass).prize) <= 0)
            return "the winnings rose by " + std::to_string(moved) + " for class " + std::to_string(ps.handClass);
        if (moved > 0 && (paid += moved) > prize)
            return "a prize of " + std::to_string(prize) + " paid " + std::to_string(paid);
        if (paid >= prize || ps.winnings == INT16_MAX)
            prize = paid = 0;
        if (!atRest)
            return "";
        if (prize > 0 || ps.prizeOwed != 0 || ps.pokerBusy)
            return "a step of the poker hand was left unfinished";
        if (p.isPoker || w->unloaded())
            return "";

        const RummyState& s = w->rummy.s;
        std::array<int, 52> seen{};
        auto add = [&](int n) { ++seen[static_cast<size_t>(std::clamp(n, 0, 51))]; };
        for (int i = 0; i < 9; ++i)
            add(s.playerHand[i].number), add(s.computerHand[i].number);
        if (s.mustDiscard)  // the drawn card
            add(s.playerHand[9].number);
        // A computer's win with the offered card leaves that card on the pile as well.
        if (s.eval.computerTurn && s.eval.handWon &&
            (s.discardEmpty() || s.discardPile.back().number != s.computerHand[9].number))
            add(s.computerHand[9].number);
        for (size_t i = s.stockEmpty ? 1 : 0; i < s.stock.size(); ++i)
            add(s.stock[i].number);
        for (size_t i = 1; i < s.discardPile.size(); ++i)
            add(s.discardPile[i].number);
        for (int n = 0; n < 52; ++n)
            if (seen[static_cast<size_t>(n)] != 1)
                return cardName(n) + " lies in " + std::to_string(seen[static_cast<size_t>(n)]) + " places";
        return "";
    }
    void check(bool atRest) { problem = problem.empty() ? broken(atRest) : problem; }

    // Sends a mouse event to whatever lies under the point, as the window system would.
    std::string mouse(QWidget* target, QPoint at, int kind, Qt::MouseButton button)
    {
        QWidget* table = w->centralWidget();
        target = target && target->isVisible() ? target : table;
        const QPoint onTable = target == table ? at : target->mapTo(table, at);
        QWidget* hit = table->childAt(onTable) ? table->childAt(onTable) : table;
        const QPoint local = hit->mapFrom(table, onTable);
        kind == 0 ? QTest::mouseClick(hit, button, {}, local) : kind == 1 ? QTest::mousePress(hit, button, {}, local)
        : kind == 2 ? QTest::mouseRelease(hit, button, {}, local) : kind == 3 ? QTest::mouseDClick(hit, button, {}, local)
                                                                              : QTest::mouseMove(hit, local);
        return "mouse " + std::to_string(kind) + " button " + std::to_string(button) + " on " + hit->objectName().toStdString();
    }
    std::string clickPlace()
    {
        static const char* places[] = {"picDeal0", "picDeal3", "picReject", "picPlayerHand", "picPlayerHand",
                                       "picPlayerDraw", "picComputerHand", "picPoker0", "picPoker4", "table"};
        const QString name = QString::fromLatin1(any(places));
        QWidget* target = chance(0.1) ? w->pokerLabel(below(21)) : name == "table" ? w->centralWidget() : box(name);
        const QPoint at = target ? QPoint(below(target->width() + 12) - 6, below(target->height() + 12) - 6) : QPoint();
        const int b = below(10);
        return mouse(target, at, chance(0.55) ? 0 : 1 + below(4), b < 7 ? Qt::LeftButton : b < 9 ? Qt::RightButton : Qt::MiddleButton);
    }
    // A move a player would make, so hands run to their end.
    std::string aimedPlay()
    {
        if (chance(0.2))  // a command that lands in the card's flight, a pause or a count-up
            later(1 + below(chance(0.5) ? 40 : 300), [this] {
                if (problem.empty() && !w->unloaded())
                    record("  in the step: " + command()), check(false);
            });
        if (w->prefs.isPoker)
            return mouse(w->poker.s.holdPhase && chance(0.6) ? box(QStringLiteral("picPoker%1").arg(below(5))) : visibleStock(),
                         {30, 40}, 0, Qt::LeftButton);
        const RummyState& s = w->rummy.s;
        if (!s.mustDiscard)
            return mouse(!s.discardEmpty() && chance(0.2) ? box("picReject") : visibleStock(), {30, 40}, 0, Qt::LeftButton);
        Hand copy = s.playerHand;  // the adviser's scratch state
        EvalState scratch;
        bool reset = true;
        const int worst = stalling ? 9 : EvaluateHand(copy, reset, scratch).discardIndex;  // 9: throw the drawn card
        if (worst < 0 || worst >= 9)
            return mouse(box("picPlayerDraw"), {30, 40}, 0, Qt::LeftButton);
        return hoverCard(worst), mouse(box("picPlayerHand"), cardPoint(worst), 0, Qt::LeftButton);
    }
    std::string key()
    {
        static const Qt::Key keys[] = {Qt::Key_1, Qt::Key_3, Qt::Key_5, Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape};
        const bool ctrl = chance(0.1);
        const Qt::Key k = ctrl ? (chance(0.5) ? Qt::Key_V : Qt::Key_R) : any(keys);
        QTest::keyClick(w.get(), k, ctrl ? Qt::ControlModifier : Qt::NoModifier);
        return "key " + QKeySequence(k).toString().toStdString() + (ctrl ? " with Ctrl" : "");
    }
    std::string command()
    {
        static const char* items[] = {"mnuPoker", "mnuPlayRummy", "mnuStart", "mnuSortRank", "mnuSortSuit",
                                      "mnuPeek", "mnuShowComputerHand", "background", "mnuAbout"};
        const std::string name = any(items);
        if (QAction* a = w->backgroundEntries()[below(21)]; name == "background")
            return a->isVisible() ? a->trigger(), "background " + a->text().toStdString() : "background: hidden entry";
        act(name.c_str())->trigger();
        return name;
    }
    // One action; some of them arrive later, inside the waits this one starts.
    void step(int depth)
    {
        if (!problem.empty() || w->unloaded())
            return;
        ++actionNo;
        if (depth < 3 && chance(depth == 0 ? (calm ? 0.08 : 0.35) : 0.15))
            for (int n = 1 + below(3); n > 0; --n)
                later(1 + below(chance(0.5) ? 40 : 300), [this, depth] { step(depth + 1); });
        using Action = std::string (Soak::*)();
        const int r = below(15);
        const Action chosen = chance(calm ? 0.7 : 0.1) ? &Soak::aimedPlay
                              : r < 10 ? &Soak::clickPlace : r < 12 ? &Soak::key : &Soak::command;
        record(std::string(static_cast<size_t>(2 * depth), ' ') + (this->*chosen)());
        check(false);
    }

    uint64_t seed = static_cast<uint64_t>(envNumber("DUNMERE_SOAK_SEED", 5));
    std::mt19937_64 pick{seed};
    std::string problem, trail;
    long actionNo = 0;
    int pending = 0;
    bool calm = false, stalling = false;  // stalling: never takes a card worth keeping, so hands end in ties
    int lastBank = 100, lastWinnings = 0, prize = 0, paid = 0;
};

TEST_F(Soak, RandomUserNeverBreaksTheTable)
{
    const long actions = envNumber("DUNMERE_SOAK_ACTIONS", 3000);
    std::cout << "[soak] seed " << seed << ", " << actions << " actions" << std::endl;
    rng = SeededRng(seed * 6364136223846793005ULL + 1442695040888963407ULL);
    for (const char* key : {"isPoker", "prfPokerAutoDeal", "prfShowPokerPlay", "prfTolvaAutoSort", "prfShowHide", "prfAnimation"})
        store.values[key] = chance(0.6) ? "True" : "False";
    store.values["prfAnimationDelay"] = std::to_string(below(3) * 40);
    store.values["prfWager"] = std::to_string(std::array{1, 5, 10}[static_cast<size_t>(below(3))]);
    store.values["prfMoveDelay"] = std::to_string(below(400));
    ctx.dialogs.message = [this](const QString& text, const QString&) {
        record("  box: " + text.left(90).toStdString());
        problem = problem.empty() && text.startsWith("Error  in  ") ? "the program reported: " + text.toStdString() : problem;
    };
    ctx.dialogs.askYesNo = [this](const QString&, const QString&) { return chance(0.5); };
    ctx.dialogs.inputBox = [this](const std::string&, const std::string&, const std::string&) {
        return std::string(chance(0.5) ? "" : "A very long name that will not fit");
    };
    build<SoakWindow>();
    static_cast<SoakWindow&>(*w).onMoneyShown = [this] { check(false); };
    w->Form_Load();
    auto settle = [this] {
        for (int turns = 0; pending > 0 && turns < 100000; ++turns)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        check(true);
    };
    settle();
    for (long i = 0; i < actions && problem.empty(); ++i) {
        if (i % 150 == 0)
            calm = chance(0.6), stalling = calm && chance(0.35);
        step(0);
        settle();
    }
    // Last of all the window is closed in the middle of whatever runs.
    later(1 + below(30), [this] { record("mnuExit"), act("mnuExit")->trigger(); });
    step(0);
    settle();
    if (problem.empty() && (!w->unloaded() || w->prfvidPokMoney != w->poker.s.winnings))
        problem = "the window did not hand on the winnings at Exit";
    ASSERT_TRUE(problem.empty()) << problem << "\nseed " << seed << ", last actions:\n" << trail;
}

}  // namespace
}  // namespace dm::testing
