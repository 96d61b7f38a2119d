#pragma once
// A table that records every call as a text line, answers questions from a script and
// can make a wait or an animation fail (window gone) or run a command in its middle.
#include <algorithm>
#include <deque>
#include <functional>

#include "cards/random.h"
#include "rummy/game.h"
#include "rummy/rules_support.h"

namespace dm::test {

constexpr const char* kWinningNine = "5C 5D 5H 6S 7S 8S 9H 10H JH";  // + QH wins
constexpr const char* kLooseNine = "AC 3D 4H 2S JD KH QS 10C 6D";    // no two cards relate
constexpr const char* kPlainUser = "2C 4D 6H 8S 9C QD AH 3S 5C";
using Calls = std::vector<std::string>;

class FakeRummyView : public RummyView {
public:
    std::vector<std::string> calls;
    const Prefs* prefs = nullptr;  // the banks shown in "banks P/C" lines; set by Table

    std::deque<bool> answers;  // askYesNo, in turn; then defaultAnswer
    bool defaultAnswer = false;
    int waits = 0, animations = 0;
    int failWaitAt = 0, failAnimationAt = 0;       // 1-based call that reports the window gone
    std::function<void(int)> onWait, onAnimation;  // run inside the n-th call
    bool gone = false;

    bool wait(int ms) override { return note("wait " + n(ms)), step(++waits, onWait, failWaitAt); }
    bool animateCard(Place from, Place to, int card) override
    {
        note("animate " + name(from) + ">" + name(to) + " " + n(card));
        return step(++animations, onAnimation, failAnimationAt);
    }
    bool askYesNo(const std::string& text, const std::string& title) override
    {
        note("ask " + text + "|" + title);
        const bool yes = answers.empty() ? defaultAnswer : answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    void playSound(const std::string& file) override { note("sound " + file); }
    void message(const std::string& text, const std::string&) override { note("message " + text); }
    void reportError(const std::string& where, const std::string& what) override { note("error " + where + ": " + what); }
    void showDeal() override { note("showDeal"); }
    void refreshHand(Side s, int sel, bool skip) override { note("refreshHand " + name(s) + " " + n(sel) + (skip ? " skip" : "")); }
    void drawComputerCards(bool faceUp) override { note(faceUp ? "computerCards up" : "computerCards down"); }
    void drawDiscardPile() override { note("discardPile"); }
    void showStock(int pileImage) override { note("stock " + n(pileImage)); }
    void showDrawSpot(Side s, bool shown) override { note("drawSpot " + name(s) + (shown ? " shown" : " hidden")); }
    bool stockAnimation() override { return note("stockAnimation"), !gone; }
    void showWinner(Side winner) override { note("winner " + name(winner)); }
    void drawBanks() override { note("banks " + n(prefs->prfPlayerBank) + "/" + n(prefs->prfComputerBank)); }
    void hideStartItem() override { note("hideStart"); }
    // Kept apart from `calls`, so the turn's call lists stay as the table sees them.
    std::vector<RummyMove> moves;
    std::vector<RummyHandResult> results;
    std::function<void(const RummyMove&)> onMove;
    void movePlayed(const RummyMove& m) override { moves.push_back(m), onMove ? onMove(m) : void(); }
    void handOver(const RummyHandResult& r) override { results.push_back(r); }

    std::vector<std::string> matching(const std::string& prefix) const { return withPrefix(calls, prefix); }
    int count(const std::string& prefix) const { return static_cast<int>(matching(prefix).size()); }

private:
    void note(std::string line) { calls.push_back(std::move(line)); }
    static std::string n(int v) { return std::to_string(v); }
    bool step(int k, const std::function<void(int)>& hook, int failAt)
    {
        if (hook)
            hook(k);
        return !(gone = gone || k == failAt);
    }
    static std::string name(Side s) { return s == Side::Player ? "Player" : "Computer"; }
    static std::string name(Place p)
    {
        static const char* names[] = {"Stock", "DiscardTop", "DiscardNext", "PlayerDraw", "ComputerDraw", "PlayerSlot", "ComputerSlot"};
        const bool slot = p.kind == Place::Kind::PlayerSlot || p.kind == Place::Kind::ComputerSlot;
        return names[static_cast<int>(p.kind)] + (slot ? n(p.slot) : "");
    }
};

// Plays the given values first, then a seeded sequence.
class TestRng : public Rng {
public:
    std::deque<double> next;
    double uniform() override
    {
        const double v = next.empty() ? base_.uniform() : next.front();
        if (!next.empty())
            next.pop_front();
        return v;
    }

private:
    SeededRng base_{20240611};
};

// A game on the fake table, with helpers to set up exactly the hand a test needs.
struct Table {
    Prefs prefs;
    TestRng rng;
    FakeRummyView view;
    RummyGame game{view, prefs, rng};
    RummyState& s = game.s;

