#pragma once
// Poker test helpers: hands written as "Ah 10h Jd Qc Ks", a walk over every five-card
// hand, and a game on a view that logs each call as a line ("glide 2", "wait 600").
#include <algorithm>
#include <cctype>
#include <functional>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "poker/game.h"
#include "poker/session.h"
#include "rummy/rules_support.h"

namespace dm::test {

using Lines = std::vector<std::string>;

inline int parseCardName(std::string name)
{
    name.back() = static_cast<char>(std::toupper(name.back()));
    return parseCard(name);
}

inline PokerCards pokerHand(const std::string& text)
{
    std::istringstream in(text);
    PokerCards cards{};
    std::string name;
    for (CardRec& c : cards)
        setCard(c, in >> name ? parseCardName(name) : throw std::invalid_argument("short hand: " + text));
    return cards;
}

inline std::string handText(const PokerCards& h)
{
    std::string s;
    for (const CardRec& c : h)
        s += cardName(c.number) + ' ';
    return s;
}

inline std::array<bool, 5> holdMask(const std::string& mask)  // "11000": positions 0 and 1
{
    std::array<bool, 5> held{};
    for (size_t i = 0; i < 5; ++i)
        held[i] = mask.at(i) == '1';
    return held;
}

template <class F>
void forEachHand(F&& f)
{
    PokerCards h{};
    auto fill = [&](auto&& self, int slot, int from) -> void {
        if (slot == 5)
            return f(static_cast<const PokerCards&>(h));
        for (int n = from; n <= kDeckSize - 5 + slot; ++n) {
            setCard(h[slot], n);
            self(self, slot + 1, n + 1);
        }
    };
    fill(fill, 0, 0);
}

class FakePokerView : public PokerView {
public:
    const PokerState* state = nullptr;
    Lines log;
    std::function<void(const std::string&)> onLine;  // runs after each line is logged
    std::string closeAt;  // the wait or glide line at which the window is gone

    bool wait(int ms) override { return note("wait " + n(ms)); }
    bool animateToPosition(int pos) override { return note("glide " + n(pos)); }
    void playSound(const std::string& f) override { note("sound " + f); }
    void message(const std::string&, const std::string&) override {}
    bool askYesNo(const std::string&, const std::string&) override { return false; }
    void reportError(const std::string& p, const std::string& d) override { note("error " + p + ": " + d); }
    void setUpPokerTable() override { note("setup"); }
    void colourLabelsNormal() override { note("labels"); }
    void lightLabel(int cls, LabelLight l) override
    {
        note("light " + n(cls) + std::array{" best", " wrong", " paid", " bright"}[int(l)]);
    }
    void showCard(int, CardShow) override {}
    void showHoldMarkers(int pos, bool on) override { note("markers " + n(pos) + (on ? " on" : " off")); }
    void showCounters() override { note("counters " + n(state->winnings) + " " + n(state->hands) + " " + n(state->timer)); }
    void setTimerRunning(bool on) override { note(on ? "timer on" : "timer off"); }
    void offerPerfectRun(int16_t run) override { note("offer " + n(run)); }
    // Kept as the table keeps it, not logged: the draw's lines stay as they were.
    void handPlayed(const PokerCards& dealt, const std::array<bool, 5>& held, int prize) override
    {
        session.record(dealt, held, prize);
    }
    PokerSession session;

    Lines only(const std::string& prefix) const
    {
        Lines out;
        std::copy_if(log.begin(), log.end(), std::back_inserter(out), [&](auto& l) { return l.rfind(prefix, 0) == 0; });
        return out;
    }
    size_t count(const std::string& prefix) const { return only(prefix).size(); }

private:
    static std::string n(int v) { return std::to_string(v); }
    bool note(const std::string& line)
    {
        log.push_back(line);
        if (onLine)
            onLine(line);
        return line != closeAt;
    }
};

// Ten trash cards (nothing held is right, and no draw from them pays), and a full house.
inline const std::string kTrash = "2c 5d 8h 10s 3s 6c 7d 9s 4d Kd";
inline const std::string kFullHouse = "3c 3d 3h 9s 9c";

struct PokerRig {
    FakePokerView view;
    Prefs prefs;
    ScriptedRng rng{{}};
    PokerGame game{view, prefs, rng};
    PokerState& s = game.s;

    explicit PokerRig(bool alwaysShowBestPlay = false)  // true: any hold draws
    {
        view.state = &s;
        prefs.prfShowPokerPlay = alwaysShowBestPlay;
    }
    // The next shuffle brings `cards` to the top: five dealt, then the replacements.
    void stack(const std::string& cards)
    {
        std::vector<int> deck(52);
        std::iota(deck.begin(), deck.end(), 0);
        std::istringstream in(cards);
        std::vector<double> r;
        for (int k = 0; k < 52; ++k) {
            std::string name;
            const int j = in >> name ? std::find(deck.begin(), deck.end(), parseCardName(name)) - deck.begin() : k;
            std::swap(deck[k], deck[j]);
            r.push_back((j + 0.5) / 52);
        }
        rng = ScriptedRng(r);
    }
    void deal(const std::string& cards) { stack(cards), game.picDeal_Click(3); }
    void hold(const std::string& mask)
    {
        for (int i = 0; i < 5; ++i)
            if (holdMask(mask)[i])
                game.toggleHold(i);
    }
    void draw() { view.log.clear(), game.picDeal_Click(3); }  // with a fresh log
    // Runs `act` the first time `line` is logged.
    void once(const std::string& line, std::function<void()> act)
    {
        view.onLine = [line, act, done = false](const std::string& l) mutable {
            if (!done && l == line)
                done = true, act();
        };
    }
    std::string hand() const { return handText(s.pokerHand); }
};

inline std::string names(const std::string& five) { return handText(pokerHand(five)); }

}  // namespace dm::test
