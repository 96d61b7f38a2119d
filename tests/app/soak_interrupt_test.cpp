// Commands fired from inside a running step (a card in flight, a prize being counted)
// must not lose a card or a prize: the cases the random run first found, pinned down.
#include <gtest/gtest.h>

#include <QAction>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "cards/random.h"
#include "poker/rules.h"
#include "soak_run.h"
#include "table/picture_box.h"
#include "table/wait.h"

namespace dm::soak {
namespace {

class InterruptTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resumeWaits();
        for (const char* name : {"pics", "wavs", "frames", "dunmere.hlp"})
            ASSERT_TRUE(copyTree(QStringLiteral(DUNMERE_BIN_DIR "/") + name, dir.path() + "/" + name)) << name;
        store.values = {{"prfSound", "False"},       {"prfAnimationDelay", "0"}, {"prfShowPokerPlay", "True"},
                        {"prfPokerAutoDeal", "False"}, {"prfTolvaScores", "False"}};
    }
    void TearDown() override
    {
        w.reset();
        resumeWaits();
    }

    void start(bool poker)
    {
        store.values["isPoker"] = poker ? "True" : "False";
        AppContext ctx;
        ctx.programDir = dir.path();
        ctx.store = &store;
        ctx.rng = &rng;
        ctx.timeScale = 0;
        ctx.dialogs.message = [this](const QString& text, const QString&) { messages << text; };
        ctx.dialogs.askYesNo = [](const QString&, const QString&) { return false; };
        ctx.dialogs.inputBox = [](const std::string&, const std::string&, const std::string&) { return ""; };
        w = std::make_unique<SoakWindow>(ctx);
        ledger = std::make_unique<Ledger>(*w);
        w->onBanksDrawn = [this] { ledger->banksDrawn(); };
        w->onCountersShown = [this] { ledger->countersShown(); };
        w->Form_Load();
    }

    // Runs what after the event loop has turned `turns` times, i.e. inside the next waits.
    void after(int turns, std::function<void()> what)
    {
        if (turns <= 0) {
            what();
            return;
        }
        QTimer::singleShot(0, w.get(), [this, turns, what] { after(turns - 1, what); });
    }

    void clickBox(const char* name)
    {
        auto* b = w->box(QString::fromLatin1(name));
        ASSERT_TRUE(b && b->isVisible()) << name;
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(30, 40));
    }

    // A royal flush in hearts waits behind the dealt hand; nothing is held.
    void stackRoyalDraw()
    {
        ASSERT_TRUE(w->poker.s.holdPhase);
        const int royal[5] = {cardNumber(1, 2), cardNumber(10, 2), cardNumber(11, 2), cardNumber(12, 2),
                              cardNumber(13, 2)};
        // Every card is replaced, so the dealt ones never meet these.
        for (int i = 0; i < 5; ++i)
            w->poker.s.pokerDeck[5 + i] = static_cast<int16_t>(royal[i]);
        w->poker.s.held.fill(false);
    }

    QTemporaryDir dir;
    MapStore store;
    SeededRng rng{77};
    std::unique_ptr<SoakWindow> w;
    std::unique_ptr<Ledger> ledger;
    QStringList messages;
};

// Turns of the event loop into the draw: before the replacements fly, while they fly,
// and at several points of the count-up (160 steps for a royal).
class PrizeInterrupted : public InterruptTest, public ::testing::WithParamInterface<int> {};

TEST_P(PrizeInterrupted, ANewBackgroundStillPaysTheDrawnHand)
{
    start(true);
    const int dealtAt = w->poker.s.winnings;
    stackRoyalDraw();
    QString other;
    for (QAction* a : w->backgroundEntries())
        if (a->isVisible() && a->text() != QString::fromStdString(w->prefs.prfPKBackground))
            other = a->text();
    ASSERT_FALSE(other.isEmpty());
    after(GetParam(), [&] {
        for (QAction* a : w->backgroundEntries())
            if (a->text() == other)
                a->trigger();
    });
    clickBox("picDeal0");
    QCoreApplication::processEvents();
    // The royal's 4000, then the new background's fresh deal.
    EXPECT_EQ(w->poker.s.winnings, dealtAt + 4000 - kPokerWager);
    ledger->checkAtRest();
    EXPECT_EQ(ledger->failure(), "");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_P(PrizeInterrupted, ClosingTheWindowHandsOnTheWholePrize)
{
    start(true);
    const int dealtAt = w->poker.s.winnings;
    stackRoyalDraw();
    after(GetParam(), [&] { w->close(); });
    clickBox("picDeal0");
    QCoreApplication::processEvents();
    ASSERT_TRUE(w->unloaded());
    EXPECT_EQ(w->prfvidPokMoney, dealtAt + 4000);
}

INSTANTIATE_TEST_SUITE_P(Soak, PrizeInterrupted, ::testing::Values(1, 3, 30, 120, 200, 320));

TEST_F(InterruptTest, SortingWhileADiscardFliesKeepsEveryCard)
{
    start(false);
    for (const char* sort : {"mnuSortSuit", "mnuSortRank"}) {
        for (int slot : {0, 4, 8}) {
            w->mnuPlayRummy_Click();
            clickBox("picDeal0");
            ASSERT_TRUE(w->rummy.s.mustDiscard);
            // Throw the card of the slot; the hand is sorted while it flies to the pile.
            const auto& c = w->rummy.s.playerHand[slot];
            const QPoint at(c.left + 4, c.top + 40);
            auto* hand = w->box(QStringLiteral("picPlayerHand"));
            QTest::mouseMove(hand, at);
            after(2, [&] { w->action(QString::fromLatin1(sort))->trigger(); });
            QTest::mouseClick(hand, Qt::LeftButton, {}, at);
            QCoreApplication::processEvents();
            ASSERT_FALSE(w->rummy.s.mustDiscard) << sort << " slot " << slot;
            ledger->checkAtRest();
            ASSERT_EQ(ledger->failure(), "") << sort << " slot " << slot;
        }
    }
}

}  // namespace
}  // namespace dm::soak