    Table() { view.prefs = &prefs, prefs.prfTolvaScores = false, game.shuffleCards(false), view.calls.clear(); }

    // Every table click of the user's side, as when the user clicks around while the game is busy.
    void clickEverything(int slot) { game.picDeal_Click(), game.picReject_Click(), game.picPlayerDraw_Click(), game.DiscardPlayerCard(slot); }

    // Replaces the deal: the named hands, the stock's top cards (last = next drawn),
    // the discard pile (last = top); every other card lies under the stock's top cards,
    // or at the bottom of the discard pile with restOnPile.
    void arrange(const std::string& player, const std::string& computer, const std::string& stockTop,
                 const std::string& discard = "", bool restOnPile = false)
    {
        std::vector<char> used(kDeckSize, 0);
        auto take = [&](const std::string& cards) {
            auto nums = numbersOf(cards);
            for (int n : nums)
                used.at(n) = 1;
            return nums;
        };
        auto p = take(player), c = take(computer), top = take(stockTop), d = take(discard);
        for (int k = 0; k < 9; ++k)
            s.playerHand[k] = cardOf(p.at(k)), s.computerHand[k] = cardOf(c.at(k));
        layoutHand(s.playerHand, s.geo.cardStep, s.geo.cWidth, s.geo.playerHandTop);
        layoutHand(s.computerHand, s.geo.cardStep, s.geo.cWidth, 0);
        s.stock.clear(), s.discardPile.assign(1, CardRec{});
        for (int n = 0; n < kDeckSize; ++n)
            if (!used[n])
                (restOnPile ? s.discardPile : s.stock).push_back(cardOf(n));
        for (int n : top)
            s.stock.push_back(cardOf(n));
        for (int n : d)
            s.discardPile.push_back(cardOf(n));
    }
};

// Every card of the deal in exactly one place; "" when so, else what is wrong.
inline std::string placesCheck(const RummyState& s)
{
    std::vector<int> seen(kDeckSize, 0);
    auto count = [&](const CardRec& c) { c.number >= 0 && c.number < kDeckSize && ++seen[c.number]; };
    std::for_each(s.playerHand.begin(), s.playerHand.begin() + (s.mustDiscard ? 10 : 9), count);
    std::for_each(s.computerHand.begin(), s.computerHand.begin() + 9, count);
    const CardRec& c9 = s.computerHand[9];
    // A computer win or tie may leave the offered card in slot 9 while it still tops the pile.
    if (s.eval.computerTurn && c9.number >= 0 && (s.discardEmpty() || c9.number != s.discardPile.back().number))
        count(c9);
    std::for_each(s.stock.begin() + (s.stockEmpty ? 1 : 0), s.stock.end(), count);
    std::for_each(s.discardPile.begin() + std::min<size_t>(1, s.discardPile.size()), s.discardPile.end(), count);
    for (int n = 0; n < kDeckSize; ++n)
        if (seen[n] != 1)
            return cardName(n) + " is in " + std::to_string(seen[n]) + " places";
    return "";
}

}  // namespace dm::test
