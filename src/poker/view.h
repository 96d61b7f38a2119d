#pragma once
// The narrow interface through which the video poker flow reaches the table.
#include <array>

#include "cards/host.h"
#include "poker/rules.h"

namespace dm {

enum class LabelLight { BestPlay, Wrong, Paid, PaidBright };
enum class CardShow { Hidden, Back, Face };

class PokerView : public virtual GameHost {
public:
    // initPokerScreen's table work: rummy menus off, pile and markers hidden, poker
    // background, labels laid out and coloured, rummy boxes hidden, window sized,
    // table reset and the pile shown.
    virtual void setUpPokerTable() = 0;
    virtual void colourLabelsNormal() = 0;
    virtual void lightLabel(int cls, LabelLight light) = 0;
    // Position pos shows nothing, a back, or pokerHand[pos] face up.
    virtual void showCard(int pos, CardShow how) = 0;
    virtual void showHoldMarkers(int pos, bool shown) = 0;
    // Glides a back from the pile to position pos. False: abandoned.
    virtual bool animateToPosition(int pos) = 0;
    // Shows the winnings, "Hands" and "Timer" from the state.
    virtual void showCounters() = 0;
    virtual void setTimerRunning(bool running) = 0;
    // A finished perfect-play run, offered to the strategy table (CheckTopScores).
    virtual void offerPerfectRun(int16_t run) = 0;
    // A hand goes to the draw: the five cards dealt, the hold, and the final hand's prize.
    // The trainer's session keeps its account from these.
    virtual void handPlayed(const PokerCards& dealt, const std::array<bool, 5>& held, int prize) = 0;
};

}  // namespace dm
