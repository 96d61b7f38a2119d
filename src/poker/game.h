#pragma once
// The video poker machine: deal, hold, draw, pay, auto deal, and the adviser's
// checks and perfect-play run. Plain C++; the table is reached through PokerView.
#include <array>
#include <cstdint>

#include "cards/random.h"
#include "poker/rules.h"
#include "poker/view.h"
#include "store/prefs.h"

namespace dm {

// Counters are 16-bit: they stop at the bounds instead of wrapping round.
constexpr int16_t clampToInt16(int v)
{
    return static_cast<int16_t>(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v);
}

constexpr int kPokerWager = 5;

struct PokerState {
    PokerCards pokerHand{};
    std::array<bool, 5> held{};
    int16_t handClass = 0;
    bool holdPhase = false;
    bool pokerBusy = false;
    std::array<int16_t, 52> pokerDeck{};  // 0..4 dealt, 5 + i replaces position i
    bool dealRightToLeft = false;
    bool cardsShown = false;  // picPoker(0) visible: a previous hand lies on the table
    int16_t winnings = 0;     // "Won"
    int16_t hands = 0;        // "Hands": the current perfect-play run
    int16_t timer = 100;      // "Timer": the countdown
    uint32_t dealSerial = 0;  // grows when the table is set up again, so a running step stops
    int16_t prizeOwed = 0;    // the drawn hand's prize not yet counted into the winnings
};

class PokerGame {
public:
    PokerGame(PokerView& view, Prefs& prefs, Rng& rng);

    PokerState s;

    void initPokerScreen();
    void picDeal_Click(int index);  // the poker branch
    void showPokerHand();           // deal step or draw step, by holdPhase
    void toggleHold(int index);     // picPoker_MouseDown / picPoker_DblClick
    void Timer1_Timer();
    void leave();                   // switching to rummy: stop the countdown, abandon the hand
    // Pays at once what an abandoned count-up still owes, so the table set up again
    // or the window closing never loses a drawn hand's prize.
    void settlePrize();

private:
    void dealStep(uint32_t serial);
    void drawStep(uint32_t serial);
    bool payOut(uint32_t serial);  // false: abandoned during the count-up
    void endRun();                 // offers a finished perfect-play run, then restarts it
    void sound(const char* file);  // only when the sound preference is on
    void show(int pos, CardShow how);
    // A wait or a glide that reports false when the window is gone or the step
    // that started it at `serial` was abandoned.
    bool pause(uint32_t serial, int ms);
    bool glide(uint32_t serial, int pos);

    PokerView& view_;
    Prefs& prefs_;
    Rng& rng_;
};

}  // namespace dm
