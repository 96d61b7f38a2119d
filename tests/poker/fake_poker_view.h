#pragma once
// A PokerView that records every call as a line of text, and a poker game on it
// whose deals can be arranged card by card ("Ah", "10s").
#include <algorithm>
#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "poker/game.h"
#include "rules_hands.h"

namespace dm::test {

class FakePokerView : public PokerView {
public:
    const PokerState* state = nullptr;
    std::vector<std::string> log;
    std::function<bool(int)> onWait;   // runs inside every wait; false: the window is gone
    std::function<bool(int)> onGlide;  // the same for each card animation, given the position
    bool throwOnFace = false;

    bool wait(int ms) override { return note("wait", ms), !onWait || onWait(ms); }
    bool animateToPosition(int pos) override { return note("glide", pos), !onGlide || onGlide(pos); }
    void playSound(const std::string& f) override { note("sound " + f); }
    void message(const std::string& t, const std::string&) override { note("message " + t); }
    bool askYesNo(const std::string& t, const std::string&) override { return note("ask " + t), false; }
    void reportError(const std::string& p, const std::string& d) override { note("error " + p + ": " + d); }
    void setUpPokerTable() override { note("setup"); }
    void colourLabelsNormal() override { note("labels"); }
    void lightLabel(int cls, LabelLight l) override
    {
        note("light", cls, std::array{" best", " wrong", " paid", " bright"}[static_cast<int>(l)]);
    }
    void showCard(int pos, CardShow how) override
    {
        if (how == CardShow::Face && throwOnFace)
            throw std::runtime_error("no face");
        note("card", pos, std::array{" hidden", " back", " face"}[static_cast<int>(how)]);
    }
    void showHoldMarkers(int pos, bool shown) override { note("markers", pos, shown ? " on" : " off"); }
    void showCounters() override
    {
        note("counters " + std::to_string(state->winnings) + " " + std::to_string(state->hands) + " " +
             std::to_string(state->timer));
    }
    void setTimerRunning(bool on) override { note(on ? "timer on" : "timer off"); }
    void offerPerfectRun(int16_t run) override { note("offer", run); }

    // The logged lines that start with `prefix`, in order.
    std::vector<std::string> only(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& l : log)
            if (l.rfind(prefix, 0) == 0)
                out.push_back(l);
        return out;
    }
    size_t count(const std::string& prefix) const { return only(prefix).size(); }

private:
    void note(std::string line) { log.push_back(std::move(line)); }
    void note(const char* what, int n, const char* tail = "") { note(what + (" " + std::to_string(n)) + tail); }
};

inline std::vector<int> numbers(const std::vector<std::string>& names)
{
    std::vector<int> out;
    for (const auto& n : names)
        out.push_back(parseCardName(n));
    return out;
}

// Random values that make the 52-exchange shuffle put `top` on the first deck positions.
inline std::vector<double> shuffleBringing(const std::vector<std::string>& top)
{
    std::vector<int> deck(52);
    for (int k = 0; k < 52; ++k)
        deck[k] = k;
    std::vector<double> r;
    for (int k = 0; k < 52; ++k) {
        int j = k;
        if (k < static_cast<int>(top.size()))
            j = static_cast<int>(std::find(deck.begin(), deck.end(), parseCardName(top[k])) - deck.begin());
        std::swap(deck[k], deck[j]);
        r.push_back((j + 0.5) / 52);
    }
    return r;
}

struct PokerRig {
    FakePokerView view;
    Prefs prefs;
    ScriptedRng rng{{}};
    PokerGame game{view, prefs, rng};
    PokerState& s = game.s;

    PokerRig() { view.state = &game.s; }

    // Deals `cards` (five dealt, then the replacements for positions 0..4).
    void deal(const std::vector<std::string>& cards)
    {
        rng = ScriptedRng(shuffleBringing(cards));
        game.picDeal_Click(3);
    }
    void hold(const std::vector<int>& positions)
    {
        for (int p : positions)
            game.toggleHold(p);
    }
    std::vector<int> handNumbers() const
    {
        std::vector<int> out;
        for (const auto& c : s.pokerHand)
            out.push_back(c.number);
        return out;
    }
};

}  // namespace dm::test
