// The end of a hand: the winner announcements and the stake between the two banks.
#include <limits>
#include <stdexcept>

#include "rummy/game.h"

namespace dm {

void RummyGame::WinnerPlayerHoopla()
{
    guarded("WinnerPlayerHoopla", [&] {
        sound("rummywin.wav");
        view_.showWinner(Side::Player);
        UpdateBank(1);
        handEnded(RummyHandResult::Outcome::UserWon);
    });
}

void RummyGame::WinnerComputerHoopla()
{
    guarded("WinnerComputerHoopla", [&] {
        const uint32_t serial = s.dealSerial;
        if (prefs_.prfSound) {
            if (rng_.below(10) + 1 != 8)
                view_.playSound("lost.wav");
            else
                view_.playSound(rng_.below(2) == 0 ? "lost1.wav" : "lost2.wav");
        }
        view_.showWinner(Side::Computer);
        // The win stands even if a new hand is dealt during the wait; only a closed
        // window stops here.
        if (!view_.wait(1000))
            return;
        UpdateBank(2);
        if (alive(serial))  // a hand dealt during the wait is not the one that ended
            handEnded(RummyHandResult::Outcome::ComputerWon);
    });
}

void RummyGame::UpdateBank(int outcome)
{
    guarded("UpdateBank", [&] {
        const int stake = outcome == 1 ? prefs_.prfWager : outcome == 2 ? -prefs_.prfWager : 0;
        const int player = prefs_.prfPlayerBank + stake;
        const int computer = prefs_.prfComputerBank - stake;
        constexpr int lo = std::numeric_limits<int16_t>::min();
        constexpr int hi = std::numeric_limits<int16_t>::max();
        // Both banks are checked before either changes, so a refused payment leaves them as they were.
        if (player < lo || player > hi || computer < lo || computer > hi)
            throw std::overflow_error("Overflow");
        prefs_.prfPlayerBank = static_cast<int16_t>(player);
        prefs_.prfComputerBank = static_cast<int16_t>(computer);
        view_.drawBanks();
    });
}

}  // namespace dm
