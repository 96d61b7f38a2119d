#pragma once
// Poker test helpers: hands written as "Ah 10h Jd Qc Ks", a walk over every five-card
// hand, and a game on a view that logs each call as a line ("glide 2", "wait 600").
#include <cctype>
#include <functional>
#include <numeric>

#include "poker/game.h"
#include "poker/session.h"
#include "rummy/rules_support.h"

namespace dm::test {

using Lines = std::vector<std::string>;

// The rummy shorthand with lower-case suits.
inline std::vector<int> pokerNumbers(std::string text)
{
    for (char& ch : text)
        ch = static_cast<char>(std::toupper(ch));
    return numbersOf(text);
}

inline PokerCards pokerHand(const std::string& text)
{
    PokerCards cards{};
    const auto nums = pokerNumbers(text);
    for (int i = 0; i < 5; ++i)
        setCard(cards[i], nums.at(i));
    return cards;
}

inline std::string handText(const PokerCards& h)
{
    std::string s;
    for (const CardRec& c : h)
        s += cardName(c.number) + ' ';
    return s;
}

template <class F>
void forEachHand(F&& f)
{
    PokerCards h{};
    auto fill = [&](auto&& self, int slot, int from) -> void {
        if (slot == 5)
            return f(static_cast<const PokerCards&>(h));
        for (int n = from; n <= kDeckSize - 5 + slot; ++n)
            setCard(h[slot], n), self(self, slot + 1, n + 1);
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
    void lightLabel(int cls, LabelLight l) override { note("light " + n(cls) + std::array{" best", " wrong", " paid", " bright"}[int(l)]); }
    void showCard(int, CardShow) override {}  // the glides and counters tell enough
    void showHoldMarkers(int pos, bool on) override { note("markers " + n(pos) + (on ? " on" : " off")); }
    void showCounters() override { note("counters " + n(state->winnings) + " " + n(state->hands) + " " + n(state->timer)); }
    void setTimerRunning(bool on) override { note(on ? "timer on" : "timer off"); }
    void offerPerfectRun(int16_t run) override { note("offer " + n(run)); }
    // Kept as the table keeps it, not logged: the draw's lines stay as they were.
    void handPlayed(const PokerCards& d, const std::array<bool, 5>& held, int prize) override { session.record(d, held, prize); }
    PokerSession session;

    Lines only(const std::string& prefix) const { return withPrefix(log, prefix); }
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

    explicit PokerRig(bool alwaysShowBestPlay = false) { view.state = &s, prefs.prfShowPokerPlay = alwaysShowBestPlay; }  // true: any hold draws
    // The next shuffle brings `cards` to the top: five dealt, then the replacements.
    void stack(const std::string& cards)
    {
        std::vector<int> deck(52);
        std::iota(deck.begin(), deck.end(), 0);
        const auto top = pokerNumbers(cards);
        std::vector<double> r;
        for (size_t k = 0; k < 52; ++k) {
            const long j = k < top.size() ? std::find(deck.begin(), deck.end(), top[k]) - deck.begin() : long(k);
            std::swap(deck[k], deck[j]);
            r.push_back((j + 0.5) / 52);
        }
        rng = ScriptedRng(r);
    }
    void deal(const std::string& cards) { stack(cards), game.picDeal_Click(3); }
    void hold(const std::string& mask)  // "11000": positions 0 and 1
    {
        for (int i = 0; i < 5; ++i)
            if (mask.at(i) == '1')
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
